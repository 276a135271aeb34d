// SPDX-License-Identifier: GPL-3.0-or-later
// Includes the one header that the probe's target names: it compiles only if
// the libraries the target links make that header visible.
#include PROBE_HEADER

// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_dialogs.h"

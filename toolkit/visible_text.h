// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Characters that a text box would not show as themselves, made visible, so
// that a message quoting a pasted text shows what was pasted.
#include <QString>

// Every character that shows nothing or moves other characters made visible:
// the control characters 0 to 31 and 127 by their control pictures (␀, ␉,
// ␊, ␍, ␡), the other controls, the format characters (bidirectional
// controls, zero-width characters, ...), the line and paragraph separators
// and unpaired surrogates by their code, as <U+202E>.
QString visibleText(const QString &text);

// Only the bidirectional controls made visible (by their code), the
// characters that reorder a text on screen: "\u202E1400" reads "0041".
QString visibleDirectionControls(const QString &text);

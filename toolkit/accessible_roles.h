// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The roles a screen reader announces for the toolkit's own controls that Qt
// knows only as plain widgets: an image is a graphic, a panel a pane, an
// arrow pair a group of two buttons. Names come from the program.

// Makes Qt's accessibility ask the toolkit's factory; once is enough, later
// calls do nothing. The controls call it as they are made.
void InstallControlAccessibility();

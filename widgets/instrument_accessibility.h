// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader learns of the instruments. A seven-segment read-out
// is a piece of text whose value is what its cells show, said the way the
// user's locale writes numbers, followed by its unit ("0,407 А"), and whose
// description tells whether it is powered. The angular gauge is a dial whose
// value is its position. Both announce every change of value.
//
// Qt asks a factory for an object's interface; the instruments install
// theirs before the first of them is made, so no program has to remember it.
// Makes Qt's accessibility ask the instruments' factory; once is enough,
// later calls do nothing.
void installInstrumentAccessibility();

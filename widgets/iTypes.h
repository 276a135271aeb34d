// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The enumerations of the instruments' published properties, registered with
// Qt's meta-object system so that the properties read and write by name
// ("ibsRaised", "iagpsArrowLine"). A property declares its type with the
// namespace (TiTypes::TiBevelStyle), which is how the meta-object system finds
// the names; everywhere else the types and values are used without it.
#include <QObject>

namespace TiTypes {
Q_NAMESPACE

enum TiBevelStyle { ibsNone = 0, ibsRaised = 1, ibsLowered = 2 };
Q_ENUM_NS(TiBevelStyle)

enum TSevenSegmentCharacter {
    ssc0, ssc1, ssc2, ssc3, ssc4, ssc5, ssc6, ssc7, ssc8, ssc9,
    sscA, sscB, sscC, sscD, sscE, sscF,
    sscPeriod, sscColon, sscPlus, sscMinus, sscBlank, sscLine,
    sscUpArrow, sscDownArrow, sscSemiColon, sscComma
};
Q_ENUM_NS(TSevenSegmentCharacter)

enum TiLeadingStyle { ilsNone = 0, ilsZeros = 1, ilsSpaces = 2 };
Q_ENUM_NS(TiLeadingStyle)

enum TiTickMinorAlignment { itmnaInside, itmnaCenter, itmnaOutside };
Q_ENUM_NS(TiTickMinorAlignment)

enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };
Q_ENUM_NS(TiPrecisionStyle)

enum TiAutoScaleStyle { iassAutoMinMax, iassFixedMinMax };
Q_ENUM_NS(TiAutoScaleStyle)

enum TiAngularGaugePointerStyle { iagpsArrowLine, iagpsArrow, iagpsLine, iagpsTriangle };
Q_ENUM_NS(TiAngularGaugePointerStyle)

enum TiLabelAlignment { ilaCenter, ilaJustified };
Q_ENUM_NS(TiLabelAlignment)

enum TiAlignmentVertical { iavCenter, iavTop, iavBottom };
Q_ENUM_NS(TiAlignmentVertical)

enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };
Q_ENUM_NS(TiAlignmentHorizontal)

enum TiPanelFaceStyle { ipfsNone, ipfsStandard, ipfsPicture };
Q_ENUM_NS(TiPanelFaceStyle)

} // namespace TiTypes

using TiTypes::TiBevelStyle;
using enum TiTypes::TiBevelStyle;
using TiTypes::TSevenSegmentCharacter;
using enum TiTypes::TSevenSegmentCharacter;
using TiTypes::TiLeadingStyle;
using enum TiTypes::TiLeadingStyle;
using TiTypes::TiTickMinorAlignment;
using enum TiTypes::TiTickMinorAlignment;
using TiTypes::TiPrecisionStyle;
using enum TiTypes::TiPrecisionStyle;
using TiTypes::TiAutoScaleStyle;
using enum TiTypes::TiAutoScaleStyle;
using TiTypes::TiAngularGaugePointerStyle;
using enum TiTypes::TiAngularGaugePointerStyle;
using TiTypes::TiLabelAlignment;
using enum TiTypes::TiLabelAlignment;
using TiTypes::TiAlignmentVertical;
using enum TiTypes::TiAlignmentVertical;
using TiTypes::TiAlignmentHorizontal;
using enum TiTypes::TiAlignmentHorizontal;
using TiTypes::TiPanelFaceStyle;
using enum TiTypes::TiPanelFaceStyle;

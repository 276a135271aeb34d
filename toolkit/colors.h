// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours as the instruments speak of them: 0x00BBGGRR values, where a value
// of the form 0xFF0000nn names the desktop's system colour number nn.
#include <QColor>
#include <cstdint>

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;
// The oscilloscope screen's dark glass: red, green and blue 70 each.
inline constexpr TColor clScreenDark = 0x464646;

// System colours.
inline constexpr TColor clMenuText = 0xFF000007;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor cl3DDkShadow = 0xFF000015;
inline constexpr TColor cl3DLight = 0xFF000016;

constexpr bool isSystemColor(TColor c)
{
    return (c & 0xFF000000u) == 0xFF000000u;
}

constexpr TColor rgbColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int redOf(TColor c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(TColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(TColor c)
{
    return int((c >> 16) & 0xFF);
}

// Resolves system colours through the application palette; plain colours map
// directly (the palette-relative flag 0x02000000 is ignored).
QColor toQColor(TColor c);
// The TColor of a pixel read back from an image.
TColor fromQColor(const QColor &c);

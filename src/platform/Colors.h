#pragma once

#include <cstdint>

// 0x00BBGGRR for an explicit colour; 0x80000000 + index for a system colour; clNone for none.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor kSystemColorBase = 0x80000000;

constexpr TColor clScrollBar = kSystemColorBase + 0;
constexpr TColor clBackground = kSystemColorBase + 1;
constexpr TColor clActiveCaption = kSystemColorBase + 2;
constexpr TColor clInactiveCaption = kSystemColorBase + 3;
constexpr TColor clMenu = kSystemColorBase + 4;
constexpr TColor clWindow = kSystemColorBase + 5;
constexpr TColor clWindowFrame = kSystemColorBase + 6;
constexpr TColor clMenuText = kSystemColorBase + 7;
constexpr TColor clWindowText = kSystemColorBase + 8;
constexpr TColor clCaptionText = kSystemColorBase + 9;
constexpr TColor clActiveBorder = kSystemColorBase + 10;
constexpr TColor clInactiveBorder = kSystemColorBase + 11;
constexpr TColor clAppWorkSpace = kSystemColorBase + 12;
constexpr TColor clHighlight = kSystemColorBase + 13;
constexpr TColor clHighlightText = kSystemColorBase + 14;
constexpr TColor clBtnFace = kSystemColorBase + 15;
constexpr TColor clBtnShadow = kSystemColorBase + 16;
constexpr TColor clGrayText = kSystemColorBase + 17;
constexpr TColor clBtnText = kSystemColorBase + 18;
constexpr TColor clInactiveCaptionText = kSystemColorBase + 19;
constexpr TColor clBtnHighlight = kSystemColorBase + 20;
constexpr TColor cl3DDkShadow = kSystemColorBase + 21;
constexpr TColor cl3DLight = kSystemColorBase + 22;
constexpr TColor clInfoText = kSystemColorBase + 23;
constexpr TColor clInfoBk = kSystemColorBase + 24;

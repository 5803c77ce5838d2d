#pragma once
// Keyboard shortcuts of menu items: a virtual-key code in the low byte and
// the modifier flags above it, as form resources store them (Ctrl+O is
// 0x4000 | 'O' = 16463).
#include <cstdint>
#include <string>

#include "toolkit/ControlTypes.h"

using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
// "Ctrl+Shift+F5", "Alt+X", "Del"; empty for scNone.
std::wstring ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText (case-insensitive); scNone when not understood.
TShortCut TextToShortCut(const std::wstring& text);

#pragma once
// Drives real toolkit windows from tests the way a user would: mouse clicks
// at a control's centre (real input through SendInput, or posted button
// messages), keys, typed text, focus moves, and pumping messages for real
// time so that timers run.
#include <windows.h>

#include <functional>
#include <string>

class TControl;
class TWinControl;
class TForm;

namespace uitest {

// Handles messages (through the application's loop, so dialog keys work)
// for `ms` milliseconds of real time.
void Pump(int ms);
// Pumps until `done` returns true or `timeoutMs` passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);

// Shows the form, brings it to the front and waits until it is painted.
void ShowAndActivate(TForm& form);

// Screen position of the centre of a control (graphic controls included).
POINT ScreenCentre(TControl& control);
// A real left click: the cursor moves there and a press and release are
// injected with SendInput; then messages are pumped briefly.
void Click(TControl& control);
void ClickAt(POINT screen);
// A click delivered as posted WM_LBUTTONDOWN / WM_LBUTTONUP to the window
// under the control's centre (graphic controls: their parent).
void PostClick(TControl& control);

// A key press and release (with Shift held when asked), injected as real input.
void PressKey(WORD virtualKey, bool shift = false);
// Types text as real keyboard input (Unicode characters).
void TypeText(const std::wstring& text);
// Moves focus with the Tab key (Shift+Tab when backwards).
void Tab(bool backwards = false);

std::wstring WindowText(HWND window);
// The caption as the control shows it (window text, or a graphic control's caption).
std::wstring CaptionOf(TControl& control);

}  // namespace uitest

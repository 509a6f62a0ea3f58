// Looking at windows through the real API, and driving them as a user does.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace vt {

RECT WindowRect(HWND h);
LONG Style(HWND h);
LONG ExStyle(HWND h);
bool IsTopMost(HWND h);
// Children of a window in z-order from the top.
std::vector<HWND> Children(HWND parent);
// The child control of `parent` whose window text is `text` (GBK given as wide text).
HWND ChildWithText(HWND parent, const std::wstring& text);
int ScreenWidth();
int ScreenHeight();

// Real mouse input at a screen point (absolute coordinates, as the virtual desktop needs).
void ClickAt(int x, int y);
void MouseMoveTo(int x, int y);
void MouseDown(int x, int y);
void MouseUp(int x, int y);
// Clicks the centre of a window.
void ClickCentre(HWND h);
// A key press and release, sent as real input to the foreground window.
void PressKey(WORD vk);

}  // namespace vt

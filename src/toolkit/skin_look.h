// How the skin draws a push button.
#pragma once
#include <windows.h>

namespace vl {

void PaintSkinnedButton(HWND button, HDC dc, int style, bool hover);
// Windows the skin dresses now (for tests).
int SkinnedWindowCount();

}  // namespace vl

// Caption drawing shared by Label and TransLabel.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/definition.h"

namespace vl {

struct CaptionStyleInfo {
  int hAlign = 0;
  int vAlign = 0;
  bool wordWrap = false;
};

// DrawText flags for an alignment: the horizontal one always without clipping; wrapped text
// takes DT_VCENTER, which Windows honours only on single lines, so wrapped text starts at the top.
UINT CaptionFlags(const CaptionStyleInfo& s);

// Draws the caption in a transparent background mode, in the font and colour given.
void DrawCaption(HDC dc, const RECT& rc, const std::string& gbk, HFONT font, Colour colour,
                 const CaptionStyleInfo& s);

}  // namespace vl

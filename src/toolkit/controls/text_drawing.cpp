#include "toolkit/controls/text_drawing.h"

#include "toolkit/gbk.h"
#include "toolkit/handles.h"

namespace vl {

UINT CaptionFlags(const CaptionStyleInfo& s) {
  UINT flags = DT_NOCLIP;
  if (s.hAlign == 1) flags |= DT_CENTER;
  if (s.hAlign == 2) flags |= DT_RIGHT;
  if (s.wordWrap) return flags | DT_WORDBREAK | DT_VCENTER;
  flags |= DT_SINGLELINE;
  if (s.vAlign == 1) flags |= DT_VCENTER;
  if (s.vAlign == 2) flags |= DT_BOTTOM;
  return flags;
}

void DrawCaption(HDC dc, const RECT& rc, const std::string& gbk, HFONT font, Colour colour,
                 const CaptionStyleInfo& s) {
  if (gbk.empty()) return;
  const std::wstring text = WideFromGbk(gbk);
  Selected f(dc, font);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, colour & 0x00FFFFFF);
  RECT r = rc;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, CaptionFlags(s));
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

}  // namespace vl

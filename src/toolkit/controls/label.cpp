// Label: an opaque rectangle with a caption.
#include "toolkit/controls/kinds.h"
#include "toolkit/controls/text_drawing.h"
#include "toolkit/geometry.h"

namespace vl {
namespace {

class Label final : public Control {
 public:
  using Control::Control;

  void SetCaption(const std::string& text) override {
    Control::SetCaption(text);
    if (HWND h = hwnd()) ::InvalidateRect(h, nullptr, TRUE);
  }

 protected:
  NativeClass Native() const override {
    DWORD style = 0, ex = 0;
    BorderStyles(ClampPick(def_.border, 0, 6), style, ex);
    return {kOwnClass, style, ex};
  }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd(), &ps);
        RECT rc;
        ::GetClientRect(hwnd(), &rc);
        FillColour(dc, rc, def_.backColour);
        DrawCaption(dc, rc, def_.caption, Font(), def_.textColour,
                    {ClampPick(def_.hAlign, 0, 2), ClampPick(def_.vAlign, 0, 2), def_.wordWrap});
        ::EndPaint(hwnd(), &ps);
        return 0;
      }
      default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
  }
};

}  // namespace

std::unique_ptr<Control> MakeLabel(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<Label>(w, d, e);
}

}  // namespace vl

// TransLabel: a caption drawn straight onto whatever lies beneath it.
#include "toolkit/controls/kinds.h"
#include "toolkit/controls/text_drawing.h"
#include "toolkit/geometry.h"

namespace vl {
namespace {

class TransLabel final : public Control {
 public:
  using Control::Control;

  void SetCaption(const std::string& text) override {
    Control::SetCaption(text);
    Rebuild();
  }

 protected:
  // WS_EX_TRANSPARENT: the label is painted after the siblings beneath it, so their own painting
  // does not cover its text.
  NativeClass Native() const override { return {kOwnClass, 0, WS_EX_TRANSPARENT}; }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // no background of its own: what lies beneath shows
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd(), &ps);
        RECT rc;
        ::GetClientRect(hwnd(), &rc);
        DrawCaption(dc, rc, def_.caption, Font(), def_.textColour,
                    {ClampPick(def_.hAlign, 0, 2), ClampPick(def_.vAlign, 0, 2), def_.wordWrap});
        ::EndPaint(hwnd(), &ps);
        return 0;
      }
      case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) Rebuild();
        break;
      }
      default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
  }

 private:
  // Text drawn over old pixels would leave the old text's strokes showing, so everything beneath
  // the label is painted again first: the window, then each control it overlaps, then the text.
  void Rebuild() {
    HWND self = hwnd();
    if (!self || !::IsWindowVisible(self)) return;
    HWND top = ::GetAncestor(self, GA_ROOT);
    HWND parent = ::GetParent(self);
    RECT area;
    ::GetWindowRect(self, &area);

    RECT inTop = area;
    ::MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&inTop), 2);
    // No RDW_ALLCHILDREN: the controls beneath are redrawn one by one below, each only where the
    // label covers it.
    ::RedrawWindow(top, &inTop, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling == self || !::IsWindowVisible(sibling)) continue;
      RECT theirs, overlap;
      ::GetWindowRect(sibling, &theirs);
      if (!::IntersectRect(&overlap, &theirs, &area)) continue;
      // RedrawWindow takes client coordinates; with RDW_FRAME the part over the frame counts too.
      ::MapWindowPoints(nullptr, sibling, reinterpret_cast<POINT*>(&overlap), 2);
      ::RedrawWindow(sibling, &overlap, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
    ::RedrawWindow(self, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
};

}  // namespace

std::unique_ptr<Control> MakeTransLabel(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<TransLabel>(w, d, e);
}

}  // namespace vl

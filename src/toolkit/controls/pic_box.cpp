// PicBox: a rectangle that shows one picture over its background colour.
#include "toolkit/controls/dib.h"
#include "toolkit/controls/kinds.h"
#include "toolkit/geometry.h"

namespace vl {
namespace {

// Where DisplayMode 2 puts a picture: centred at natural size, or first shrunk by the smaller of
// the two ratios box / picture when it does not fit, so its proportions are kept.
Rect CentredPlace(int boxW, int boxH, int picW, int picH) {
  int w = picW, h = picH;
  if (picW > boxW || picH > boxH) {
    // Compare boxW / picW with boxH / picH without division; 64 bits keep the products exact.
    if (static_cast<long long>(boxW) * picH <= static_cast<long long>(boxH) * picW) {
      w = boxW;
      h = static_cast<int>(static_cast<long long>(picH) * boxW / picW);
    } else {
      h = boxH;
      w = static_cast<int>(static_cast<long long>(picW) * boxH / picH);
    }
  }
  const int x = (boxW - w) / 2, y = (boxH - h) / 2;
  return {x, y, x + w, y + h};
}

class PicBox final : public Control {
 public:
  PicBox(LoadedWindow& w, const ControlDef& d, const ControlEvents* e)
      : Control(w, d, e), picture_(d.picture) {
    def_.displayMode = ClampPick(def_.displayMode, 0, 2);
    def_.picture = Picture();  // the shown picture holds it now
  }

  void SetPicture(Bytes file) override {
    picture_ = ShownPicture(KeptPicture(file));
    if (HWND h = hwnd()) ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

 protected:
  NativeClass Native() const override {
    DWORD style = 0, ex = 0;
    BorderStyles(ClampPick(def_.border, 0, 5), style, ex);
    return {kOwnClass, style, ex};
  }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // the whole box is painted in WM_PAINT
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd(), &ps);
        RECT rc;
        ::GetClientRect(hwnd(), &rc);
        Draw(dc, rc);
        ::EndPaint(hwnd(), &ps);
        return 0;
      }
      default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
  }

 private:
  // Where the picture goes in the box, at its own size unless displayed stretched or shrunk.
  Rect Place(const RECT& rc) const {
    if (def_.displayMode == 0) return {0, 0, picture_.width(), picture_.height()};  // the box's edges cut it
    if (def_.displayMode == 1) return {0, 0, rc.right, rc.bottom};
    return CentredPlace(rc.right, rc.bottom, picture_.width(), picture_.height());
  }

  // Every pixel is painted once, the picture on its place and the background colour around it, so
  // a redraw never flickers and needs no off-screen copy of the box.
  void Draw(HDC dc, const RECT& rc) const {
    if (picture_.empty()) {
      FillColour(dc, rc, def_.backColour);
      return;
    }
    const Rect to = Place(rc);
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, to.left, to.top, to.right, to.bottom);
    FillColour(dc, rc, def_.backColour);
    ::RestoreDC(dc, saved);
    const bool stretched = to.width() != picture_.width() || to.height() != picture_.height();
    // HALFTONE averages source pixels, which only pays on displays deep enough to show the mix.
    const bool halftone = stretched && ::GetDeviceCaps(dc, BITSPIXEL) > 16;
    const int oldMode = ::SetStretchBltMode(dc, halftone ? HALFTONE : COLORONCOLOR);
    if (halftone) ::SetBrushOrgEx(dc, 0, 0, nullptr);  // HALFTONE leaves the brush origin undefined
    if (!picture_.Draw(dc, to.left, to.top, to.width(), to.height())) {
      const RECT place{to.left, to.top, to.right, to.bottom};
      FillColour(dc, place, def_.backColour);  // the system refused to draw it: no stale pixels
    }
    ::SetStretchBltMode(dc, oldMode);
  }

  ShownPicture picture_;
};

}  // namespace

std::unique_ptr<Control> MakePicBox(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<PicBox>(w, d, e);
}

}  // namespace vl

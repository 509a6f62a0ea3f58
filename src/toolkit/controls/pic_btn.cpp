// PicBtn: a button drawn entirely from pictures, one per state, whose outline can leave out the
// pixels of a transparent colour.
#include <algorithm>
#include <vector>

#include "toolkit/controls/dib.h"
#include "toolkit/controls/kinds.h"
#include "toolkit/geometry.h"
#include "toolkit/region_runs.h"

namespace vl {
namespace {

enum class DrawState { Normal, Hover, Pressed };

// The union of the runs as one region. ExtCreateRegion is handed at most kRegionBatch rectangles
// at a time; the batches are joined with RGN_OR.
OwnedRegion RegionFromRuns(const std::vector<RunRect>& runs) {
  OwnedRegion result(::CreateRectRgn(0, 0, 0, 0));
  if (!result) return {};
  std::vector<unsigned char> buffer;
  for (std::size_t first = 0; first < runs.size(); first += kRegionBatch) {
    const std::size_t count = std::min(kRegionBatch, runs.size() - first);
    buffer.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    RGNDATAHEADER& head = data->rdh;
    head.dwSize = sizeof head;
    head.iType = RDH_RECTANGLES;
    head.nCount = static_cast<DWORD>(count);
    head.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    head.rcBound = {runs[first].left, runs[first].top, runs[first].right, runs[first].bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < count; ++i) {
      const RunRect& r = runs[first + i];
      rects[i] = {r.left, r.top, r.right, r.bottom};
      head.rcBound.left = std::min(head.rcBound.left, static_cast<LONG>(r.left));
      head.rcBound.top = std::min(head.rcBound.top, static_cast<LONG>(r.top));
      head.rcBound.right = std::max(head.rcBound.right, static_cast<LONG>(r.right));
      head.rcBound.bottom = std::max(head.rcBound.bottom, static_cast<LONG>(r.bottom));
    }
    OwnedRegion batch(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
    if (!batch) return {};
    ::CombineRgn(result.get(), result.get(), batch.get(), RGN_OR);
  }
  return result;
}

class PicBtn final : public Control {
 public:
  PicBtn(LoadedWindow& w, const ControlDef& d, const ControlEvents* e)
      : Control(w, d, e),
        normal_(MakePictureBitmap(d.normalPicture)),
        hover_(MakePictureBitmap(d.hoverPicture)),
        pressed_(MakePictureBitmap(d.pressedPicture)),
        disabled_(MakePictureBitmap(d.disabledPicture)) {
    def_.toggle = ClampPick(def_.toggle, 0, 1);
  }

 protected:
  NativeClass Native() const override { return {kOwnClass, 0, 0}; }

  void AfterCreate() override { ApplyShape(); }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        Paint();
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:  // the class takes double clicks; a quick second press is a press
        OnPress(PointFrom(lp));
        return 0;
      case WM_MOUSEMOVE:
        OnMove(PointFrom(lp), (wp & MK_LBUTTON) != 0);
        return 0;
      case WM_LBUTTONUP:
        OnRelease(PointFrom(lp));
        return 0;
      case WM_CAPTURECHANGED:
        // Someone else took the mouse (or we let it go): nothing is under our control any more.
        if (reinterpret_cast<HWND>(lp) != hwnd()) SetState(DrawState::Normal);
        return 0;
      case WM_ENABLE:
        Refresh();
        return 0;
      default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
  }

 private:
  static POINT PointFrom(LPARAM lp) {
    return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  }

  bool Inside(POINT p) const {
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    return ::PtInRect(&rc, p) != FALSE;
  }

  void OnPress(POINT p) {
    if (!Inside(p)) {
      // Only reachable while the hover capture is held.
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      return;
    }
    ::SetCapture(hwnd());
    SetState(DrawState::Pressed);
  }

  void OnMove(POINT p, bool leftDown) {
    POINT screen = p;
    ::ClientToScreen(hwnd(), &screen);
    if (::WindowFromPoint(screen) == hwnd()) {
      // The capture tells us when the mouse leaves, since no message comes from outside otherwise.
      if (::GetCapture() != hwnd()) ::SetCapture(hwnd());
      SetState(leftDown ? DrawState::Pressed : DrawState::Hover);
      return;
    }
    if (!leftDown && ::GetCapture() == hwnd()) ::ReleaseCapture();
    SetState(DrawState::Normal);
  }

  void OnRelease(POINT p) {
    if (::GetCapture() == hwnd()) ::ReleaseCapture();
    if (!Inside(p) || !::IsWindowEnabled(hwnd())) {
      SetState(DrawState::Normal);
      return;
    }
    SetState(DrawState::Normal);
    if (def_.toggle == 1) {
      def_.checked = !def_.checked;
      Refresh();
    }
    RaiseClicked();  // last: the handler may take the whole window down
  }

  // A checked toggle button looks pressed whatever the mouse does.
  DrawState Shown() const { return def_.toggle == 1 && def_.checked ? DrawState::Pressed : state_; }

  const PictureBitmap& Current() const {
    if (!::IsWindowEnabled(hwnd()) && !disabled_.empty()) return disabled_;
    const DrawState s = Shown();
    if (s == DrawState::Hover && !hover_.empty()) return hover_;
    if (s == DrawState::Pressed && !pressed_.empty()) return pressed_;
    return normal_;
  }

  void SetState(DrawState s) {
    if (s == state_) return;
    state_ = s;
    Refresh();
  }

  // Shape and pixels follow the picture now shown, at once.
  void Refresh() {
    ApplyShape();
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }

  void ApplyShape() {
    const PictureBitmap& picture = Current();
    const bool shaped = def_.transparentColour != kDefaultColour && !picture.empty();
    const PictureBitmap* wanted = shaped ? &picture : nullptr;
    if (wanted == shapedBy_) return;  // same picture, same outline
    shapedBy_ = wanted;
    if (!shaped) {
      ::SetWindowRgn(hwnd(), nullptr, TRUE);
      return;
    }
    OwnedRegion region = RegionFromRuns(BuildRegionRuns(picture.image, def_.transparentColour));
    // The system owns a region once it is the window's.
    if (region && ::SetWindowRgn(hwnd(), region.get(), TRUE)) {
      region.release();
      return;
    }
    // No outline to be had (GDI refused the region): the whole rectangle, rather than an outline
    // left over from another picture, and the next change tries again.
    ::SetWindowRgn(hwnd(), nullptr, TRUE);
    shapedBy_ = nullptr;
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    OffscreenBuffer buffer(dc, rc.right, rc.bottom);
    HDC target = buffer.dc() ? buffer.dc() : dc;
    ::PatBlt(target, 0, 0, rc.right, rc.bottom, BLACKNESS);
    DrawBitmap(target, Current(), 0, 0);
    buffer.CopyTo(dc, 0, 0);
    ::EndPaint(hwnd(), &ps);
  }

  PictureBitmap normal_, hover_, pressed_, disabled_;
  DrawState state_ = DrawState::Normal;
  const PictureBitmap* shapedBy_ = nullptr;  // the picture the window region was made from
};

}  // namespace

std::unique_ptr<Control> MakePicBtn(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<PicBtn>(w, d, e);
}

}  // namespace vl

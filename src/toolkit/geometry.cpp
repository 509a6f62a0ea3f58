#include "toolkit/geometry.h"

namespace vl {

Point CentreOn(int screenWidth, int screenHeight, int w, int h) {
  return Point{(screenWidth - w) / 2, (screenHeight - h) / 2};
}

std::optional<Rect> MoveTarget(const Rect& current, int left, int top, int width, int height) {
  Rect r{left, top, left + current.width(), top + current.height()};
  if (width != -1) r.right = left + width;
  if (height != -1) r.bottom = top + height;
  if (r == current) return std::nullopt;
  return r;
}

std::uint32_t CaptionStyle(const CaptionInputs& in) {
  if (in.border == 0) return 0;
  std::uint32_t s = style::kDlgFrame;
  if (in.hasTitle || in.controlButtons) s |= style::kCaption;
  if (in.controlButtons) s |= style::kSysMenu;
  if (in.minButton) s |= style::kMinimizeBox;
  if (in.maxButton) s |= style::kMaximizeBox;
  // Resizable borders (1, 3, 5) carry a sizing frame.
  if (in.border == 1 || in.border == 3 || in.border == 5) s |= style::kThickFrame;
  return s;
}

}  // namespace vl

// Window geometry and style arithmetic, kept apart from Win32 so it is tested natively.
#pragma once
#include <cstdint>
#include <optional>

namespace vl {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Top-left corner that centres a w x h window on a W x H screen. Division truncates toward zero,
// so a window larger than the screen gets negative coordinates, half the excess on each side.
Point CentreOn(int screenWidth, int screenHeight, int w, int h);

// The rectangle MoveWindowTo asks for: left and top as given, the current size kept unless a
// new width or height other than -1 is given. Empty when it equals the current rectangle, so
// that no native call is made.
std::optional<Rect> MoveTarget(const Rect& current, int left, int top, int width, int height);

// Window style bits, numerically as Windows defines them.
namespace style {
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kDlgFrame = 0x00400000;
inline constexpr std::uint32_t kCaption = 0x00C00000;  // kBorder | kDlgFrame
inline constexpr std::uint32_t kSysMenu = 0x00080000;
inline constexpr std::uint32_t kThickFrame = 0x00040000;
inline constexpr std::uint32_t kMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kMaximizeBox = 0x00010000;
// The bits a ControlButtons write may change.
inline constexpr std::uint32_t kCaptionBits = kCaption | kSysMenu | kMinimizeBox | kMaximizeBox;
}  // namespace style

struct CaptionInputs {
  int border = 2;
  bool hasTitle = false;
  bool controlButtons = true;
  bool minButton = false;
  bool maxButton = false;
};

// Frame and caption bits of a top-level window. A border that is not 0 always has a dialog
// frame; the title bar comes with a title or with control buttons, and only control buttons
// bring the system menu (and with it the close box).
std::uint32_t CaptionStyle(const CaptionInputs& in);

// A pick value outside [lo, hi] is clamped to the nearer end.
inline int ClampPick(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace vl

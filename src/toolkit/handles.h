// One owner per native handle. Each owner frees its handle exactly once, and every kind keeps a
// count of the handles alive, so tests can see that nothing leaks (GetGuiResources is not
// available everywhere).
#pragma once
#include <windows.h>

#include <utility>

namespace vl {

enum class HandleKind { Window, Gdi, Icon, Hook, Dc, Count };

// Live handles of a kind, and of all kinds together.
long LiveHandles(HandleKind kind);
long LiveHandles();
void CountHandle(HandleKind kind, int delta);

template <class H, HandleKind K, class Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) : h_(h) {
    if (h_) CountHandle(K, +1);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, H{});
    }
    return *this;
  }
  ~Owned() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }

  void reset(H h = H{}) {
    if (h_) {
      Free{}(h_);
      CountHandle(K, -1);
    }
    h_ = h;
    if (h_) CountHandle(K, +1);
  }
  // Hands the handle to someone who frees it (SetWindowRgn takes its region).
  H release() {
    if (h_) CountHandle(K, -1);
    return std::exchange(h_, H{});
  }

 private:
  H h_{};
};

struct FreeGdi {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
struct FreeIcon {
  void operator()(HICON h) const { ::DestroyIcon(h); }
};
struct FreeHook {
  void operator()(HHOOK h) const { ::UnhookWindowsHookEx(h); }
};
struct FreeDc {
  void operator()(HDC h) const { ::DeleteDC(h); }
};
struct FreeWindow {
  void operator()(HWND h) const {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};

using OwnedBrush = Owned<HBRUSH, HandleKind::Gdi, FreeGdi>;
using OwnedFont = Owned<HFONT, HandleKind::Gdi, FreeGdi>;
using OwnedBitmap = Owned<HBITMAP, HandleKind::Gdi, FreeGdi>;
using OwnedRegion = Owned<HRGN, HandleKind::Gdi, FreeGdi>;
using OwnedIcon = Owned<HICON, HandleKind::Icon, FreeIcon>;
using OwnedHook = Owned<HHOOK, HandleKind::Hook, FreeHook>;
using OwnedDc = Owned<HDC, HandleKind::Dc, FreeDc>;

// A window the toolkit created. Native windows can also die by themselves (their parent goes,
// WM_CLOSE's default processing), so the owner only destroys one that still exists, and the
// window procedure calls Forget() at WM_NCDESTROY.
class OwnedWindow {
 public:
  OwnedWindow() = default;
  explicit OwnedWindow(HWND h) : h_(h) {
    if (h_) CountHandle(HandleKind::Window, +1);
  }
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  OwnedWindow(OwnedWindow&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  OwnedWindow& operator=(OwnedWindow&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  ~OwnedWindow() { reset(); }
  HWND get() const { return h_; }
  void reset() {
    if (HWND h = std::exchange(h_, nullptr)) {
      CountHandle(HandleKind::Window, -1);
      FreeWindow{}(h);
    }
  }
  void Forget() {
    if (std::exchange(h_, nullptr)) CountHandle(HandleKind::Window, -1);
  }

 private:
  HWND h_ = nullptr;
};

// A screen DC borrowed with GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects an object into a DC for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  ~Selected() {
    if (old_) ::SelectObject(dc_, old_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace vl

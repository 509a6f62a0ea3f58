// What a window's client area shows, read back from the screen through its own DC.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace vt {

struct Shot {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
      ADD_FAILURE() << "(" << x << "," << y << ") lies outside the " << width << "x" << height << " window";
      return 0xFFFFFFFF;
    }
    return pixels[static_cast<std::size_t>(y) * width + x];
  }
  int Count(COLORREF c) const {
    int n = 0;
    for (COLORREF p : pixels) n += p == c;
    return n;
  }
  friend bool operator==(const Shot&, const Shot&) = default;
};

// The pixels as they are now: nothing is painted first.
inline Shot CaptureClient(HWND h) {
  Shot s;
  RECT rc;
  ::GetClientRect(h, &rc);
  s.width = rc.right;
  s.height = rc.bottom;
  if (s.width <= 0 || s.height <= 0) return s;
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof bmi.bmiHeader, s.width, -s.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = ::GetDC(h);
  HDC mem = ::CreateCompatibleDC(screen);
  HBITMAP dib = ::CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, dib);
  ::BitBlt(mem, 0, 0, s.width, s.height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  s.pixels.resize(static_cast<std::size_t>(s.width) * s.height);
  for (std::size_t i = 0; i < s.pixels.size(); ++i) {
    const std::uint32_t v = px[i];  // 0x00RRGGBB in a 32-bit DIB
    s.pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  ::SelectObject(mem, old);
  ::DeleteObject(dib);
  ::DeleteDC(mem);
  ::ReleaseDC(h, screen);
  return s;
}

}  // namespace vt

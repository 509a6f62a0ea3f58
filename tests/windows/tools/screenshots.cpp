// screenshots OUTDIR
// Drives the real program through its windows and saves what the screen shows as BMP files:
// the setup window, the mask panel and the about box. Layered windows are drawn opaque under a
// bare X server, so the mask is hidden (through its notification-area icon) before the panel is
// taken.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "program/running_program.h"

namespace {

bool SaveScreenRect(const RECT& rc, const std::wstring& path) {
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, dib);
  ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  ::GdiFlush();
  const DWORD rowBytes = static_cast<DWORD>((w * 3 + 3) & ~3);
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(54 + rowBytes * h), 0, 0, 54};
  bool ok = false;
  if (FILE* f = _wfopen(path.c_str(), L"wb")) {
    ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, 40, 1, f) == 1 &&
         std::fwrite(bits, rowBytes * h, 1, f) == 1;
    std::fclose(f);
  }
  ::SelectObject(mem, old);
  ::DeleteObject(dib);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace vt;
  const std::wstring out = argc > 1 ? std::wstring(argv[1]) + L"\\" : L"";
  RunningProgram p;
  if (!p) return 1;
  HWND setup = p.setup();
  Pump(500);
  SaveScreenRect(WindowRect(setup), out + L"setup-window.bmp");

  // An icon for the setup window, so the mask can be hidden later.
  p.Click(::GetDlgItem(setup, setup_ids::k按钮2));
  WaitFor([&] { return !::IsWindowVisible(setup); });
  p.Tray(setup, WM_LBUTTONUP);
  WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; });
  HWND panel = p.ApplyMask();
  if (!panel) return 2;
  p.Tray(setup, WM_LBUTTONUP);
  WaitFor([&] { return !::IsWindowVisible(setup); });
  ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(500);
  SaveScreenRect(WindowRect(panel), out + L"mask-panel.bmp");

  HWND about = p.ClickForNewWindow(::GetDlgItem(panel, panel_ids::k按钮1));
  if (!about) return 3;
  Pump(500);
  SaveScreenRect(WindowRect(about), out + L"about-box.bmp");
  ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump(300);
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  p.child().WaitExit(5000);
  return 0;
}

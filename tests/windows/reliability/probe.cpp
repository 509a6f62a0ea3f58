#include "reliability/probe.h"

#include <cstdlib>

namespace vt {

long LiveHandlesOf(HWND window, Handles kind) {
  static const UINT message = ::RegisterWindowMessageW(L"Veilora.LiveHandles");
  DWORD_PTR answer = 0;
  const WPARAM which = kind == Handles::All ? 0 : static_cast<WPARAM>(kind) + 1;
  if (!::SendMessageTimeoutW(window, message, which, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
  return static_cast<long>(answer);
}

OrdinaryWindow::OrdinaryWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VeiloraReliabilityOrdinary";
  ::RegisterClassW(&wc);
  hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"ordinary", WS_OVERLAPPEDWINDOW, 0, 0, 60, 60, nullptr, nullptr,
                            wc.hInstance, nullptr);
  ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

OrdinaryWindow::~OrdinaryWindow() { ::DestroyWindow(hwnd_); }

void OrdinaryWindow::Raise() const {
  ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

int EnvInt(const char* name, int fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return *end ? fallback : static_cast<int>(value);
}

std::string EnvText(const char* name, const std::string& fallback) {
  const char* text = std::getenv(name);
  return text && *text ? text : fallback;
}

}  // namespace vt

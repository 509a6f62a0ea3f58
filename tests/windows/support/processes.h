// Starting programs as child processes and watching them from outside.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vt {

// The folder of the running test program (the build folder, where veilora.exe lies too).
std::wstring ExeDir();

class Child {
 public:
  Child() = default;
  Child(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
  Child(Child&& o) noexcept;
  Child& operator=(Child&& o) noexcept;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child();  // a child still running is ended

  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_; }
  explicit operator bool() const { return process_ != nullptr; }
  // The exit code once the process has ended within `ms`, else nothing.
  std::optional<DWORD> WaitExit(DWORD ms) const;
  bool Running() const { return !WaitExit(0); }

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Starts EXE (a file name in ExeDir) with the given arguments.
Child Start(const std::wstring& exe, const std::wstring& args = L"");

// Top-level windows of a process; with visibleOnly, only those IsWindowVisible reports.
std::vector<HWND> WindowsOf(DWORD pid, bool visibleOnly = false);

// Polls (pumping this thread's messages) until `pred` holds or `ms` pass.
template <class Pred>
bool WaitFor(Pred pred, DWORD ms = 10000);

void Pump(DWORD ms);

// The first visible top-level window of the process with this class name (or any, if null),
// waiting up to `ms`.
HWND WaitForWindow(DWORD pid, const wchar_t* className, DWORD ms = 15000);

std::wstring ClassOf(HWND h);
std::wstring TextOf(HWND h);

// Live native objects a process owns, for leak checks; read through the toolkit's own counter
// where the system does not report them.
struct Memory {
  SIZE_T workingSet = 0;
  SIZE_T pagefile = 0;
};
Memory MemoryOf(HANDLE process);

template <class Pred>
bool WaitFor(Pred pred, DWORD ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (::GetTickCount() - start > ms) return false;
    Pump(10);
  }
}

}  // namespace vt

#include "support/processes.h"

#include <psapi.h>

#include <utility>

namespace vt {

std::wstring ExeDir() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

Child::Child(Child&& o) noexcept
    : process_(std::exchange(o.process_, nullptr)), pid_(std::exchange(o.pid_, 0)) {}

Child& Child::operator=(Child&& o) noexcept {
  if (this != &o) {
    this->~Child();
    process_ = std::exchange(o.process_, nullptr);
    pid_ = std::exchange(o.pid_, 0);
  }
  return *this;
}

Child::~Child() {
  if (!process_) return;
  if (Running()) {
    ::TerminateProcess(process_, 0xDEAD);
    ::WaitForSingleObject(process_, 5000);
  }
  ::CloseHandle(process_);
  process_ = nullptr;
}

std::optional<DWORD> Child::WaitExit(DWORD ms) const {
  if (!process_) return std::nullopt;
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (::WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
      DWORD code = 0;
      ::GetExitCodeProcess(process_, &code);
      return code;
    }
    if (::GetTickCount() - start >= ms) return std::nullopt;
    Pump(10);
  }
}

Child Start(const std::wstring& exe, const std::wstring& args) {
  std::wstring command = L"\"" + ExeDir() + exe + L"\"";
  if (!args.empty()) command += L" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, ExeDir().c_str(), &si,
                        &pi))
    return {};
  ::CloseHandle(pi.hThread);
  return Child(pi.hProcess, pi.dwProcessId);
}

namespace {
struct EnumData {
  DWORD pid;
  bool visibleOnly;
  std::vector<HWND>* out;
};
BOOL CALLBACK Collect(HWND h, LPARAM lp) {
  auto* d = reinterpret_cast<EnumData*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid == d->pid && (!d->visibleOnly || ::IsWindowVisible(h))) d->out->push_back(h);
  return TRUE;
}
}  // namespace

std::vector<HWND> WindowsOf(DWORD pid, bool visibleOnly) {
  std::vector<HWND> out;
  EnumData d{pid, visibleOnly, &out};
  ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&d));
  return out;
}

void Pump(DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (::GetTickCount() - start < ms);
}

std::wstring ClassOf(HWND h) {
  wchar_t cls[256] = {};
  ::GetClassNameW(h, cls, 256);
  return cls;
}

std::wstring TextOf(HWND h) {
  wchar_t text[1024] = {};
  // WM_GETTEXT with a timeout: the window may belong to a busy process.
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &result);
  return text;
}

HWND WaitForWindow(DWORD pid, const wchar_t* className, DWORD ms) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND h : WindowsOf(pid, true))
          if (!className || ClassOf(h) == className) {
            found = h;
            return true;
          }
        return false;
      },
      ms);
  return found;
}

Memory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  Memory m;
  if (::GetProcessMemoryInfo(process, &pmc, sizeof pmc)) {
    m.workingSet = pmc.WorkingSetSize;
    m.pagefile = pmc.PagefileUsage;
  }
  return m;
}

}  // namespace vt

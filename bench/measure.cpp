// bench_measure RUNS IDLE_SECONDS [STARTS]
// Starts veilora.exe, the floor program (bench_floor.exe) and the floor with the platform parts
// the program needs (bench_floor_plus.exe) in turn, RUNS times each after one warm-up start of
// each, and prints one line of figures per run for scripts/bench to summarise; then STARTS more
// starts of each (default 15) that time the start alone ("start" lines):
//   start_ms      CreateProcess to the first window visible (EnumWindows by process id: Wine's
//                 WaitForInputIdle does not work)
//   mask_ms       the switch's button-up (real input) to the mask in place as the API reports it;
//                 for floor+, from posting it its mask message to the same
//   idle_cpu_ms   user + kernel time over IDLE_SECONDS with the mask on (the floor: its window);
//                 under Wine read from the Linux process, in 10 ms ticks (see LinuxStatOf)
//   cpu_start_ms  user + kernel time from process start to a second after the window showed
//   ws_*, commit_* WorkingSetSize and PagefileUsage after start and with the mask on, in KiB
//   live_*        the program's own count of live native handles ("Veilora.LiveHandles"; the
//                 system's count, GetGuiResources, answers 0 under Wine); na for the floors
// Runs in the desktop that scripts/wine-test makes; nothing else may move the mouse meanwhile.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/processes.h"

namespace {

constexpr int kSwitchId = 1008;   // the setup window's 图形按钮1: ids follow the definition order
constexpr UINT kFloorMaskMessage = WM_APP + 1;  // makes floor+ a mask (bench/floor.cpp)
constexpr BYTE kMaskAlpha = 60;
constexpr int kMaskMargin = 300;  // the mask runs from (-10, -10) to 290 px past the far edges
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kGiveUpMs = 20000;

double Now() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER c;
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / perMs;
}

struct FindData {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND h, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  wchar_t cls[64] = {};
  ::GetClassNameW(h, cls, 64);
  if (pid == d->pid && ::IsWindowVisible(h) && std::wstring(cls) == d->cls) {
    d->found = h;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindow(DWORD pid, const wchar_t* cls) {
  FindData d{pid, cls, nullptr};
  ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

void SendMouse(int x, int y, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = (x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = (y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  ::SendInput(1, &in, sizeof in);
}

// A point inside the control's shape: its centre, or the nearest point on the centre line that
// its window region keeps (the switch's white letters are cut out).
POINT PointInside(HWND control) {
  RECT rc{};
  ::GetWindowRect(control, &rc);
  POINT p{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  if (::GetWindowRgn(control, rgn) != ERROR) {
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    for (int dx = 0; dx < w; ++dx)
      if (::PtInRegion(rgn, w / 2 + dx, h / 2) || ::PtInRegion(rgn, w / 2 - dx, h / 2)) {
        p.x = rc.left + (::PtInRegion(rgn, w / 2 + dx, h / 2) ? w / 2 + dx : w / 2 - dx);
        break;
      }
  }
  ::DeleteObject(rgn);
  return p;
}

bool MaskInPlace(HWND mask) {
  const LONG ex = ::GetWindowLongW(mask, GWL_EXSTYLE);
  const LONG want = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST;
  if ((ex & want) != want || !::IsWindowVisible(mask)) return false;
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!::GetLayeredWindowAttributes(mask, &key, &alpha, &flags) || alpha != kMaskAlpha ||
      !(flags & LWA_ALPHA))
    return false;
  RECT rc{};
  ::GetWindowRect(mask, &rc);
  return rc.left <= 0 && rc.top <= 0 && rc.right >= ::GetSystemMetrics(SM_CXSCREEN) + kMaskMargin - 10 &&
         rc.bottom >= ::GetSystemMetrics(SM_CYSCREEN) + kMaskMargin - 10;
}

// The whole contents of a file; empty if it cannot be read. /proc files report no size, so read
// until the end.
std::string ReadAll(const std::wstring& path) {
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  ::CloseHandle(h);
  return text;
}

// Under Wine, GetProcessTimes on another process answers with the caller's own times, so the
// child's CPU time is read from its Linux process instead: /proc through Wine's Z: drive, the
// process found by its command line (Wine's processes show their Windows path there). Empty on
// Windows, or when no such process is found.
std::wstring LinuxStatOf(const std::wstring& exeName) {
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &found);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::wstring stat;
  const std::string tail = "\\" + std::string(exeName.begin(), exeName.end());
  do {
    if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
    const std::wstring dir = std::wstring(L"Z:\\proc\\") + found.cFileName;
    std::string command = ReadAll(dir + L"\\cmdline");
    command = command.substr(0, command.find('\0'));  // the first argument
    if (command.size() >= tail.size() && command.compare(command.size() - tail.size(), tail.size(), tail) == 0) {
      stat = dir + L"\\stat";
      break;
    }
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return stat;
}

// User + system time in ms from a Linux /proc/<pid>/stat: fields 14 and 15, in ticks of 10 ms.
double LinuxCpuMs(const std::wstring& stat) {
  const std::string text = ReadAll(stat);
  const std::size_t close = text.rfind(')');  // the command name may hold spaces
  if (close == std::string::npos) return -1;
  unsigned long long value[13] = {};
  char state = 0;
  if (std::sscanf(text.c_str() + close + 1, " %c %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu", &state,
                  &value[0], &value[1], &value[2], &value[3], &value[4], &value[5], &value[6], &value[7],
                  &value[8], &value[9], &value[10], &value[11]) != 13)
    return -1;
  return static_cast<double>(value[10] + value[11]) * 10.0;  // utime, stime
}

double CpuMs(HANDLE process, const std::wstring& linuxStat) {
  if (!linuxStat.empty()) return LinuxCpuMs(linuxStat);
  FILETIME created, ended, kernel, user;
  if (!::GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  auto value = [](FILETIME f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return static_cast<double>(value(kernel) + value(user)) / 10000.0;
}

// Any of the program's windows answers with the toolkit's count of live native handles; -1 when
// nothing answers (the floor, or a build without the message).
long LiveHandles(HWND window) {
  static const UINT message = ::RegisterWindowMessageW(L"Veilora.LiveHandles");
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) || result == 0) return -1;
  return static_cast<long>(result);
}

std::string Figure(double value, const char* format) {
  if (value < 0) return "na";
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

enum class Mask { None, Switch, Message };  // how the program is made to show its mask

struct Program {
  const char* name;
  const wchar_t* exe;
  const wchar_t* windowClass;
  Mask mask;
};

// One start of the program. Prints its line unless it is a warm-up; false if it went wrong.
bool Run(const Program& program, DWORD idleSeconds, bool print) {
  const double started = Now();
  vt::Child child = vt::Start(program.exe);
  if (!child) {
    std::fprintf(stderr, "bench_measure: cannot start %s (error %lu)\n", program.name, ::GetLastError());
    return false;
  }
  bool ok = false;
  HWND window = nullptr;
  double startMs = 0, maskMs = -1;
  vt::Memory atStart, withMask;
  double idleCpu = 0, startCpu = 0;
  long liveAtStart = -1, liveWithMask = -1;
  for (;;) {
    if ((window = VisibleWindow(child.pid(), program.windowClass))) break;
    if (Now() - started > kGiveUpMs) break;
    ::Sleep(1);
  }
  if (!window) {
    std::fprintf(stderr, "bench_measure: %s showed no window\n", program.name);
  } else {
    startMs = Now() - started;
    ::Sleep(kSettleMs);
    atStart = vt::MemoryOf(child.handle());
    const std::wstring linuxStat = LinuxStatOf(program.exe);
    startCpu = CpuMs(child.handle(), linuxStat);
    liveAtStart = LiveHandles(window);
    bool masked = true;
    if (program.mask != Mask::None) {
      masked = false;
      double clicked = 0;
      if (program.mask == Mask::Switch) {
        HWND button = ::GetDlgItem(window, kSwitchId);
        const POINT p = PointInside(button);
        SendMouse(p.x, p.y, 0);
        ::Sleep(50);
        SendMouse(p.x, p.y, MOUSEEVENTF_LEFTDOWN);
        ::Sleep(50);
        clicked = Now();
        SendMouse(p.x, p.y, MOUSEEVENTF_LEFTUP);
      } else {
        clicked = Now();
        ::PostMessageW(window, kFloorMaskMessage, 0, 0);
      }
      while (Now() - clicked < kGiveUpMs) {
        if (MaskInPlace(window)) {
          maskMs = Now() - clicked;
          masked = true;
          break;
        }
        ::Sleep(1);
      }
      if (!masked) std::fprintf(stderr, "bench_measure: the mask did not come\n");
    }
    if (masked) {
      // Out of the way of every window, so nothing under the pointer is hot while idle.
      SendMouse(::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2, 0);
      ::Sleep(kSettleMs);
      const double before = CpuMs(child.handle(), linuxStat);
      ::Sleep(idleSeconds * 1000);
      idleCpu = CpuMs(child.handle(), linuxStat) - before;
      withMask = vt::MemoryOf(child.handle());
      liveWithMask = LiveHandles(window);
      ok = before >= 0;
    }
  }
  child = vt::Child();  // ended here, before the figures are printed
  if (ok && print) {
    std::printf("run program=%s start_ms=%.1f mask_ms=%s cpu_start_ms=%.1f idle_cpu_ms=%.1f ws_start_kb=%lu "
                "ws_mask_kb=%lu commit_start_kb=%lu commit_mask_kb=%lu live_start=%s live_mask=%s\n",
                program.name, startMs, Figure(maskMs, "%.1f").c_str(), startCpu, idleCpu,
                static_cast<unsigned long>(atStart.workingSet / 1024),
                static_cast<unsigned long>(withMask.workingSet / 1024),
                static_cast<unsigned long>(atStart.pagefile / 1024),
                static_cast<unsigned long>(withMask.pagefile / 1024),
                Figure(liveAtStart, "%.0f").c_str(), Figure(liveWithMask, "%.0f").c_str());
    std::fflush(stdout);
  }
  // Let the desktop forget the ended process's windows before the next start.
  ::Sleep(300);
  return ok;
}

// One start timed and nothing else: the start figure varies most, so it gets more samples.
bool TimeStart(const Program& program) {
  const double started = Now();
  vt::Child child = vt::Start(program.exe);
  if (!child) return false;
  double ms = -1;
  while (Now() - started < kGiveUpMs) {
    if (VisibleWindow(child.pid(), program.windowClass)) {
      ms = Now() - started;
      break;
    }
    ::Sleep(1);
  }
  ::Sleep(200);  // let it finish its first paint before it goes
  child = vt::Child();  // ended here, before the next start
  if (ms >= 0) {
    std::printf("start program=%s start_ms=%.1f\n", program.name, ms);
    std::fflush(stdout);
  }
  ::Sleep(300);
  return ms >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  const DWORD idleSeconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 10;
  const int extraStarts = argc > 3 ? std::atoi(argv[3]) : 15;
  const Program programs[] = {
      {"floor", L"bench_floor.exe", L"BenchFloor", Mask::None},
      {"floor+", L"bench_floor_plus.exe", L"BenchFloor", Mask::Message},
      {"veilora", L"veilora.exe", L"VeiloraWindow", Mask::Switch},
  };
  bool ok = true;
  // The first start of each loads its files from disk; keep it out of the figures.
  for (const Program& p : programs) ok = Run(p, 0, false) && ok;
  // Take turns so that a slow spell of the machine falls on all of them alike.
  for (int i = 0; i < runs; ++i)
    for (const Program& p : programs) ok = Run(p, idleSeconds, true) && ok;
  for (int i = 0; i < extraStarts; ++i)
    for (const Program& p : programs) ok = TimeStart(p) && ok;
  return ok ? 0 : 1;
}

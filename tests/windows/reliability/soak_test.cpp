// The real program driven through the same paths over and over, as a user would: the mask applied
// and removed, the setup window sent to the tray and back, the about box opened and closed, the
// slider moved. After a warm-up the program's live native handles (counted by the toolkit's
// owners) must not change at all, and its memory may only wobble within a small slack.
//
// CI runs a short soak; scripts/soak runs the long one. VEILORA_SOAK_CYCLES sets the mask cycles
// (checked at 10, 100 and the last), VEILORA_SOAK_PATHS the rounds of each other path (checked at
// 10 and the last).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "program/running_program.h"
#include "reliability/probe.h"

namespace vt {
namespace {

constexpr int kWarmUp = 10;
// Memory the program may gain between the end of the warm-up and the last round. A Wine process
// sometimes takes one step of a few hundred KiB early on (its own heaps and caches), and its
// working set follows paging, so that much room is allowed; a window unit's copy of its
// definition or its banner bitmap (each over 150 KiB) leaked per mask cycle passes it within a
// handful of cycles, a few KiB per cycle within the long run's 1000.
constexpr SIZE_T kPagefileSlack = 1024 * 1024;
constexpr SIZE_T kWorkingSetSlack = 2 * 1024 * 1024;

struct Figures {
  long handles = -1;
  long kinds[kHandleKinds] = {};
  Memory memory;
};

Figures Measure(RunningProgram& p) {
  Figures f;
  f.handles = LiveHandlesOf(p.setup());
  for (int k = 0; k < kHandleKinds; ++k) f.kinds[k] = LiveHandlesOf(p.setup(), static_cast<Handles>(k));
  f.memory = MemoryOf(p.child().handle());
  return f;
}

void Print(const char* path, int round, const Figures& f) {
  std::printf("soak %-6s %5d: handles %3ld (windows %ld, gdi %ld, icons %ld, hooks %ld, dcs %ld)  "
              "pagefile %6lu KiB  working set %6lu KiB\n",
              path, round, f.handles, f.kinds[0], f.kinds[1], f.kinds[2], f.kinds[3], f.kinds[4],
              static_cast<unsigned long>(f.memory.pagefile / 1024),
              static_cast<unsigned long>(f.memory.workingSet / 1024));
  std::fflush(stdout);
}

void ExpectFlat(const Figures& base, const Figures& now) {
  ASSERT_GE(base.handles, 0) << "the program does not answer the live-handle query";
  EXPECT_EQ(now.handles, base.handles) << "native handles leaked";
  for (int k = 0; k < kHandleKinds; ++k) EXPECT_EQ(now.kinds[k], base.kinds[k]) << "kind " << k;
  EXPECT_LE(now.memory.pagefile, base.memory.pagefile + kPagefileSlack) << "private memory grew";
  EXPECT_LE(now.memory.workingSet, base.memory.workingSet + kWorkingSetSlack) << "working set grew";
}

// Runs `round` the given number of times, measuring after the warm-up, at each checkpoint and at
// the last round.
void Soak(RunningProgram& p, const char* path, int rounds, std::initializer_list<int> checkpoints,
          const std::function<bool(int)>& round) {
  Figures base;
  for (int i = 1; i <= rounds; ++i) {
    ASSERT_TRUE(round(i)) << path << " round " << i << " did not complete";
    bool check = i == kWarmUp || i == rounds;
    for (int c : checkpoints) check = check || i == c;
    if (!check) continue;
    const Figures now = Measure(p);
    Print(path, i, now);
    if (i == kWarmUp) {
      base = now;
    } else if (i > kWarmUp) {
      SCOPED_TRACE(::testing::Message() << path << " round " << i);
      ExpectFlat(base, now);
    }
  }
}

TEST(Soak, HandlesAndMemoryStayFlat) {
  const int cycles = EnvInt("VEILORA_SOAK_CYCLES", 60);
  const int paths = EnvInt("VEILORA_SOAK_PATHS", 20);
  ASSERT_GT(cycles, kWarmUp);
  ASSERT_GT(paths, kWarmUp);
  RunningProgram p;
  ASSERT_TRUE(p);
  std::printf("soak: %d mask cycles, %d rounds of the tray, about and slider paths, %dx%d\n", cycles, paths,
              ScreenWidth(), ScreenHeight());

  // Apply with the setup window's switch, remove with the panel's, clicked through the mask.
  Soak(p, "mask", cycles, {100}, [&](int) {
    HWND setup = p.setup();
    HWND panel = p.ClickForNewWindow(::GetDlgItem(setup, setup_ids::k图形按钮1));
    if (!panel || !WaitFor([&] { return LayeredOf(setup).ok; })) return false;
    RunningProgram::Click(::GetDlgItem(panel, panel_ids::k图形按钮1));
    return p.WaitForFreshSetup(setup) && WaitFor([&] { return !::IsWindow(panel); });
  });
  if (HasFatalFailure()) return;

  // "最小化" makes a fresh icon every time; the icon's left click brings the window back.
  Soak(p, "tray", paths, {}, [&](int) {
    HWND setup = p.setup();
    RunningProgram::Click(::GetDlgItem(setup, setup_ids::k按钮2));
    if (!WaitFor([&] { return !::IsWindowVisible(setup); })) return false;
    ::PostMessageW(setup, kTrayCallback, kTrayIconId, WM_LBUTTONUP);
    return WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; });
  });
  if (HasFatalFailure()) return;

  OrdinaryWindow ordinary;
  Soak(p, "about", paths, {}, [&](int) {
    ordinary.Raise();
    HWND setup = p.setup();
    HWND about = p.ClickForNewWindow(::GetDlgItem(setup, setup_ids::k按钮1));
    if (!about) return false;
    RunningProgram::Click(::GetDlgItem(about, about_ids::k按钮1));
    return WaitFor([&] { return !::IsWindow(about) && ::IsWindowEnabled(setup); });
  });
  if (HasFatalFailure()) return;

  // Each key moves the slider to an end, which rewrites the opacity text.
  Soak(p, "slider", paths, {}, [&](int i) {
    HWND setup = p.setup();
    HWND slider = ::GetDlgItem(setup, setup_ids::k滑块条1);
    const bool toEnd = i % 2 == 1;
    ::PostMessageW(slider, WM_KEYDOWN, toEnd ? VK_END : VK_HOME, 0);
    ::PostMessageW(slider, WM_KEYUP, toEnd ? VK_END : VK_HOME, 0);
    const std::wstring want = toEnd ? L"透明度:  255" : L"透明度:  1";
    return WaitFor([&] { return RunningProgram::Text(setup, setup_ids::k透明标签1) == want; });
  });
  EXPECT_TRUE(p.child().Running());
}

}  // namespace
}  // namespace vt

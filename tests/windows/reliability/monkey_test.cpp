// A seeded random user ("monkey") on the real program: clicks on every visible control, tray
// notifications of every kind on every icon, Esc, close boxes and slider keys, picked among what
// a user could do at that moment. After every action the program's rules must hold:
//   - at most one window of each unit (setup or mask, panel, about box), and always the setup
//     window or the mask;
//   - the panel exists exactly while the mask does;
//   - the mask keeps its rectangle (-10, -10, screen + 300; centred at -150 once its icon has
//     centred it), its styles and the alpha its slider gave it;
//   - every hidden main window can be brought back through its icon;
//   - the process lives on, unless the action was one that ends it ("关闭", the close box of the
//     setup window or the panel), and then it ends with exit code 0 and is started again.
// On a failure the seed and the actions so far are printed. VEILORA_MONKEY_SEEDS ("4" or
// "1-20") and VEILORA_MONKEY_ACTIONS (per seed) replay a case or make a longer run.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "program/running_program.h"
#include "reliability/probe.h"

#include <commctrl.h>

namespace vt {
namespace {

// SplitMix64: the same sequence from a seed on every build, unlike the standard distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Below(std::uint32_t n) {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) % n);
  }

 private:
  std::uint64_t state_;
};

enum class Role { Setup, Panel, About, Unknown };

// The unit a window belongs to, by the controls it holds (a window being built may lack some).
Role RoleOf(HWND h) {
  if (::GetDlgItem(h, setup_ids::k颜色选择器1)) return Role::Setup;
  if (::GetDlgItem(h, panel_ids::k颜色选择器1)) return Role::Panel;
  if (::GetDlgItem(h, about_ids::k图片框1)) return Role::About;
  return Role::Unknown;
}

const char* NameOf(Role r) {
  switch (r) {
    case Role::Setup: return "setup";
    case Role::Panel: return "panel";
    case Role::About: return "about";
    default: return "unknown";
  }
}

struct Seen {
  HWND setup = nullptr, panel = nullptr, about = nullptr;
  int setups = 0, panels = 0, abouts = 0, unknown = 0;
  bool mask = false;  // the setup window has become the mask
};

Seen Look(const RunningProgram& p) {
  Seen s;
  for (HWND h : p.Windows()) {
    switch (RoleOf(h)) {
      case Role::Setup: s.setup = h; ++s.setups; break;
      case Role::Panel: s.panel = h; ++s.panels; break;
      case Role::About: s.about = h; ++s.abouts; break;
      default: ++s.unknown; break;
    }
  }
  s.mask = s.setup && (ExStyle(s.setup) & WS_EX_LAYERED);
  return s;
}

int SliderPosition(HWND setup) {
  DWORD_PTR pos = 0;
  ::SendMessageTimeoutW(::GetDlgItem(setup, setup_ids::k滑块条1), TBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &pos);
  return static_cast<int>(pos);
}

// The first rule that does not hold, or empty.
std::string Broken(const Seen& s) {
  std::ostringstream why;
  if (s.setups != 1) why << s.setups << " setup/mask windows; ";
  if (s.panels > 1) why << s.panels << " panels; ";
  if (s.abouts > 1) why << s.abouts << " about boxes; ";
  if (s.unknown) why << s.unknown << " windows of no unit; ";
  if (s.mask != (s.panel != nullptr)) why << (s.mask ? "a mask without panel; " : "a panel without mask; ");
  if (s.mask) {
    HWND m = s.setup;
    const RECT rc = WindowRect(m);
    const int w = ScreenWidth() + 300, h = ScreenHeight() + 300;
    const bool atOrigin = rc.left == -10 && rc.top == -10;
    // The tray rule centres a mask that its icon brings back.
    const bool centred = rc.left == (ScreenWidth() - w) / 2 && rc.top == (ScreenHeight() - h) / 2 &&
                         RunningProgram::HasTrayIcon(m);
    if (rc.right - rc.left != w || rc.bottom - rc.top != h || (::IsWindowVisible(m) && !atOrigin && !centred))
      why << "mask at " << rc.left << "," << rc.top << " size " << rc.right - rc.left << "x" << rc.bottom - rc.top << "; ";
    if ((ExStyle(m) & 0xC3520) != 0xC3520 || !IsTopMost(m) || (Style(m) & WS_SYSMENU))
      why << "mask styles " << std::hex << Style(m) << "/" << ExStyle(m) << std::dec << "; ";
    const Layered l = LayeredOf(m);
    if (!l.ok || l.flags != LWA_ALPHA || l.alpha != SliderPosition(m))
      why << "mask alpha " << int(l.alpha) << " flags " << l.flags << ", slider " << SliderPosition(m) << "; ";
  }
  for (HWND h : {s.setup, s.panel})
    if (h && !::IsWindowVisible(h) && !RunningProgram::HasTrayIcon(h))
      why << NameOf(RoleOf(h)) << " hidden without an icon; ";
  return why.str();
}

enum class Kind { Click, Tray, Key, Close };

struct Action {
  Kind kind;
  std::string what;
  int weight;
  std::function<void()> run;
  bool ends = false;  // the program must end
};

// Controls a user could click now: visible, on screen within their window, whose window is shown
// and enabled. The about box's link is left out: it hands its address to the shell.
void AddClicks(const Seen& s, std::vector<Action>& out) {
  for (HWND top : {s.setup, s.panel, s.about}) {
    if (!top || !::IsWindowVisible(top) || !::IsWindowEnabled(top) || (top == s.setup && s.mask)) continue;
    const Role role = RoleOf(top);
    RECT client;
    ::GetClientRect(top, &client);
    for (HWND c : Children(top)) {
      const int id = ::GetDlgCtrlID(c);
      if (!::IsWindowVisible(c) || (role == Role::About && id == about_ids::k超级链接框1)) continue;
      const RECT rc = WindowRect(c);
      const POINT onScreen{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
      POINT centre = onScreen;
      ::ScreenToClient(top, &centre);
      if (!::PtInRect(&client, centre)) continue;
      // "关闭" is 1000 in both main windows; it ends the program if the click reaches it.
      const bool close = role != Role::About && id == setup_ids::k按钮3 && ::WindowFromPoint(onScreen) == c;
      const bool isSwitch = (role == Role::Setup && id == setup_ids::k图形按钮1) ||
                            (role == Role::Panel && id == panel_ids::k图形按钮1);
      out.push_back({Kind::Click, std::string("click ") + NameOf(role) + " #" + std::to_string(id), close ? 1 : isSwitch ? 8 : 5,
                     [c] { RunningProgram::Click(c); }, close});
    }
  }
}

void AddTray(const Seen& s, std::vector<Action>& out) {
  static const struct {
    const char* name;
    UINT message;
    int weight;
  } kinds[] = {
      {"WM_LBUTTONUP", WM_LBUTTONUP, 6},      {"WM_RBUTTONUP", WM_RBUTTONUP, 2},
      {"WM_CONTEXTMENU", WM_CONTEXTMENU, 1},  {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK, 1},
      {"WM_LBUTTONDOWN", WM_LBUTTONDOWN, 1},  {"WM_MOUSEMOVE", WM_MOUSEMOVE, 1},
      {"WM_MBUTTONUP", WM_MBUTTONUP, 1},      {"WM_RBUTTONDBLCLK", WM_RBUTTONDBLCLK, 1},
  };
  for (HWND w : {s.setup, s.panel}) {
    if (!w || !RunningProgram::HasTrayIcon(w)) continue;
    const std::string who = w == s.setup ? (s.mask ? "mask" : "setup") : "panel";
    for (const auto& k : kinds)
      out.push_back({Kind::Tray, "tray " + who + " " + k.name, k.weight,
                     [w, m = k.message] { ::PostMessageW(w, kTrayCallback, kTrayIconId, m); }});
    // A double click as the shell reports it.
    out.push_back({Kind::Tray, "tray " + who + " double click", 1, [w] {
                     for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                       ::PostMessageW(w, kTrayCallback, kTrayIconId, m);
                   }});
  }
}

void AddKeysAndCloses(const Seen& s, std::vector<Action>& out) {
  out.push_back({Kind::Key, "key Esc", 2, [] { PressKey(VK_ESCAPE); }});
  for (HWND top : {s.setup, s.panel, s.about}) {
    if (!top || !::IsWindowVisible(top) || !::IsWindowEnabled(top) || !(Style(top) & WS_SYSMENU)) continue;
    const bool about = top == s.about;
    out.push_back({Kind::Close, std::string("close box ") + NameOf(RoleOf(top)), about ? 4 : 1,
                   [top] { ::PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0); }, !about});
  }
  if (s.setup && !s.mask && ::IsWindowVisible(s.setup) && ::IsWindowEnabled(s.setup)) {
    static const struct {
      const char* name;
      WPARAM key;
    } keys[] = {{"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Up", VK_UP},     {"Down", VK_DOWN},
                {"PgUp", VK_PRIOR}, {"PgDn", VK_NEXT},  {"Home", VK_HOME}, {"End", VK_END}};
    HWND slider = ::GetDlgItem(s.setup, setup_ids::k滑块条1);
    for (const auto& k : keys)
      out.push_back({Kind::Key, std::string("slider ") + k.name, 1, [slider, key = k.key] {
                       ::PostMessageW(slider, WM_KEYDOWN, key, 0);
                       ::PostMessageW(slider, WM_KEYUP, key, 0);
                     }});
  }
}

// Lets the program take in what was done: a short pause for input to travel, then a message
// that the program answers only once it is back in its loop.
void Settle(const RunningProgram& p) {
  Pump(60);
  for (HWND h : p.Windows()) {
    DWORD_PTR r = 0;
    ::SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r);
  }
}

struct Tally {
  int actions = 0, clicks = 0, tray = 0, keys = 0, closes = 0, ends = 0;
  int masks = 0, abouts = 0;  // masks applied and about boxes opened, as seen from outside
};

// Runs `count` actions from `seed`; false (with the failure reported) when a rule broke.
bool RunSeed(std::uint64_t seed, int count, Tally& tally) {
  Random random(seed);
  std::vector<std::string> log;
  auto fail = [&](const std::string& why) {
    std::ostringstream all;
    for (std::size_t i = 0; i < log.size(); ++i) all << "  " << i + 1 << ". " << log[i] << "\n";
    ADD_FAILURE() << "monkey seed " << seed << ", action " << log.size() << ": " << why << "\nactions:\n"
                  << all.str() << "replay: VEILORA_MONKEY_SEEDS=" << seed << " VEILORA_MONKEY_ACTIONS=" << count
                  << " scripts/wine-test " << ScreenWidth() << "x" << ScreenHeight()
                  << " build/windows-x86/reliability_tests.exe --gtest_filter=Monkey.*";
    return false;
  };

  OrdinaryWindow ordinary;
  RunningProgram p;
  if (!p) return fail("the program did not start");
  for (int n = 0; n < count; ++n) {
    ordinary.Raise();
    Seen s = Look(p);
    std::vector<Action> actions;
    AddClicks(s, actions);
    AddTray(s, actions);
    AddKeysAndCloses(s, actions);
    int total = 0;
    for (const Action& a : actions) total += a.weight;
    std::uint32_t pick = random.Below(static_cast<std::uint32_t>(total));
    const Action* chosen = &actions.front();
    for (const Action& a : actions) {
      if (pick < static_cast<std::uint32_t>(a.weight)) {
        chosen = &a;
        break;
      }
      pick -= a.weight;
    }
    log.push_back(chosen->what);
    ++tally.actions;
    switch (chosen->kind) {
      case Kind::Click: ++tally.clicks; break;
      case Kind::Tray: ++tally.tray; break;
      case Kind::Key: ++tally.keys; break;
      case Kind::Close: ++tally.closes; break;
    }
    chosen->run();

    if (chosen->ends) {
      const auto code = p.child().WaitExit(10000);
      if (!code) return fail("the program did not end");
      if (*code != 0) return fail("the program ended with exit code " + std::to_string(*code));
      ++tally.ends;
      log.push_back("(program ended with 0; started again)");
      p = RunningProgram();
      if (!p) return fail("the program did not start again");
      continue;
    }
    Settle(p);
    std::string why;
    WaitFor([&] { return (why = Broken(Look(p))).empty(); }, 3000);
    const Seen after = Look(p);
    if (after.mask && !s.mask) ++tally.masks;
    if (after.about && after.about != s.about) ++tally.abouts;
    if (!p.child().Running())
      return fail("the program ended (exit code " + std::to_string(*p.child().WaitExit(0)) + ")");
    if (!why.empty()) return fail(why);
  }
  return true;
}

// Seeds from "N" or "A-B".
std::vector<std::uint64_t> Seeds(const std::string& spec) {
  std::vector<std::uint64_t> out;
  const auto dash = spec.find('-');
  const unsigned long first = std::stoul(spec.substr(0, dash));
  const unsigned long last = dash == std::string::npos ? first : std::stoul(spec.substr(dash + 1));
  for (unsigned long s = first; s <= last; ++s) out.push_back(s);
  return out;
}

TEST(Monkey, RandomActionsKeepTheRules) {
  const std::string spec = EnvText("VEILORA_MONKEY_SEEDS", "1-3");
  const int count = EnvInt("VEILORA_MONKEY_ACTIONS", 100);
  Tally tally;
  int seeds = 0;
  for (std::uint64_t seed : Seeds(spec)) {
    ++seeds;
    if (!RunSeed(seed, count, tally)) break;
  }
  std::printf("monkey: seeds %s (%d), %d actions: %d clicks, %d tray notifications, %d keys, %d close boxes; "
              "%d masks applied, %d about boxes opened; the program ended %d times as asked; %dx%d\n",
              spec.c_str(), seeds, tally.actions, tally.clicks, tally.tray, tally.keys, tally.closes, tally.masks,
              tally.abouts, tally.ends, ScreenWidth(), ScreenHeight());
}

}  // namespace
}  // namespace vt

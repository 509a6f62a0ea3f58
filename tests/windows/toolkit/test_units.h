// Window units of the in-process toolkit tests. Each test gives a unit its definition and its
// handlers' actions, loads it through the toolkit and looks at the native window through the
// real API. Messages are pumped through the toolkit's own dispatching, as its loops do.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/toolkit_loop.h"
#include "toolkit/program_state.h"
#include "toolkit/toolkit.h"

namespace vt {

inline constexpr char kButton[] = "按钮";
inline constexpr UINT kTrayCallback = WM_APP + 100;

// What one unit is defined as, and what its handlers do and saw.
struct Slot {
  vl::WindowDef def;
  int created = 0;
  int closeAsked = 0;
  int clicked = 0;
  std::optional<bool> closeAnswer;
  std::function<void()> onCreated, onClicked, onClose;
  std::function<void(int)> onTray;
  std::vector<int> trayEvents;
};

// A 300x200 centred window with a title, owned by the hidden owner, with one push button.
inline vl::WindowDef BaseDefinition() {
  vl::WindowDef w;
  w.left = 40;
  w.top = 30;
  w.width = 300;
  w.height = 200;
  w.title = "测试";
  w.placement = 1;
  w.showInTaskbar = false;
  vl::ControlDef b;
  b.name = kButton;
  b.kind = vl::ControlKind::Button;
  b.left = 10;
  b.top = 10;
  b.width = 80;
  b.height = 30;
  b.caption = "按下";
  b.tabStop = true;
  w.controls.push_back(b);
  return w;
}

inline Slot g_slots[4];

template <int N>
vl::WindowDef SlotDefinition() {
  return g_slots[N].def;
}
template <int N>
void SlotCreated() {
  ++g_slots[N].created;
  if (g_slots[N].onCreated) g_slots[N].onCreated();
}
template <int N>
std::optional<bool> SlotCanClose() {
  ++g_slots[N].closeAsked;
  if (g_slots[N].onClose) g_slots[N].onClose();
  return g_slots[N].closeAnswer;
}
template <int N>
void SlotClicked() {
  ++g_slots[N].clicked;
  if (g_slots[N].onClicked) g_slots[N].onClicked();
}
template <int N>
void SlotTray(int type) {
  g_slots[N].trayEvents.push_back(type);
  if (g_slots[N].onTray) g_slots[N].onTray(type);
}
template <int N>
vl::WindowUnit MakeUnit(const char* name) {
  return vl::WindowUnit{name, SlotDefinition<N>,
                        vl::WindowEvents{SlotCreated<N>, SlotCanClose<N>, SlotTray<N>, {{kButton, SlotClicked<N>}}}};
}

inline vl::WindowUnit A = MakeUnit<0>("A");
inline vl::WindowUnit B = MakeUnit<1>("B");
inline vl::WindowUnit C = MakeUnit<2>("C");
inline vl::WindowUnit D = MakeUnit<3>("D");

inline HWND Hwnd(vl::WindowUnit& u) { return reinterpret_cast<HWND>(vl::GetWindowHandle(u)); }
inline HWND ButtonOf(vl::WindowUnit& u) { return reinterpret_cast<HWND>(u[kButton].Handle()); }

// The toolkit is prepared once per process: a second hidden owner would take the first one's
// windows with it.
inline void EnsureToolkit() {
  static const bool ready = (vl::InitToolkit(), true);
  (void)ready;
}

// Every test starts with the four units unloaded and defined as BaseDefinition.
class UnitsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureToolkit(); }
  void SetUp() override {
    for (Slot& s : g_slots) s = Slot{BaseDefinition()};
  }
  void TearDown() override {
    for (vl::WindowUnit* u : {&A, &B, &C, &D}) vl::DestroyWindow(*u);
    EXPECT_TRUE(RunUntil([] { return !A.IsLoaded() && !B.IsLoaded() && !C.IsLoaded() && !D.IsLoaded(); }))
        << "a unit stayed loaded";
    for (Slot& s : g_slots) s = Slot{};
  }
};

// Counts the messages of one kind that reach a window while it lives in scope, by putting a
// procedure in front of the window's own.
class MessageCounter {
 public:
  MessageCounter(HWND h, std::vector<UINT> kinds) : h_(h), kinds_(std::move(kinds)) {
    Current() = this;
    old_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(h_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageCounter::Proc)));
  }
  ~MessageCounter() {
    if (::IsWindow(h_)) ::SetWindowLongPtrW(h_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
    Current() = nullptr;
  }
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;
  int count() const { return count_; }
  void clear() { count_ = 0; }

 private:
  static MessageCounter*& Current() {
    static MessageCounter* current = nullptr;
    return current;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    MessageCounter* self = Current();
    for (UINT k : self->kinds_)
      if (k == msg) ++self->count_;
    return ::CallWindowProcW(self->old_, h, msg, wp, lp);
  }

  HWND h_;
  std::vector<UINT> kinds_;
  WNDPROC old_ = nullptr;
  int count_ = 0;
};

}  // namespace vt

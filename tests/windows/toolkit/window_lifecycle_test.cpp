// Loading and destroying window units, modal loads and close requests, driven in-process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/processes.h"
#include "support/windows.h"
#include "toolkit/test_units.h"

namespace vt {
namespace {

using Lifecycle = UnitsTest;

std::wstring CaptionOf(HWND h) {
  wchar_t text[64] = {};
  ::GetWindowTextW(h, text, 64);
  return text;
}

void Click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

TEST_F(Lifecycle, CreatedRunsOnceBeforeTheFirstShow) {
  bool visibleInCreated = true;
  HWND inCreated = nullptr;
  g_slots[0].onCreated = [&] {
    inCreated = Hwnd(A);
    visibleInCreated = ::IsWindowVisible(inCreated) != FALSE;
    A[kButton].SetCaption("新的");
  };
  ASSERT_TRUE(vl::LoadWindow(A, false));
  EXPECT_EQ(g_slots[0].created, 1);
  ASSERT_TRUE(inCreated);
  EXPECT_EQ(inCreated, Hwnd(A));
  EXPECT_FALSE(visibleInCreated);
  EXPECT_TRUE(::IsWindowVisible(Hwnd(A)));
  EXPECT_EQ(CaptionOf(ButtonOf(A)), L"新的");

  // A Created handler that hides its window keeps it from being shown.
  g_slots[1].onCreated = [] { B.SetVisible(false); };
  ASSERT_TRUE(vl::LoadWindow(B, false));
  EXPECT_FALSE(::IsWindowVisible(Hwnd(B)));
}

TEST_F(Lifecycle, LoadingALoadedUnitRestoresOrActivatesIt) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  ASSERT_TRUE(vl::LoadWindow(B, false));
  HWND a = Hwnd(A), b = Hwnd(B);
  RunLoop(20);

  for (bool modal : {false, true}) {
    SCOPED_TRACE(modal ? "modal" : "not modal");
    // Active elsewhere: loading again activates it.
    ::SetActiveWindow(b);
    ASSERT_EQ(::GetActiveWindow(), b);
    EXPECT_TRUE(vl::LoadWindow(A, modal));
    EXPECT_EQ(::GetActiveWindow(), a);

    // Minimised: loading again restores it.
    A.SetPlacement(2);
    ASSERT_TRUE(::IsIconic(a));
    EXPECT_TRUE(vl::LoadWindow(A, modal));
    EXPECT_FALSE(::IsIconic(a));
    EXPECT_TRUE(::IsWindowVisible(a));

    EXPECT_EQ(Hwnd(A), a);
    EXPECT_EQ(g_slots[0].created, 1);
    EXPECT_TRUE(::IsWindowEnabled(b)) << "a load of a loaded unit disabled others";
  }
}

TEST_F(Lifecycle, DestroyWindowIsDeferred) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND a = Hwnd(A);
  vl::DestroyWindow(A);
  EXPECT_TRUE(::IsWindow(a));
  EXPECT_TRUE(A.IsLoaded());
  // Still a working window until the loop takes the message.
  A.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(a));
  vl::MoveWindowTo(A, 3, 4, -1, -1);
  EXPECT_EQ(WindowRect(a).left, 3);
  vl::DestroyWindow(A);  // twice: still one destruction
  EXPECT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  EXPECT_FALSE(::IsWindow(a));
  EXPECT_EQ(vl::GetWindowHandle(A), 0);
}

TEST_F(Lifecycle, AHandlerThatDestroysItsOwnWindowRunsToItsEnd) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND a = Hwnd(A);
  bool aliveAfterCall = false, reachedEnd = false;
  int leftAfterMove = 0;
  g_slots[0].onClicked = [&] {
    vl::DestroyWindow(A);
    aliveAfterCall = ::IsWindow(a) && A.IsLoaded();
    vl::MoveWindowTo(A, 7, 8, -1, -1);
    leftAfterMove = WindowRect(a).left;
    reachedEnd = true;
  };
  Click(ButtonOf(A));
  EXPECT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  EXPECT_EQ(g_slots[0].clicked, 1);
  EXPECT_TRUE(aliveAfterCall);
  EXPECT_EQ(leftAfterMove, 7);
  EXPECT_TRUE(reachedEnd);
  EXPECT_FALSE(::IsWindow(a));
}

TEST_F(Lifecycle, DestroyThenLoadInOneHandlerGivesAFreshWindow) {
  const struct Case {
    const char* what;
    vl::WindowUnit* clicked;  // whose button runs the handler
    int slot;
  } cases[] = {{"the window's own handler", &A, 0}, {"another window's handler", &B, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_slots[0] = Slot{BaseDefinition()};
    g_slots[1] = Slot{BaseDefinition()};
    g_slots[0].def.alwaysOnTop = true;
    ASSERT_TRUE(vl::LoadWindow(A, false));
    ASSERT_TRUE(vl::LoadWindow(B, false));
    HWND old = Hwnd(A);
    // Written to the old instance; none of it may reach the fresh one.
    A.SetAlwaysOnTop(false);
    A.SetControlButtons(false);
    A[kButton].SetCaption("改过");
    vl::MoveWindowTo(A, 1, 2, 200, 100);
    ASSERT_FALSE(IsTopMost(old));

    struct Seen {
      bool done = false, loaded = false, oldAlive = true, visible = false, topMost = false, sysMenu = false;
      HWND fresh = nullptr;
      int created = 0;
      std::wstring caption;
      RECT rect{};
    } seen;
    g_slots[c.slot].onClicked = [&] {
      vl::DestroyWindow(A);
      seen.loaded = vl::LoadWindow(A, false);
      seen.oldAlive = ::IsWindow(old);
      seen.fresh = Hwnd(A);
      seen.visible = ::IsWindowVisible(seen.fresh);
      seen.topMost = IsTopMost(seen.fresh);
      seen.sysMenu = (Style(seen.fresh) & WS_SYSMENU) != 0;
      seen.caption = CaptionOf(ButtonOf(A));
      seen.rect = WindowRect(seen.fresh);
      seen.created = g_slots[0].created;
      seen.done = true;
    };
    Click(ButtonOf(*c.clicked));
    ASSERT_TRUE(RunUntil([&] { return seen.done; }));
    EXPECT_TRUE(seen.loaded);
    EXPECT_FALSE(seen.oldAlive);
    ASSERT_TRUE(seen.fresh);
    EXPECT_NE(seen.fresh, old);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.topMost);
    EXPECT_TRUE(seen.sysMenu);
    EXPECT_EQ(seen.caption, L"按下");
    EXPECT_EQ(seen.rect.left, (ScreenWidth() - 300) / 2);
    EXPECT_EQ(seen.rect.right - seen.rect.left, 300);
    EXPECT_EQ(seen.created, 2);

    // The destroy message posted to the old window arrives later and touches nothing.
    RunLoop(150);
    EXPECT_TRUE(A.IsLoaded());
    EXPECT_EQ(Hwnd(A), seen.fresh);
    EXPECT_TRUE(::IsWindow(seen.fresh));
    EXPECT_TRUE(::IsWindowVisible(seen.fresh));
    EXPECT_EQ(g_slots[0].created, 2);

    vl::DestroyWindow(A);
    vl::DestroyWindow(B);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded() && !B.IsLoaded(); }));
  }
}

// Ends a modal loop that a broken toolkit would never leave, so the test fails instead of hanging.
bool g_rescued = false;
void CALLBACK Rescue(HWND, UINT, UINT_PTR, DWORD) {
  g_rescued = true;
  if (HWND d = Hwnd(D)) ::DestroyWindow(d);
}

TEST_F(Lifecycle, ModalLoadWaitsAndGivesBackEachEnabledState) {
  const struct Case {
    const char* what;
    void (*close)();
  } cases[] = {
      {"DestroyWindow", [] { vl::DestroyWindow(D); }},
      {"close request", [] { ::PostMessageW(Hwnd(D), WM_CLOSE, 0, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int i = 0; i < 4; ++i) g_slots[i] = Slot{BaseDefinition()};
    g_slots[3].def.showInTaskbar = true;  // a modal window is owned all the same
    ASSERT_TRUE(vl::LoadWindow(A, false));
    ASSERT_TRUE(vl::LoadWindow(B, false));
    ASSERT_TRUE(vl::LoadWindow(C, false));
    HWND a = Hwnd(A), b = Hwnd(B), cw = Hwnd(C);
    ::EnableWindow(cw, FALSE);  // disabled before the modal load: stays so afterwards

    std::vector<std::string> order;
    struct {
      bool a = true, b = true, c = true, d = false, dAlive = false;
    } during;
    struct {
      bool returned = false, result = false, a = false, b = false, c = true, dAlive = true;
    } after;
    HWND d = nullptr, owner = nullptr;

    g_slots[3].onCreated = [&] {
      d = Hwnd(D);
      owner = ::GetWindow(d, GW_OWNER);
      // Taken by the nested loop: a tray callback for another window.
      ::PostMessageW(b, kTrayCallback, 0, WM_LBUTTONUP);
    };
    g_slots[1].onTray = [&](int) {
      order.push_back("tray");
      during = {::IsWindowEnabled(a) != FALSE, ::IsWindowEnabled(b) != FALSE, ::IsWindowEnabled(cw) != FALSE,
                ::IsWindowEnabled(d) != FALSE, ::IsWindow(d) != FALSE};
      c.close();
    };
    g_slots[0].onClicked = [&] {
      order.push_back("load");
      after.result = vl::LoadWindow(D, true);
      order.push_back("returned");
      after = {true, after.result, ::IsWindowEnabled(a) != FALSE, ::IsWindowEnabled(b) != FALSE,
               ::IsWindowEnabled(cw) != FALSE, ::IsWindow(d) != FALSE};
    };
    g_rescued = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5000, Rescue);
    Click(ButtonOf(A));
    const bool returned = RunUntil([&] { return after.returned; }, 8000);
    ::KillTimer(nullptr, timer);
    ASSERT_TRUE(returned);
    EXPECT_FALSE(g_rescued) << "the modal window was never closed";

    EXPECT_EQ(order, (std::vector<std::string>{"load", "tray", "returned"}));
    EXPECT_EQ(g_slots[3].created, 1);
    EXPECT_EQ(g_slots[1].trayEvents, std::vector<int>{1});
    EXPECT_TRUE(owner && !::IsWindowVisible(owner) && (ExStyle(owner) & WS_EX_TOOLWINDOW));
    EXPECT_TRUE(during.dAlive);
    EXPECT_FALSE(during.a);
    EXPECT_FALSE(during.b);
    EXPECT_FALSE(during.c);
    EXPECT_TRUE(during.d);
    EXPECT_TRUE(after.result);
    EXPECT_FALSE(after.dAlive);
    EXPECT_TRUE(after.a);
    EXPECT_TRUE(after.b);
    EXPECT_FALSE(after.c);
    EXPECT_FALSE(D.IsLoaded());

    for (vl::WindowUnit* u : {&A, &B, &C}) vl::DestroyWindow(*u);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded() && !B.IsLoaded() && !C.IsLoaded(); }));
  }
}

vl::WindowUnit Bare{"Bare", BaseDefinition, {}};

struct BareGone {
  ~BareGone() {
    vl::DestroyWindow(Bare);
    RunUntil([] { return !Bare.IsLoaded(); });
  }
};

TEST_F(Lifecycle, CloseRequestsFollowTheCanCloseAnswer) {
  BareGone cleanup;
  const struct Answer {
    const char* what;
    vl::WindowUnit* unit;
    std::optional<bool> answer;
    bool closes;
  } answers[] = {
      {"false", &A, false, false},
      {"true", &A, true, true},
      {"no result", &A, std::nullopt, true},
      {"no handler", &Bare, std::nullopt, true},
  };
  const struct Way {
    const char* what;
    UINT msg;
    WPARAM wp;
  } ways[] = {{"WM_CLOSE", WM_CLOSE, 0}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
  for (const Answer& ans : answers)
    for (const Way& way : ways) {
      SCOPED_TRACE(std::string(ans.what) + ", " + way.what);
      g_slots[0] = Slot{BaseDefinition()};
      g_slots[0].closeAnswer = ans.answer;
      ASSERT_TRUE(vl::LoadWindow(*ans.unit, false));
      HWND h = Hwnd(*ans.unit);
      ::PostMessageW(h, way.msg, way.wp, 0);
      RunLoop(60);
      if (ans.unit == &A) {
        EXPECT_EQ(g_slots[0].closeAsked, 1);
      }
      EXPECT_EQ(::IsWindow(h) != FALSE, !ans.closes);
      EXPECT_EQ(ans.unit->IsLoaded(), !ans.closes);
      if (!ans.closes) {
        EXPECT_TRUE(::IsWindowVisible(h));
      }
      vl::DestroyWindow(*ans.unit);
      ASSERT_TRUE(RunUntil([&] { return !ans.unit->IsLoaded(); }));
    }
}

TEST_F(Lifecycle, EscClosesOnlyAWindowDefinedToCloseOnEsc) {
  const struct Case {
    bool escCloses;
    std::optional<bool> answer;
    int asked;
    bool closes;
  } cases[] = {{true, std::nullopt, 1, true}, {true, false, 1, false}, {false, std::nullopt, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "EscCloses " << c.escCloses << ", answer "
                                      << (c.answer ? (*c.answer ? "true" : "false") : "none"));
    g_slots[0] = Slot{BaseDefinition()};
    g_slots[0].def.escCloses = c.escCloses;
    g_slots[0].closeAnswer = c.answer;
    ASSERT_TRUE(vl::LoadWindow(A, false));
    HWND h = Hwnd(A);
    ::SetForegroundWindow(h);
    ::SetFocus(ButtonOf(A));
    RunLoop(30);
    ASSERT_EQ(::GetForegroundWindow(), h);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = VK_ESCAPE;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof in[0]);
    RunLoop(150);
    EXPECT_EQ(g_slots[0].closeAsked, c.asked);
    EXPECT_EQ(::IsWindow(h) != FALSE, !c.closes);
    vl::DestroyWindow(A);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  }
}

TEST_F(Lifecycle, QueryEndSessionAnswersByCanClose) {
  BareGone cleanup;
  const struct Case {
    const char* what;
    vl::WindowUnit* unit;
    std::optional<bool> answer;
    LRESULT expected;
  } cases[] = {
      {"false", &A, false, FALSE},
      {"true", &A, true, TRUE},
      {"no result", &A, std::nullopt, TRUE},
      {"no handler", &Bare, std::nullopt, TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_slots[0] = Slot{BaseDefinition()};
    g_slots[0].closeAnswer = c.answer;
    ASSERT_TRUE(vl::LoadWindow(*c.unit, false));
    HWND h = Hwnd(*c.unit);
    EXPECT_EQ(::SendMessageW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), c.expected);
    if (c.unit == &A) {
      EXPECT_EQ(g_slots[0].closeAsked, 1);
    }
    // Only a question: the window stays whatever the answer.
    RunLoop(30);
    EXPECT_TRUE(::IsWindow(h));
    vl::DestroyWindow(*c.unit);
    ASSERT_TRUE(RunUntil([&] { return !c.unit->IsLoaded(); }));
  }
}

}  // namespace
}  // namespace vt

// How a program on the toolkit ends: the fixture program started as a child process, one
// scenario per run, watched from outside (exit code, message boxes, the at-end routine's mark).
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "support/processes.h"
#include "support/windows.h"

namespace vt {
namespace {

constexpr wchar_t kFixture[] = L"toolkit_fixture.exe";
constexpr wchar_t kWindowClass[] = L"VeiloraWindow";
constexpr UINT kTrayCallback = WM_APP + 100;
constexpr DWORD kFatal = 0xFFFFFFFF;

// A mark file in the temp folder, removed when the test is done.
class MarkFile {
 public:
  MarkFile() {
    wchar_t dir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    wchar_t file[MAX_PATH] = {};
    ::GetTempFileNameW(dir, L"vlm", 0, file);  // creates it empty
    path_ = file;
    ::DeleteFileW(path_.c_str());
  }
  ~MarkFile() { ::DeleteFileW(path_.c_str()); }
  const std::wstring& path() const { return path_; }
  // How often the at-end routine ran; -1 when the file was never written.
  int AtEndRuns() const {
    FILE* in = ::_wfopen(path_.c_str(), L"r");
    if (!in) return -1;
    int runs = 0;
    char line[64];
    while (std::fgets(line, sizeof line, in))
      if (std::string(line) == "at-end\n") ++runs;
    std::fclose(in);
    return runs;
  }

 private:
  std::wstring path_;
};

struct Fixture {
  explicit Fixture(const wchar_t* scenario) : child(Start(kFixture, std::wstring(scenario) + L" " + mark.path())) {}
  MarkFile mark;
  Child child;
};

// Message boxes (dialog class #32770) that the process shows.
std::vector<HWND> BoxesOf(DWORD pid) {
  std::vector<HWND> out;
  for (HWND h : WindowsOf(pid, true))
    if (ClassOf(h) == L"#32770") out.push_back(h);
  return out;
}

// The texts of a message box's static controls, joined.
std::wstring BoxText(HWND box) {
  std::wstring all;
  for (HWND c : Children(box))
    if (ClassOf(c) == L"Static") all += TextOf(c) + L"\n";
  return all;
}

TEST(ProgramEnd, FatalErrorShowsOneBoxAndEndsWithMinusOne) {
  const struct Case {
    const wchar_t* scenario;
    std::vector<std::wstring> named;  // what the box text must name
  } cases[] = {
      {L"fatal", {L"测试用的致命错误"}},
      {L"missing-function", {L"user32.dll", L"NoSuchFunctionInUser32"}},
      {L"tray-missing", {L"user32.dll", L"NoSuchFunctionInUser32"}},  // from the running main loop
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::string(c.scenario, c.scenario + wcslen(c.scenario)));
    Fixture f(c.scenario);
    ASSERT_TRUE(f.child);
    if (std::wstring(c.scenario).starts_with(L"tray")) {
      HWND main = WaitForWindow(f.child.pid(), kWindowClass);
      ASSERT_TRUE(main);
      ::PostMessageW(main, kTrayCallback, 0, WM_LBUTTONUP);
    }
    HWND box = WaitForWindow(f.child.pid(), L"#32770");
    ASSERT_TRUE(box) << "no message box";
    Pump(200);
    EXPECT_EQ(BoxesOf(f.child.pid()).size(), 1u);
    EXPECT_FALSE(::GetWindow(box, GW_OWNER)) << "the box has an owner";
    const std::wstring text = BoxText(box);
    for (const std::wstring& name : c.named) EXPECT_NE(text.find(name), std::wstring::npos) << "missing in the box";
    EXPECT_TRUE(f.child.Running()) << "ended before the box was closed";

    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    const auto code = f.child.WaitExit(10000);
    ASSERT_TRUE(code) << "still running after the box was closed";
    EXPECT_EQ(*code, kFatal);
    EXPECT_EQ(f.mark.AtEndRuns(), -1) << "the at-end routine ran";
  }
}

TEST(ProgramEnd, EndsWithExitCodeAndOneAtEndRun) {
  const struct Case {
    const char* what;
    const wchar_t* scenario;
    void (*act)(HWND);
    DWORD code;
  } cases[] = {
      {"EndProgram(0) in CanClose", L"close-end", [](HWND h) { ::PostMessageW(h, WM_CLOSE, 0, 0); }, 0},
      {"EndProgram(7) in a tray handler", L"tray-end",
       [](HWND h) { ::PostMessageW(h, kTrayCallback, 0, WM_LBUTTONUP); }, 7},
      {"last window closed, no result", L"plain", [](HWND h) { ::PostMessageW(h, WM_CLOSE, 0, 0); }, 0},
      {"last window closed, true", L"close-true", [](HWND h) { ::PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); },
       0},
      {"last window destroyed by a handler", L"tray-destroy",
       [](HWND h) { ::PostMessageW(h, kTrayCallback, 0, WM_LBUTTONUP); }, 0},
      {"log-off query, CanClose ends the program", L"close-end",
       [](HWND h) {
         DWORD_PTR answer = 0;
         ::SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 3000, &answer);
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fixture f(c.scenario);
    ASSERT_TRUE(f.child);
    HWND main = WaitForWindow(f.child.pid(), kWindowClass);
    ASSERT_TRUE(main);
    EXPECT_EQ(f.mark.AtEndRuns(), -1);
    c.act(main);
    const auto code = f.child.WaitExit(10000);
    ASSERT_TRUE(code) << "still running";
    EXPECT_EQ(*code, c.code);
    EXPECT_EQ(f.mark.AtEndRuns(), 1);
    EXPECT_TRUE(BoxesOf(f.child.pid()).empty());
  }
}

TEST(ProgramEnd, CloseRefusedKeepsTheProgramRunning) {
  Fixture f(L"close-false");
  ASSERT_TRUE(f.child);
  HWND main = WaitForWindow(f.child.pid(), kWindowClass);
  ASSERT_TRUE(main);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD_PTR answer = 1;
  ::SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 3000, &answer);
  EXPECT_EQ(answer, 0u);
  EXPECT_FALSE(f.child.WaitExit(300));
  EXPECT_TRUE(::IsWindowVisible(main));
  EXPECT_EQ(f.mark.AtEndRuns(), -1);
}

TEST(ProgramEnd, NoWindowAtTheMainLoopReturnsAtOnce) {
  Fixture f(L"no-window");
  ASSERT_TRUE(f.child);
  const auto code = f.child.WaitExit(10000);
  ASSERT_TRUE(code) << "the main loop waited without a window";
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(f.mark.AtEndRuns(), 1);
}

}  // namespace
}  // namespace vt

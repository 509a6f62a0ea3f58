// The program shell: start, main message loop, the three ways the program ends.
#include <windows.h>
#include <commctrl.h>

#include "toolkit/gbk.h"
#include "toolkit/loaded_window.h"
#include "toolkit/program_state.h"
#include "toolkit/toolkit.h"

namespace vl {

ProgramState& State() {
  static ProgramState state;
  return state;
}

namespace {

int g_quitCode = 0;

// Steps shared by every end of the program: windows down without any event, at-end routine,
// the toolkit's own resources.
void TakeDown(bool runAtEnd) {
  ProgramState& s = State();
  s.ending = true;
  // A notification-area icon outlives its process on Windows until the mouse passes over it.
  RemoveAllTrayIcons();
  while (!s.loaded.empty()) {
    LoadedWindow* w = s.loaded.back();
    if (HWND h = w->hwnd())
      ::DestroyWindow(h);  // its WM_NCDESTROY takes it off the list
    else
      std::erase(s.loaded, w);
  }
  if (Handler routine = std::exchange(s.atEnd, nullptr); routine && runAtEnd) routine();
  ReleaseSkin();
  s.hiddenOwner.reset();
  s.appIconBig.reset();
  s.appIconSmall.reset();
}

}  // namespace

void InitToolkit() {
  ProgramState& s = State();
  s.instance = ::GetModuleHandleW(nullptr);

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = s.instance;
  wc.lpszClassName = L"VeiloraOwner";
  ::RegisterClassExW(&wc);
  // Windows owned by this hidden tool window get no taskbar button.
  s.hiddenOwner = OwnedWindow(::CreateWindowExW(WS_EX_TOOLWINDOW, L"VeiloraOwner", L"", WS_POPUP, 0, 0, 0,
                                                0, nullptr, nullptr, s.instance, nullptr));
  if (!s.hiddenOwner.get()) ReportFatalError("无法创建程序的隐藏窗口");

  s.taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  // The application icon, for windows without an icon of their own.
  s.appIconBig = OwnedIcon(static_cast<HICON>(
      ::LoadImageW(s.instance, L"DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
  s.appIconSmall = OwnedIcon(static_cast<HICON>(
      ::LoadImageW(s.instance, L"DEFAULT_ICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
}

void SetAtEndRoutine(Handler routine) { State().atEnd = routine; }

void LoadStartWindow(WindowUnit& unit) {
  if (!LoadWindow(unit, false)) ReportFatalError("无法加载启动窗口");
}

void DispatchOne(MSG& msg) {
  if (msg.hwnd) {
    // Tab, the arrow keys, Enter and Esc move between controls as in a dialog.
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    for (LoadedWindow* w : State().loaded)
      if (w->hwnd() == root) {
        if (::IsDialogMessageW(root, &msg)) return;
        break;
      }
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void RunMessageLoop() {
  ProgramState& s = State();
  s.mainLoopEntered = true;
  if (s.loaded.empty()) return;
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    DispatchOne(msg);
    CollectGraveyard();
  }
  // The windows ran out because the one meant to take over could not be created (a fresh window
  // replacing the last one, as removing the mask does): that is no end the user chose, and a
  // quiet exit code 0 would hide it. It is reported like a start window that cannot be loaded.
  if (s.loadFailed && s.loaded.empty()) ReportFatalError("无法创建窗口");
  g_quitCode = static_cast<int>(msg.wParam);
}

void EndProgram(int exitCode) {
  TakeDown(true);
  ::ExitProcess(static_cast<UINT>(exitCode));
}

void ReportFatalError(const std::string& message) {
  static bool reporting = false;
  if (!reporting) {
    reporting = true;
    const std::wstring text = WideFromGbk("程序运行时出错：" + message);
    ::MessageBoxW(nullptr, text.c_str(), L"Veilora", MB_ICONERROR | MB_OK);
  }
  State().atEnd = nullptr;
  TakeDown(false);
  ::ExitProcess(static_cast<UINT>(-1));
}

void RunProgram(int (*startUp)()) {
  startUp();
  TakeDown(true);
  ::ExitProcess(static_cast<UINT>(g_quitCode));
}

void* BindDeclaredFunction(const char* library, const char* function) {
  HMODULE module = ::LoadLibraryA(library);
  FARPROC proc = module ? ::GetProcAddress(module, function) : nullptr;
  if (!proc) ReportFatalError(std::string("在 ") + library + " 中找不到函数 " + function);
  return reinterpret_cast<void*>(proc);
}

}  // namespace vl

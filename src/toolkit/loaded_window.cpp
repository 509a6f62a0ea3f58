#include "toolkit/loaded_window.h"

#include <cstring>

#include "toolkit/gbk.h"
#include "toolkit/geometry.h"
#include "toolkit/program_state.h"

namespace vl {
namespace {

constexpr wchar_t kWindowClass[] = L"VeiloraWindow";
constexpr int kFirstControlId = 1000;  // clear of IDOK and IDCANCEL, which keyboard navigation sends
constexpr LONG kLargestSide = 32767;   // the largest window side X11 and GDI coordinates allow

}  // namespace

LoadedWindow::LoadedWindow(WindowUnit& unit, WindowDef def) : unit_(unit), props_(std::move(def)) {}

LoadedWindow::~LoadedWindow() {
  // Controls first: their native windows are gone with ours, only their GDI objects remain.
  controls_.clear();
}

bool LoadedWindow::Create(HWND owner) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &LoadedWindow::Proc;
    wc.hInstance = State().instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&wc);
  }();
  if (!atom) return false;

  const CaptionInputs caption{props_.border, !props_.title.empty(), props_.controlButtons,
                              props_.minButton, props_.maxButton};
  DWORD style = CaptionStyle(caption);
  DWORD exStyle = 0;
  if (props_.border == 3 || props_.border == 4) exStyle |= WS_EX_TOOLWINDOW;
  if (props_.border == 5 || props_.border == 6) exStyle |= WS_EX_CLIENTEDGE;
  props_.placement = ClampPick(props_.placement, 0, 3);
  if (props_.placement == 2) style |= WS_MINIMIZE;

  int x = props_.left, y = props_.top;
  if (props_.placement == 1) {
    const Point p = CentreOn(GetScreenWidth(), GetScreenHeight(), props_.width, props_.height);
    x = p.x;
    y = p.y;
  }

  const std::wstring title = WideFromGbk(props_.title);
  HWND hwnd = ::CreateWindowExW(exStyle, kWindowClass, title.c_str(), style, x, y, props_.width,
                                props_.height, owner, nullptr, State().instance, this);
  if (!hwnd) return false;

  ApplyBackColor();
  if (props_.alwaysOnTop) ApplyAlwaysOnTop();
  if (!props_.movable) ApplyMovable();
  SetIcons();
  if (props_.disabled) ::EnableWindow(hwnd, FALSE);

  int id = kFirstControlId;
  for (const ControlDef& def : props_.controls) {
    const ControlEvents* events = nullptr;
    for (const ControlEvents& e : unit_.events.controls)
      if (def.name == e.control) events = &e;
    auto control = MakeControl(*this, def, events);
    if (control && control->Create(hwnd, id)) controls_.push_back(std::move(control));
    ++id;
  }
  // Each control keeps its own copy; the window's would only hold the pictures a second time.
  props_.controls = std::vector<ControlDef>();
  return true;
}

Control* LoadedWindow::FindControl(const char* name) {
  if (!name) return nullptr;
  for (auto& c : controls_)
    if (c->name() == name) return c.get();
  return nullptr;
}

Control* LoadedWindow::FindControl(HWND child) {
  if (!child) return nullptr;
  for (auto& c : controls_)
    if (c->hwnd() == child) return c.get();
  return nullptr;
}

void LoadedWindow::DisableOthers() {
  for (LoadedWindow* w : State().loaded) {
    if (w == this || !w->hwnd()) continue;
    disabled_.emplace_back(w->hwnd(), ::IsWindowEnabled(w->hwnd()) != FALSE);
    ::EnableWindow(w->hwnd(), FALSE);
  }
}

void LoadedWindow::ReenableOthers() {
  for (auto [hwnd, wasEnabled] : std::exchange(disabled_, {}))
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, wasEnabled ? TRUE : FALSE);
}

void LoadedWindow::DestroyNow() {
  destroyPending = false;
  // Re-enable first, so that activation can go back to the window that opened this one.
  ReenableOthers();
  if (HWND h = hwnd()) ::DestroyWindow(h);
}

void LoadedWindow::ApplyCaptionStyle() {
  HWND h = hwnd();
  const CaptionInputs caption{props_.border, !props_.title.empty(), props_.controlButtons,
                              props_.minButton, props_.maxButton};
  const DWORD wanted = CaptionStyle(caption) & style::kCaptionBits;
  const DWORD current = static_cast<DWORD>(::GetWindowLongW(h, GWL_STYLE));
  if ((current & style::kCaptionBits) == wanted) return;
  ::SetWindowLongW(h, GWL_STYLE, static_cast<LONG>((current & ~style::kCaptionBits) | wanted));
  ::SetWindowPos(h, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void LoadedWindow::ApplyAlwaysOnTop() {
  ::SetWindowPos(hwnd(), props_.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void LoadedWindow::ApplyMovable() {
  if (props_.movable)
    ::GetSystemMenu(hwnd(), TRUE);  // back to the default menu
  else if (HMENU menu = ::GetSystemMenu(hwnd(), FALSE))
    ::DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

void LoadedWindow::ApplyPlacement() {
  HWND h = hwnd();
  switch (props_.placement) {
    case 0:
      ::ShowWindow(h, SW_SHOWNORMAL);
      break;
    case 1: {
      if (::IsIconic(h) || ::IsZoomed(h)) ::ShowWindow(h, SW_RESTORE);
      RECT rc{};
      ::GetWindowRect(h, &rc);
      const Point p = CentreOn(GetScreenWidth(), GetScreenHeight(), rc.right - rc.left, rc.bottom - rc.top);
      if (p.x != rc.left || p.y != rc.top)
        ::SetWindowPos(h, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case 2:
      ::ShowWindow(h, SW_MINIMIZE);
      break;
    default:
      ::ShowWindow(h, SW_SHOWMAXIMIZED);
      break;
  }
}

void LoadedWindow::ApplyBackColor() {
  backBrush_.reset(props_.backColour == kDefaultColour ? nullptr : ::CreateSolidBrush(props_.backColour));
  if (HWND h = hwnd()) ::InvalidateRect(h, nullptr, TRUE);
}

void LoadedWindow::SetIcons() {
  HWND h = hwnd();
  if (!props_.icon.empty()) {
    const Bytes ico{props_.icon.data(), props_.icon.size()};
    bigIcon_ = MakeIconFromIco(ico, 32);
    smallIcon_ = MakeIconFromIco(ico, 16);
  }
  ProgramState& s = State();
  HICON big = bigIcon_ ? bigIcon_.get() : s.appIconBig.get();
  HICON small = smallIcon_ ? smallIcon_.get() : s.appIconSmall.get();
  if (big) ::SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (small) ::SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

LRESULT CALLBACK LoadedWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETMINMAXINFO) {
    // Sizes are used as given, also beyond the screen (the mask reaches past every edge). By
    // default Windows cuts an overlapped window down to the screen plus its frame, at creation
    // (before WM_NCCREATE, hence here) and on every move.
    reinterpret_cast<MINMAXINFO*>(lp)->ptMaxTrackSize = POINT{kLargestSide, kLargestSide};
    return 0;
  }
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<LoadedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = OwnedWindow(hwnd);
  }
  auto* self = reinterpret_cast<LoadedWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->OnNcDestroy();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->WndProc(msg, wp, lp);
}

LRESULT LoadedWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = hwnd();
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      ::GetClientRect(h, &rc);
      ::FillRect(reinterpret_cast<HDC>(wp), &rc,
                 backBrush_ ? backBrush_.get() : ::GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      if (Control* c = FindControl(reinterpret_cast<HWND>(lp)))
        if (HBRUSH b = c->OnCtlColor(reinterpret_cast<HDC>(wp))) return reinterpret_cast<LRESULT>(b);
      if (backBrush_) {
        ::SetBkColor(reinterpret_cast<HDC>(wp), props_.backColour);
        return reinterpret_cast<LRESULT>(backBrush_.get());
      }
      break;
    case WM_COMMAND:
      if (lp) {
        if (Control* c = FindControl(reinterpret_cast<HWND>(lp))) c->OnCommand(HIWORD(wp));
        return 0;
      }
      // Keyboard navigation turns Esc into IDCANCEL; only a window defined to close on Esc does.
      if (LOWORD(wp) == IDCANCEL && props_.escCloses) ::SendMessageW(h, WM_CLOSE, 0, 0);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Control* c = FindControl(reinterpret_cast<HWND>(lp))) c->OnScroll(LOWORD(wp));
      return 0;
    case WM_CLOSE:
      return OnClose();
    case WM_QUERYENDSESSION:
      return OnQueryEndSession(wp, lp);
    case kDestroyMessage:
      if (destroyPending) DestroyNow();
      return 0;
    case kTrayMessage:
      OnTrayCallback(*this, lp);
      return 0;
    default:
      if (msg == State().taskbarCreated && State().taskbarCreated != 0) {
        ReAddTrayIcon(*this);
        return 0;
      }
      // Leak checks from outside the process: the system's own count of GDI objects and icons is
      // not available everywhere (Wine's GetGuiResources answers 0), so any of our windows
      // answers with the toolkit's count of live native handles: wParam 0 for all kinds
      // together, k + 1 for HandleKind k.
      if (static const UINT liveHandles = ::RegisterWindowMessageW(L"Veilora.LiveHandles");
          msg == liveHandles && liveHandles != 0) {
        if (wp == 0) return LiveHandles();
        if (wp <= static_cast<WPARAM>(HandleKind::Count)) return LiveHandles(static_cast<HandleKind>(wp - 1));
        return -1;
      }
      break;
  }
  return ::DefWindowProcW(h, msg, wp, lp);
}

LRESULT LoadedWindow::OnClose() {
  HWND h = hwnd();
  std::optional<bool> answer;
  if (CloseHandler handler = unit_.events.canClose) RunHandler([&] { answer = handler(); });
  // The handler may have destroyed the window or ended the program.
  if (!::IsWindow(h)) return 0;
  if (answer.has_value() && !*answer) return 0;
  ReenableOthers();
  return ::DefWindowProcW(h, WM_CLOSE, 0, 0);
}

LRESULT LoadedWindow::OnQueryEndSession(WPARAM wp, LPARAM lp) {
  HWND h = hwnd();
  if (!::DefWindowProcW(h, WM_QUERYENDSESSION, wp, lp)) return FALSE;
  std::optional<bool> answer;
  if (CloseHandler handler = unit_.events.canClose) RunHandler([&] { answer = handler(); });
  return (answer.has_value() && !*answer) ? FALSE : TRUE;
}

void LoadedWindow::OnNcDestroy() {
  RemoveTrayIcon(*this);
  for (auto& c : controls_) c->OnNativeDestroyed();
  hwnd_.Forget();
  WindowGone(this);
}

}  // namespace vl

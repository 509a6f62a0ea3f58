// HyperLinker: a line of text that opens its address when pressed, with a pointing-hand cursor.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstring>

#include "toolkit/browser_command.h"
#include "toolkit/controls/kinds.h"
#include "toolkit/gbk.h"
#include "toolkit/geometry.h"
#include "toolkit/late_bound.h"

namespace vl {
namespace {

std::string_view Terminated(const char* buffer, std::size_t capacity) {
  return {buffer, ::strnlen(buffer, capacity)};
}

// The browser registered for web pages, started directly. Registry values that do not fit their
// buffers count as unreadable.
bool OpenWithBrowser(const std::string& target) {
  char type[MAX_PATH] = {};
  LONG size = sizeof type;
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", type, &size) != ERROR_SUCCESS) return false;
  char command[kBrowserLineCapacity] = {};
  size = sizeof command;
  const std::string key = OpenCommandKey(Terminated(type, sizeof type));
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), command, &size) != ERROR_SUCCESS) return false;
  char line[kBrowserLineCapacity];
  if (!BuildBrowserLine(Terminated(command, sizeof command), target, line)) return false;
  return ::WinExec(line, SW_SHOW) > 32;
}

bool OpenLink(const ControlDef& d) {
  const std::optional<std::string> target = LinkTarget(d.linkKind, d.emailAddress, d.webAddress);
  if (!target) return false;
  static const auto shellExecute = LateBound<decltype(&::ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
  const auto shell = shellExecute ? reinterpret_cast<INT_PTR>(
                                        shellExecute(nullptr, "open", target->c_str(), nullptr, nullptr, SW_SHOW))
                                  : 0;
  return shell > 32 || OpenWithBrowser(*target);
}

class HyperLinker final : public Control {
 public:
  using Control::Control;

  void SetCaption(const std::string& text) override {
    Control::SetCaption(text);
    Redraw();
  }

 protected:
  NativeClass Native() const override {
    DWORD style = 0, ex = 0;
    BorderStyles(ClampPick(def_.border, 0, 5), style, ex);
    return {kOwnClass, style, ex};
  }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    HWND h = hwnd();
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // the paint fills the update area itself
      case WM_PAINT:
        Paint();
        return 0;
      case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
          ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
          return TRUE;
        }
        break;
      case WM_MOUSEMOVE: {
        // The capture lets the control see the mouse leave.
        if (!hovered_) {
          hovered_ = true;
          ::SetCapture(h);
          Redraw();
        } else {
          RECT rc;
          ::GetClientRect(h, &rc);
          if (!::PtInRect(&rc, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)})) {
            hovered_ = false;
            ::ReleaseCapture();
            Redraw();
          }
        }
        return 0;
      }
      case WM_CAPTURECHANGED:
        // Another window took the mouse (a browser coming up, a menu): no movement will tell this
        // one that the mouse has left.
        if (hovered_ && reinterpret_cast<HWND>(lp) != h) {
          hovered_ = false;
          Redraw();
        }
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        // The press opens, not the release.
        visited_ = OpenLink(def_);
        Redraw();
        return 0;
      default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
  }

 private:
  void Redraw() {
    if (HWND h = hwnd()) {
      ::InvalidateRect(h, nullptr, FALSE);
      ::UpdateWindow(h);
    }
  }

  const std::string& Text() const {
    if (!def_.caption.empty()) return def_.caption;
    return def_.linkKind == 0 ? def_.emailAddress : def_.webAddress;
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    FillColour(dc, ps.rcPaint, def_.backColour);
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    const Colour colour = hovered_ ? def_.hoverColour : visited_ ? def_.visitedColour : def_.normalColour;
    const std::wstring text = WideFromGbk(Text());
    {
      Selected keepFont(dc, Font());
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, colour & 0x00FFFFFF);
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    }
    ::EndPaint(hwnd(), &ps);
  }

  bool hovered_ = false;
  bool visited_ = false;
};

}  // namespace

std::unique_ptr<Control> MakeHyperLinker(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<HyperLinker>(w, d, e);
}

}  // namespace vl

// The skin: a drawn look for the thread's standard controls, installed on the ones that exist and,
// through a CBT hook, on every one created later. Only the look changes; every message still
// reaches the control's own procedure.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "toolkit/gbk.h"
#include "toolkit/program_state.h"
#include "toolkit/skin_look.h"

namespace vl {
namespace {

constexpr UINT_PTR kSkinId = 0x5649;  // "VI"

struct Skinned {
  HWND hwnd;
  bool pushButton;
  bool hover;
};

struct SkinState {
  int style = 0;  // 0: not installed
  OwnedHook hook;
  std::vector<Skinned> windows;
};

SkinState& Skin() {
  static SkinState s;
  return s;
}

Skinned* Find(HWND h) {
  for (Skinned& s : Skin().windows)
    if (s.hwnd == h) return &s;
  return nullptr;
}

bool ClassIs(HWND h, const wchar_t* name) {
  wchar_t cls[64] = {};
  ::GetClassNameW(h, cls, 64);
  return ::lstrcmpiW(cls, name) == 0;
}

bool IsPushButton(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

// Standard controls the skin dresses; owner-drawn buttons, trackbars and the toolkit's own kinds
// keep their drawing.
bool Qualifies(HWND h, LONG style, HWND parent) {
  if (ClassIs(h, WC_BUTTONW)) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) return false;
    if (IsPushButton(style)) return true;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
           type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == BS_GROUPBOX;
  }
  if (ClassIs(h, WC_EDITW)) return !(parent && ClassIs(parent, WC_IPADDRESSW));
  if (ClassIs(h, WC_COMBOBOXW)) {
    const LONG type = style & 3;
    return type == CBS_DROPDOWN || type == CBS_DROPDOWNLIST;
  }
  return ClassIs(h, L"ComboLBox") || ClassIs(h, UPDOWN_CLASSW);
}

void Redraw(HWND h) {
  const Skinned* s = Find(h);
  if (!s || !s->pushButton || !::IsWindow(h)) return;
  WindowDc dc(h);
  if (dc.get()) PaintSkinnedButton(h, dc.get(), Skin().style, s->hover);
}

LRESULT CALLBACK SkinProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  Skinned* s = Find(h);
  if (msg == WM_NCDESTROY || !s) {
    ::RemoveWindowSubclass(h, SkinProc, kSkinId);
    std::erase_if(Skin().windows, [h](const Skinned& w) { return w.hwnd == h; });
    return ::DefSubclassProc(h, msg, wp, lp);
  }
  if (!s->pushButton) return ::DefSubclassProc(h, msg, wp, lp);

  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(h, &ps);
      PaintSkinnedButton(h, dc, Skin().style, s->hover);
      ::EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      // A pressed button holds the capture and sees moves outside itself too, so hover follows
      // the point itself (otherwise a press dragged out and released left the hover look on).
      // Leave tracking is asked for at every move over it, so it is on whenever hover is.
      RECT rc;
      ::GetClientRect(h, &rc);
      s->hover = ::PtInRect(&rc, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}) != FALSE;
      if (s->hover) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
        ::TrackMouseEvent(&tme);
      }
      break;
    }
    case WM_MOUSELEAVE:
      s->hover = false;
      break;
    default:
      break;
  }
  // The button draws its state changes itself, outside WM_PAINT: draw ours over them.
  const LRESULT r = ::DefSubclassProc(h, msg, wp, lp);
  switch (msg) {
    case WM_MOUSEMOVE: case WM_MOUSELEAVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_KEYDOWN: case WM_KEYUP: case WM_SETFOCUS: case WM_KILLFOCUS:
    case WM_ENABLE: case BM_SETSTATE: case BM_SETSTYLE: case BM_SETCHECK: case WM_SETTEXT:
    case WM_CAPTURECHANGED: case WM_UPDATEUISTATE:
      Redraw(h);
      break;
    default:
      break;
  }
  return r;
}

void Dress(HWND h, LONG style, HWND parent) {
  if (Find(h) || !Qualifies(h, style, parent)) return;  // never twice
  if (!::SetWindowSubclass(h, SkinProc, kSkinId, 0)) return;
  Skin().windows.push_back({h, ClassIs(h, WC_BUTTONW) && IsPushButton(style), false});
}

void DressExisting(HWND h) {
  Dress(h, ::GetWindowLongW(h, GWL_STYLE), ::GetParent(h));
  ::InvalidateRect(h, nullptr, TRUE);
}

BOOL CALLBACK DressChild(HWND h, LPARAM) {
  DressExisting(h);
  return TRUE;
}

BOOL CALLBACK DressTopLevel(HWND h, LPARAM) {
  DressExisting(h);
  ::EnumChildWindows(h, DressChild, 0);
  return TRUE;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs;
    Dress(reinterpret_cast<HWND>(wp), create->style, create->hwndParent);
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

void Remove() {
  SkinState& s = Skin();
  s.hook.reset();
  for (const Skinned& w : std::exchange(s.windows, {})) {
    ::RemoveWindowSubclass(w.hwnd, SkinProc, kSkinId);
    ::InvalidateRect(w.hwnd, nullptr, TRUE);
  }
  s.style = 0;
}

}  // namespace

int ApplySkin(int style) {
  Remove();
  if (style < 1 || style > 3) return 0;
  SkinState& s = Skin();
  s.hook = OwnedHook(::SetWindowsHookExW(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId()));
  if (!s.hook) return 0;
  s.style = style;
  ::EnumThreadWindows(::GetCurrentThreadId(), DressTopLevel, 0);
  return 1;
}

void ReleaseSkin() { Remove(); }

int SkinnedWindowCount() { return static_cast<int>(Skin().windows.size()); }

}  // namespace vl

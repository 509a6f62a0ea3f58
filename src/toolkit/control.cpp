#include "toolkit/control.h"

#include "toolkit/font_bytes.h"
#include "toolkit/gbk.h"
#include "toolkit/loaded_window.h"
#include "toolkit/program_state.h"

namespace vl {

void FillColour(HDC dc, const RECT& rc, Colour colour) {
  if (colour == kDefaultColour) {
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  // ExtTextOut with ETO_OPAQUE fills without creating a brush.
  const COLORREF old = ::SetBkColor(dc, colour & 0x00FFFFFF);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

void Control::RegisterOwnClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Control::OwnProc;
    wc.hInstance = State().instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kOwnClass;
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

void Control::BorderStyles(int border, DWORD& style, DWORD& exStyle) {
  switch (border) {
    case 1: exStyle |= WS_EX_CLIENTEDGE; break;
    case 2: exStyle |= WS_EX_DLGMODALFRAME; break;
    case 3: exStyle |= WS_EX_STATICEDGE; break;
    case 4: exStyle |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: style |= WS_BORDER; break;
    default: break;
  }
}

bool Control::Create(HWND parent, int id) {
  NativeClass nc = Native();
  // By content: each translation unit may hold its own copy of the class name's literal.
  const bool own = ::lstrcmpW(nc.className, kOwnClass) == 0;
  if (own) RegisterOwnClass();
  DWORD style = WS_CHILD | nc.style;
  if (def_.visible) style |= WS_VISIBLE;
  if (def_.disabled) style |= WS_DISABLED;
  if (def_.tabStop) style |= WS_TABSTOP;
  const std::wstring caption = WideFromGbk(def_.caption);
  HWND hwnd = ::CreateWindowExW(nc.exStyle, nc.className, caption.c_str(), style, def_.left, def_.top,
                                def_.width, def_.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), State().instance, this);
  if (!hwnd) return false;
  if (!own) hwnd_ = OwnedWindow(hwnd);  // own kinds take it at WM_NCCREATE

  if (auto f = FontToMake(def_.font)) {
    LOGFONTW lf{};
    lf.lfHeight = f->height;
    lf.lfWidth = f->width;
    lf.lfEscapement = f->escapement;
    lf.lfOrientation = f->orientation;
    lf.lfWeight = f->weight;
    lf.lfItalic = f->italic;
    lf.lfUnderline = f->underline;
    lf.lfStrikeOut = f->strikeOut;
    lf.lfCharSet = f->charSet;
    lf.lfOutPrecision = f->outPrecision;
    lf.lfClipPrecision = f->clipPrecision;
    lf.lfQuality = f->quality;
    lf.lfPitchAndFamily = f->pitchAndFamily;
    const std::wstring face = WideFromGbk(f->faceName);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font_.reset(::CreateFontIndirectW(&lf));
  }
  ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  AfterCreate();
  return true;
}

HFONT Control::Font() const {
  return font_ ? font_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void Control::SetCaption(const std::string& text) {
  def_.caption = text;
  if (HWND h = hwnd()) ::SetWindowTextW(h, WideFromGbk(text).c_str());
}

void Control::SetVisible(bool visible) {
  def_.visible = visible;
  if (HWND h = hwnd()) ::ShowWindow(h, visible ? SW_SHOW : SW_HIDE);
}

void Control::RaiseClicked() {
  if (events_ && events_->clicked) RunHandler(events_->clicked);
}

void Control::RaisePositionChanged() {
  if (events_ && events_->positionChanged) RunHandler(events_->positionChanged);
}

LRESULT Control::WndProc(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd(), msg, wp, lp); }

LRESULT CALLBACK Control::OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = OwnedWindow(hwnd);
  }
  auto* self = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->OnNativeDestroyed();
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->WndProc(msg, wp, lp);
}

}  // namespace vl

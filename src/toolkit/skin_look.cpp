#include "toolkit/skin_look.h"

#include <optional>
#include <string>

#include "toolkit/handles.h"

namespace vl {
namespace {

struct Gradient {
  COLORREF top, bottom;
};

struct Palette {
  COLORREF border;
  Gradient hover, focused, normal, face, facePressed;
  COLORREF ringDisabled, ringPressed;
};

// Style 3 (silver) as the product shows it; 1 (blue) and 2 (olive) tint the same shapes.
const Palette& PaletteFor(int style) {
  static const Palette kSilver{RGB(0, 60, 116),
                               {RGB(255, 240, 207), RGB(229, 151, 0)},
                               {RGB(206, 231, 255), RGB(105, 130, 238)},
                               {RGB(255, 255, 255), RGB(226, 223, 214)},
                               {RGB(252, 252, 251), RGB(198, 197, 215)},
                               {RGB(179, 178, 197), RGB(252, 252, 251)},
                               RGB(245, 244, 234),
                               RGB(239, 227, 206)};
  static const Palette kBlue{RGB(0, 60, 116),
                             {RGB(255, 240, 207), RGB(229, 151, 0)},
                             {RGB(206, 231, 255), RGB(105, 130, 238)},
                             {RGB(255, 255, 255), RGB(214, 224, 245)},
                             {RGB(250, 252, 255), RGB(196, 212, 240)},
                             {RGB(176, 196, 232), RGB(250, 252, 255)},
                             RGB(240, 244, 250),
                             RGB(220, 230, 248)};
  static const Palette kOlive{RGB(55, 98, 6),
                              {RGB(255, 240, 207), RGB(229, 151, 0)},
                              {RGB(194, 220, 160), RGB(120, 160, 70)},
                              {RGB(255, 255, 255), RGB(224, 228, 204)},
                              {RGB(252, 252, 246), RGB(206, 214, 176)},
                              {RGB(186, 196, 150), RGB(252, 252, 246)},
                              RGB(242, 244, 234),
                              RGB(230, 234, 206)};
  return style == 1 ? kBlue : style == 2 ? kOlive : kSilver;
}

void Fill(HDC dc, const RECT& rc, COLORREF c) {
  const COLORREF old = ::SetBkColor(dc, c);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

BYTE Mix(BYTE a, BYTE b, int i, int n) { return static_cast<BYTE>(a + (b - a) * i / (n > 1 ? n - 1 : 1)); }

void FillGradient(HDC dc, const RECT& rc, Gradient g) {
  const int n = rc.bottom - rc.top;
  for (int i = 0; i < n; ++i) {
    const COLORREF c = RGB(Mix(GetRValue(g.top), GetRValue(g.bottom), i, n),
                           Mix(GetGValue(g.top), GetGValue(g.bottom), i, n),
                           Mix(GetBValue(g.top), GetBValue(g.bottom), i, n));
    Fill(dc, RECT{rc.left, rc.top + i, rc.right, rc.top + i + 1}, c);
  }
}

COLORREF Darker(COLORREF c, int by) {
  auto d = [by](int v) { return static_cast<BYTE>(v > by ? v - by : 0); };
  return RGB(d(GetRValue(c)), d(GetGValue(c)), d(GetBValue(c)));
}

COLORREF Blend(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
             (GetBValue(a) + GetBValue(b)) / 2);
}

RECT Inset(RECT rc, int by) { return RECT{rc.left + by, rc.top + by, rc.right - by, rc.bottom - by}; }

}  // namespace

void PaintSkinnedButton(HWND button, HDC target, int style, bool hover) {
  RECT rc;
  ::GetClientRect(button, &rc);
  const int w = rc.right, h = rc.bottom;
  if (w <= 0 || h <= 0) return;

  // Drawn off screen and copied in one step, so state changes do not flicker; straight onto the
  // target when GDI cannot give the buffer, so that the button never goes blank.
  OwnedDc buffer(::CreateCompatibleDC(target));
  OwnedBitmap bitmap(::CreateCompatibleBitmap(target, w, h));
  const bool buffered = buffer && bitmap;
  std::optional<Selected> keepBitmap;
  if (buffered) keepBitmap.emplace(buffer.get(), bitmap.get());
  HDC const dc = buffered ? buffer.get() : target;

  const Palette& p = PaletteFor(style);
  const LRESULT state = ::SendMessageW(button, BM_GETSTATE, 0, 0);
  const LONG bs = ::GetWindowLongW(button, GWL_STYLE);
  const bool disabled = !::IsWindowEnabled(button);
  const bool pressed = (state & BST_PUSHED) != 0;
  const bool focused = ::GetFocus() == button;
  const bool isDefault = (bs & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

  // What shows at the softened corners: the parent's background.
  HWND parent = ::GetParent(button);
  HBRUSH back = reinterpret_cast<HBRUSH>(
      ::SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button)));
  ::FillRect(dc, &rc, back ? back : ::GetSysColorBrush(COLOR_BTNFACE));

  const COLORREF border = disabled ? Darker(::GetSysColor(COLOR_BTNFACE), 32) : p.border;
  Fill(dc, RECT{1, 0, w - 1, 1}, border);
  Fill(dc, RECT{1, h - 1, w - 1, h}, border);
  Fill(dc, RECT{0, 1, 1, h - 1}, border);
  Fill(dc, RECT{w - 1, 1, w, h - 1}, border);
  const COLORREF corner = Blend(border, ::GetSysColor(COLOR_BTNFACE));
  for (POINT c : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
    ::SetPixel(dc, c.x, c.y, corner);

  const RECT ring = Inset(rc, 1);
  if (disabled)
    Fill(dc, ring, p.ringDisabled);
  else if (pressed)
    Fill(dc, ring, p.ringPressed);
  else if (hover)
    FillGradient(dc, ring, p.hover);
  else if (focused || isDefault)
    FillGradient(dc, ring, p.focused);
  else
    FillGradient(dc, ring, p.normal);

  if (!disabled) FillGradient(dc, Inset(rc, 3), pressed ? p.facePressed : p.face);
  if (focused && !disabled) {
    RECT focus = Inset(rc, 4);
    ::DrawFocusRect(dc, &focus);
  }

  const int length = ::GetWindowTextLengthW(button);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::GetWindowTextW(button, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  RECT textRc = Inset(rc, 3);
  if (pressed) ::OffsetRect(&textRc, 1, 1);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0));
  {
    Selected keepFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? RGB(165, 162, 148) : RGB(0, 0, 0));
    ::DrawTextW(dc, text.c_str(), length, &textRc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (buffered) ::BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

}  // namespace vl

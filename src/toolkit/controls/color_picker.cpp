// ColorPicker: a push-button face with a colour swatch. A click drops a small palette of named
// colours under it, with an entry that opens the Windows colour dialog; the choice becomes Color.
// The palette is a popup owned by the top-level window, so it also goes if that window goes first.
#include <windows.h>
#include <commdlg.h>
#include <windowsx.h>

#include <array>

#include "toolkit/controls/kinds.h"
#include "toolkit/gbk.h"
#include "toolkit/late_bound.h"
#include "toolkit/program_state.h"

namespace vl {
namespace {

// Black, maroon, green, olive, navy, purple, teal, grey; silver, red, lime, yellow, blue,
// fuchsia, aqua, white.
constexpr std::array<Colour, 16> kNamed = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
constexpr int kColumns = 8;
constexpr int kCell = 18;
constexpr int kRowHeight = 22;  // the text entries below the cells
constexpr int kPad = 2;
constexpr wchar_t kPaletteClass[] = L"VeiloraPalette";

// Palette entries: the named colours by index, then these.
constexpr int kNone = -1;
constexpr int kTransparent = 100;
constexpr int kMoreColours = 101;

void FrameIn(HDC dc, RECT rc, int stockBrush) {
  ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(stockBrush)));
}

class ColorPicker final : public Control {
 public:
  using Control::Control;
  ~ColorPicker() override { ClosePalette(); }

  Colour GetColor() const override { return def_.colour; }
  void SetColor(Colour colour) override {
    def_.colour = colour;
    if (HWND h = hwnd()) ::InvalidateRect(h, nullptr, FALSE);
  }

 protected:
  NativeClass Native() const override { return {kOwnClass, 0, 0}; }

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        Paint();
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        ::SetFocus(hwnd());
        TogglePalette();
        return 0;
      case WM_KEYDOWN:
        if (wp == VK_ESCAPE) ClosePalette();
        if (wp == VK_SPACE || wp == VK_RETURN || wp == VK_F4 || wp == VK_DOWN) TogglePalette();
        return 0;
      case WM_GETDLGCODE:
        // While the palette is open, Esc and Enter close or toggle it instead of the dialog keys.
        if (palette_.get() && lp) {
          const auto* m = reinterpret_cast<const MSG*>(lp);
          if (m->message == WM_KEYDOWN && (m->wParam == VK_ESCAPE || m->wParam == VK_RETURN)) return DLGC_WANTMESSAGE;
        }
        return DLGC_WANTARROWS;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
      case WM_ENABLE:
        ::InvalidateRect(hwnd(), nullptr, FALSE);
        if (msg == WM_ENABLE && !wp) ClosePalette();
        break;
      case WM_SHOWWINDOW:
        if (!wp) ClosePalette();
        break;
      case WM_DESTROY:
        ClosePalette();
        break;
      default:
        break;
    }
    return Control::WndProc(msg, wp, lp);
  }

 private:
  bool TransparentShown() const { return def_.transparentOffered && def_.colour == kDefaultColour; }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd(), &ps);
    RECT rc;
    ::GetClientRect(hwnd(), &rc);
    ::DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (palette_.get() ? DFCS_PUSHED : 0));
    RECT swatch{rc.left + 4, rc.top + 4, rc.right - 4, rc.bottom - 4};
    if (swatch.right > swatch.left && swatch.bottom > swatch.top) {
      if (TransparentShown()) {
        // No colour: the face with a diagonal stroke.
        ::FillRect(dc, &swatch, ::GetSysColorBrush(COLOR_BTNFACE));
        ::MoveToEx(dc, swatch.left, swatch.bottom - 1, nullptr);
        ::LineTo(dc, swatch.right, swatch.top - 1);
      } else {
        // Without the transparent choice the marker value is shown as black, as its low bits say.
        FillColour(dc, swatch, def_.colour & 0x00FFFFFF);
      }
      FrameIn(dc, swatch, BLACK_BRUSH);
    }
    if (::GetFocus() == hwnd()) {
      RECT focus{rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2};
      ::DrawFocusRect(dc, &focus);
    }
    ::EndPaint(hwnd(), &ps);
  }

  // --- The palette popup ---

  int Rows() const { return static_cast<int>(kNamed.size()) / kColumns; }
  int CellsHeight() const { return kPad + Rows() * kCell; }
  SIZE PaletteSize() const {
    const int entries = def_.transparentOffered ? 2 : 1;
    return {2 * kPad + kColumns * kCell + 2, CellsHeight() + kPad + entries * kRowHeight + 2};
  }
  RECT CellRect(int i) const {
    const int x = kPad + (i % kColumns) * kCell, y = kPad + (i / kColumns) * kCell;
    return {x, y, x + kCell, y + kCell};
  }
  RECT EntryRect(int entry) const {
    RECT rc;
    ::GetClientRect(palette_.get(), &rc);
    int row = 0;
    if (entry == kMoreColours && def_.transparentOffered) row = 1;
    const int y = CellsHeight() + kPad + row * kRowHeight;
    return {kPad, y, rc.right - kPad, y + kRowHeight};
  }
  int HitTest(POINT p) const {
    for (int i = 0; i < static_cast<int>(kNamed.size()); ++i) {
      const RECT rc = CellRect(i);
      if (::PtInRect(&rc, p)) return i;
    }
    for (int entry : {kTransparent, kMoreColours}) {
      if (entry == kTransparent && !def_.transparentOffered) continue;
      const RECT rc = EntryRect(entry);
      if (::PtInRect(&rc, p)) return entry;
    }
    return kNone;
  }

  static void RegisterPaletteClass() {
    static const bool registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.style = CS_DROPSHADOW;
      wc.lpfnWndProc = &ColorPicker::PaletteProc;
      wc.hInstance = State().instance;
      wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
      wc.lpszClassName = kPaletteClass;
      return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
  }

  void TogglePalette() {
    if (palette_.get()) {
      ClosePalette();
      return;
    }
    HWND self = hwnd();
    if (!self || !::IsWindowVisible(self) || !::IsWindowEnabled(self)) return;
    RegisterPaletteClass();
    RECT at;
    ::GetWindowRect(self, &at);
    const SIZE size = PaletteSize();
    int y = at.bottom;
    if (y + size.cy > ::GetSystemMetrics(SM_CYSCREEN)) y = at.top - size.cy;
    hot_ = kNone;
    HWND popup = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPaletteClass, L"", WS_POPUP | WS_BORDER, at.left,
                                   y, size.cx, size.cy, ::GetAncestor(self, GA_ROOT), nullptr, State().instance, this);
    if (!popup) return;
    ::ShowWindow(popup, SW_SHOWNA);
    // With the capture, a press anywhere else closes the palette.
    ::SetCapture(popup);
    ::InvalidateRect(self, nullptr, FALSE);
  }

  void ClosePalette() {
    HWND popup = palette_.get();
    if (!popup) return;
    // Detached first: the destruction below must not call back into this object.
    ::SetWindowLongPtrW(popup, GWLP_USERDATA, 0);
    palette_.reset();
    if (HWND h = hwnd()) ::InvalidateRect(h, nullptr, FALSE);
  }

  void Choose(int entry) {
    ClosePalette();
    if (entry >= 0 && entry < static_cast<int>(kNamed.size()))
      SetColor(kNamed[static_cast<std::size_t>(entry)]);
    else if (entry == kTransparent)
      SetColor(kDefaultColour);
    else if (entry == kMoreColours)
      ChooseOther();
  }

  void ChooseOther() {
    HWND self = hwnd();
    if (!self) return;
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = ::GetAncestor(self, GA_ROOT);
    cc.rgbResult = def_.colour == kDefaultColour ? 0 : def_.colour;
    cc.lpCustColors = custom_.data();
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    static const auto chooseColor = LateBound<decltype(&::ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (!chooseColor) return;
    BOOL chosen = FALSE;
    // The dialog runs its own message loop; counted like a handler, so that a window destroyed
    // meanwhile (this one's included) is not freed under this call.
    RunHandler([&] { chosen = chooseColor(&cc); });
    if (chosen) SetColor(cc.rgbResult & 0x00FFFFFF);
  }

  void PaintPalette(HWND popup) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(popup, &ps);
    RECT rc;
    ::GetClientRect(popup, &rc);
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_MENU));
    for (int i = 0; i < static_cast<int>(kNamed.size()); ++i) {
      const RECT cell = CellRect(i);
      RECT swatch{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom - 2};
      FillColour(dc, swatch, kNamed[static_cast<std::size_t>(i)]);
      FrameIn(dc, swatch, GRAY_BRUSH);
      if (i == hot_) FrameIn(dc, cell, BLACK_BRUSH);
    }
    Selected keepFont(dc, Font());
    ::SetBkMode(dc, TRANSPARENT);
    for (int entry : {kTransparent, kMoreColours}) {
      if (entry == kTransparent && !def_.transparentOffered) continue;
      RECT row = EntryRect(entry);
      const bool hot = entry == hot_;
      if (hot) ::FillRect(dc, &row, ::GetSysColorBrush(COLOR_HIGHLIGHT));
      ::SetTextColor(dc, ::GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
      const std::wstring text = WideFromGbk(entry == kTransparent ? "透明" : "其它颜色...");
      ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::EndPaint(popup, &ps);
  }

  LRESULT OnPaletteMessage(HWND popup, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_PAINT:
        PaintPalette(popup);
        return 0;
      case WM_MOUSEMOVE: {
        const int hot = HitTest(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (hot != hot_) {
          hot_ = hot;
          ::InvalidateRect(popup, nullptr, FALSE);
        }
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN: {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT rc;
        ::GetClientRect(popup, &rc);
        if (!::PtInRect(&rc, p)) ClosePalette();
        return 0;
      }
      case WM_LBUTTONUP: {
        // The release of the press that opened the palette lands outside it and chooses nothing.
        const int entry = HitTest(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        if (entry != kNone) Choose(entry);
        return 0;
      }
      case WM_CAPTURECHANGED:
        ClosePalette();
        return 0;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      default:
        break;
    }
    return ::DefWindowProcW(popup, msg, wp, lp);
  }

  static LRESULT CALLBACK PaletteProc(HWND popup, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      auto* self = static_cast<ColorPicker*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      ::SetWindowLongPtrW(popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->palette_ = OwnedWindow(popup);
    }
    auto* self = reinterpret_cast<ColorPicker*>(::GetWindowLongPtrW(popup, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(popup, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      // Gone with its owner window, before this picker was told.
      ::SetWindowLongPtrW(popup, GWLP_USERDATA, 0);
      self->palette_.Forget();
      return ::DefWindowProcW(popup, msg, wp, lp);
    }
    return self->OnPaletteMessage(popup, msg, wp, lp);
  }

  OwnedWindow palette_;
  int hot_ = kNone;
  std::array<COLORREF, 16> custom_{};
};

}  // namespace

std::unique_ptr<Control> MakeColorPicker(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<ColorPicker>(w, d, e);
}

}  // namespace vl

// Button: a standard push button.
#include "toolkit/controls/dib.h"
#include "toolkit/controls/kinds.h"
#include "toolkit/geometry.h"

namespace vl {
namespace {

class Button final : public Control {
 public:
  Button(LoadedWindow& w, const ControlDef& d, const ControlEvents* e)
      : Control(w, d, e), picture_(MakeDrawnPicture(d.picture)) {
    // The button shows the bitmap: the file is not kept.
    def_.picture = Picture();
  }

  // A picture replaces the caption; without one (or with undecodable data) the caption shows.
  void SetPicture(Bytes file) override {
    PictureBitmap fresh = MakeDrawnPicture(file);
    if (HWND h = hwnd()) {
      // The button takes an image only while it has BS_BITMAP: set the style first when adding,
      // drop the image first when removing.
      const LONG style = ::GetWindowLongW(h, GWL_STYLE);
      if (!fresh.empty()) ::SetWindowLongW(h, GWL_STYLE, style | BS_BITMAP);
      ::SendMessageW(h, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fresh.bitmap.get()));
      if (fresh.empty()) ::SetWindowLongW(h, GWL_STYLE, style & ~BS_BITMAP);
      ::InvalidateRect(h, nullptr, TRUE);
    }
    picture_ = std::move(fresh);  // the old bitmap goes only once the button no longer shows it
  }

 protected:
  NativeClass Native() const override {
    static constexpr DWORD kHorizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    static constexpr DWORD kVertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
    DWORD style = BS_MULTILINE | (ClampPick(def_.buttonType, 0, 1) == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    style |= kHorizontal[ClampPick(def_.hAlign, 0, 2)] | kVertical[ClampPick(def_.vAlign, 0, 2)];
    if (!picture_.empty()) style |= BS_BITMAP;
    return {L"BUTTON", style, 0};
  }

  void AfterCreate() override {
    if (!picture_.empty())
      ::SendMessageW(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.bitmap.get()));
  }

  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) RaiseClicked();
  }

 private:
  PictureBitmap picture_;  // the button only borrows the bitmap it shows
};

}  // namespace

std::unique_ptr<Control> MakeButton(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<Button>(w, d, e);
}

}  // namespace vl

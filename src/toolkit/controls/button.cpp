// Button: a standard push button.
#include "toolkit/controls/kinds.h"
#include "toolkit/geometry.h"

namespace vl {
namespace {

class Button final : public Control {
 public:
  using Control::Control;

 protected:
  NativeClass Native() const override {
    static constexpr DWORD kHorizontal[] = {BS_LEFT, BS_CENTER, BS_RIGHT};
    static constexpr DWORD kVertical[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
    DWORD style = BS_MULTILINE | (ClampPick(def_.buttonType, 0, 1) == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    style |= kHorizontal[ClampPick(def_.hAlign, 0, 2)] | kVertical[ClampPick(def_.vAlign, 0, 2)];
    return {L"BUTTON", style, 0};
  }

  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) RaiseClicked();
  }
};

}  // namespace

std::unique_ptr<Control> MakeButton(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  return std::make_unique<Button>(w, d, e);
}

}  // namespace vl

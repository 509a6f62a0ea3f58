#include "toolkit/controls/kinds.h"

namespace vl {

std::unique_ptr<Control> MakeControl(LoadedWindow& w, const ControlDef& d, const ControlEvents* e) {
  switch (d.kind) {
    case ControlKind::Button: return MakeButton(w, d, e);
    case ControlKind::Label: return MakeLabel(w, d, e);
    case ControlKind::TransLabel: return MakeTransLabel(w, d, e);
    case ControlKind::PicBox: return MakePicBox(w, d, e);
    case ControlKind::SliderBar: return MakeSliderBar(w, d, e);
    case ControlKind::ColorPicker: return MakeColorPicker(w, d, e);
    case ControlKind::HyperLinker: return MakeHyperLinker(w, d, e);
    case ControlKind::PicBtn: return MakePicBtn(w, d, e);
  }
  return nullptr;
}

}  // namespace vl

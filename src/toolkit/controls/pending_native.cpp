// TEMPORARY (work in progress): kinds not yet built. Removed when they land.
#include "toolkit/controls/kinds.h"
namespace vl {
std::unique_ptr<Control> MakeSliderBar(LoadedWindow&, const ControlDef&, const ControlEvents*) { return nullptr; }
std::unique_ptr<Control> MakeColorPicker(LoadedWindow&, const ControlDef&, const ControlEvents*) { return nullptr; }
std::unique_ptr<Control> MakeHyperLinker(LoadedWindow&, const ControlDef&, const ControlEvents*) { return nullptr; }
}  // namespace vl

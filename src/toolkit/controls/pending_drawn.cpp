// TEMPORARY (work in progress): kinds not yet built. Removed when they land.
#include "toolkit/controls/kinds.h"
namespace vl {
std::unique_ptr<Control> MakeTransLabel(LoadedWindow&, const ControlDef&, const ControlEvents*) { return nullptr; }
std::unique_ptr<Control> MakePicBox(LoadedWindow&, const ControlDef&, const ControlEvents*) { return nullptr; }
std::unique_ptr<Control> MakePicBtn(LoadedWindow&, const ControlDef&, const ControlEvents*) { return nullptr; }
}  // namespace vl

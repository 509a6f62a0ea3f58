// One factory per control kind; each kind lives in its own file beside this one.
#pragma once
#include <memory>

#include "toolkit/control.h"

namespace vl {

std::unique_ptr<Control> MakeButton(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakeLabel(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakeTransLabel(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakePicBox(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakeSliderBar(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakeColorPicker(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakeHyperLinker(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);
std::unique_ptr<Control> MakePicBtn(LoadedWindow& w, const ControlDef& d, const ControlEvents* e);

}  // namespace vl

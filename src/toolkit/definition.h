// Window and control definitions as plain data: the initial value of every property.
// A loaded window works on its own copy, so nothing written to it outlives the window.
// Portable: no <windows.h>.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/bytes.h"

namespace vl {

using Colour = std::uint32_t;                      // 0x00BBGGRR, as GDI uses it
inline constexpr Colour kDefaultColour = 0xFF000000;  // button face (background) / transparent (picker)

enum class ControlKind { Button, Label, TransLabel, PicBox, SliderBar, ColorPicker, HyperLinker, PicBtn };

// Picture values are complete image files; the definition keeps the bytes it was given.
using Picture = std::vector<std::uint8_t>;
inline Picture PictureOf(Bytes b) { return b.empty() ? Picture{} : Picture(b.data, b.data + b.size); }

struct ControlDef {
  std::string name;  // designer name, GBK
  ControlKind kind = ControlKind::Label;
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool disabled = false;
  bool tabStop = false;
  std::string tag;

  // Texts (Button, Label, TransLabel, HyperLinker).
  std::string caption;
  std::vector<std::uint8_t> font;  // empty, or a 60-byte LOGFONTA
  Colour textColour = 0x00000000;
  Colour backColour = kDefaultColour;
  int hAlign = 0;     // 0 left, 1 centre, 2 right
  int vAlign = 0;     // 0 top, 1 centre, 2 bottom
  bool wordWrap = false;
  int textEffect = 0;
  int border = 0;

  // Button
  int buttonType = 0;

  // PicBox
  Picture picture;
  int displayMode = 0;  // 0 natural at top-left, 1 stretched, 2 centred (shrunk to fit)
  bool animate = false;

  // PicBtn
  Picture normalPicture, hoverPicture, pressedPicture, disabledPicture;
  Colour transparentColour = kDefaultColour;  // kDefaultColour: nothing cut out
  int toggle = 0;
  bool checked = false;

  // SliderBar
  int minimum = 0, maximum = 10, position = 0;
  int lineSize = 1, pageSize = 2, tickFrequency = 1;
  int tickMarks = 2;  // 0 none, 1 top/left, 2 bottom/right, 3 both
  int vertical = 0;
  bool selectionShown = false;
  int selectionStart = 0, selectionLength = 0;

  // ColorPicker
  Colour colour = 0x00000000;
  bool transparentOffered = false;

  // HyperLinker
  int linkKind = 1;  // 0 e-mail, otherwise web
  std::string emailAddress, webAddress;
  Colour normalColour = 0x00FF0000, visitedColour = 0x00800080, hoverColour = 0x000000FF;
};

struct WindowDef {
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool disabled = false;
  std::string tag;
  std::string title;  // GBK
  int border = 2;
  Colour backColour = kDefaultColour;
  bool controlButtons = true;
  bool maxButton = false;
  bool minButton = false;
  int placement = 0;  // 0 normal, 1 centred, 2 minimised, 3 maximised
  bool movable = true;
  Picture icon;       // ICO file; empty: the application icon
  bool escCloses = false;
  bool showInTaskbar = true;
  bool alwaysOnTop = false;
  std::vector<ControlDef> controls;  // creation order, z-order from the top
};

}  // namespace vl

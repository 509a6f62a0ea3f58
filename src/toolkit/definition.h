// Window and control definitions as plain data: the initial value of every property.
// A loaded window works on its own copy, so nothing written to it outlives the window.
// Portable: no <windows.h>.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/bytes.h"

namespace vl {

using Colour = std::uint32_t;                      // 0x00BBGGRR, as GDI uses it
inline constexpr Colour kDefaultColour = 0xFF000000;  // button face (background) / transparent (picker)

enum class ControlKind { Button, Label, TransLabel, PicBox, SliderBar, ColorPicker, HyperLinker, PicBtn };

// A picture value: a complete image file. The program's own pictures are embedded in the exe and
// last as long as it does, so a definition refers to them (PictureOf) rather than copying them
// into every loaded window. Bytes made at run time are held, shared by the copies of a definition.
class Picture {
 public:
  Picture() = default;
  // A file built at run time.
  Picture(std::vector<std::uint8_t> file)  // NOLINT(google-explicit-constructor): a built file is a picture
      : held_(file.empty() ? nullptr : std::make_shared<const std::vector<std::uint8_t>>(std::move(file))) {}

  Bytes bytes() const { return held_ ? Bytes{held_->data(), held_->size()} : lasting_; }
  const std::uint8_t* data() const { return bytes().data; }
  std::size_t size() const { return bytes().size; }
  bool empty() const { return bytes().empty(); }

 private:
  friend Picture PictureOf(Bytes lasting);
  std::shared_ptr<const std::vector<std::uint8_t>> held_;
  Bytes lasting_;
};

// Bytes that last as long as the program (the embedded pictures): referred to, never copied.
inline Picture PictureOf(Bytes lasting) {
  Picture p;
  if (!lasting.empty()) p.lasting_ = lasting;
  return p;
}

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

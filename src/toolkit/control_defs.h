// Small builders so that window definitions read like their property tables: one line per control
// with its kind, name and rectangle, then the values that differ from the kind's defaults.
#pragma once
#include <string>

#include "toolkit/definition.h"
#include "toolkit/font_bytes.h"

namespace vl::def {

inline ControlDef Control(ControlKind kind, std::string name, int left, int top, int width, int height) {
  ControlDef c;
  c.kind = kind;
  c.name = std::move(name);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

inline ControlDef Button(std::string name, int l, int t, int w, int h, std::string caption) {
  ControlDef c = Control(ControlKind::Button, std::move(name), l, t, w, h);
  c.caption = std::move(caption);
  c.hAlign = 1;
  c.vAlign = 1;
  c.tabStop = true;
  return c;
}

inline ControlDef PicBox(std::string name, int l, int t, int w, int h, Colour back, int displayMode,
                         Bytes picture) {
  ControlDef c = Control(ControlKind::PicBox, std::move(name), l, t, w, h);
  c.backColour = back;
  c.displayMode = displayMode;
  c.animate = true;
  c.picture = PictureOf(picture);
  return c;
}

// The Song typeface the Chinese labels use (GB2312 character set as stored).
inline std::vector<std::uint8_t> SongFont(int height, int weight) {
  LogFontFields f;
  f.faceName = "宋体";
  f.height = height;
  f.weight = weight;
  f.charSet = 134;
  f.outPrecision = 3;
  f.clipPrecision = 2;
  f.quality = 1;
  f.pitchAndFamily = 2;
  return LogFontBytes(f);
}

}  // namespace vl::def

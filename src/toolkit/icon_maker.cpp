// Window and notification-area icons made from ICO data held in memory.
#include <windows.h>

#include "toolkit/picture.h"
#include "toolkit/program_state.h"

namespace vl {
namespace {

OwnedIcon MakeFromEntry(Bytes ico, int width) {
  const auto dir = ParseIcoDirectory(ico);
  if (!dir) return {};
  const auto image = IconImageBytes(ico, dir->entries[PickIconEntry(*dir, width)]);
  if (!image) return {};
  const auto info = ReadIconImageInfo(*image);
  if (!info) return {};
  auto* bits = const_cast<PBYTE>(image->data);  // read only, whatever the prototype says
  const auto size = static_cast<DWORD>(image->size);
  HICON icon = ::CreateIconFromResourceEx(bits, size, TRUE, 0x00030000, info->width, info->height,
                                          LR_DEFAULTCOLOR);
  if (!icon && info->bitCount != 16) icon = ::CreateIconFromResource(bits, size, TRUE, 0x00030000);
  return OwnedIcon(icon);
}

}  // namespace

OwnedIcon MakeIconFromIco(Bytes ico, int width, int secondWidth) {
  if (ico.empty()) return {};
  OwnedIcon icon = MakeFromEntry(ico, width);
  if (!icon && secondWidth > 0) icon = MakeFromEntry(ico, secondWidth);
  return icon;
}

}  // namespace vl

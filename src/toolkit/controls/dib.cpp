#include "toolkit/controls/dib.h"

#include <cstring>

namespace vl {

OwnedBitmap MakeDib(const Image& image) {
  if (image.empty()) return {};
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = image.width;
  bmi.bmiHeader.biHeight = -image.height;  // top-down, like Image
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  // 0xAARRGGBB in memory is B, G, R, A: exactly a 32-bit DIB's pixel layout.
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof image.pixels[0]);
  ::GdiFlush();
  return bitmap;
}

PictureBitmap MakePictureBitmap(Bytes file) {
  PictureBitmap p;
  if (file.empty()) return p;
  p.image = DecodePicture(file);
  p.bitmap = MakeDib(p.image);
  if (!p.bitmap) p.image = {};
  return p;
}

void DrawBitmap(HDC dc, const PictureBitmap& picture, int x, int y) {
  if (picture.empty()) return;
  OwnedDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  Selected s(source.get(), picture.bitmap.get());
  ::BitBlt(dc, x, y, picture.width(), picture.height(), source.get(), 0, 0, SRCCOPY);
}

OffscreenBuffer::OffscreenBuffer(HDC target, int width, int height)
    : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  OwnedDc dc(::CreateCompatibleDC(target));
  OwnedBitmap bitmap(::CreateCompatibleBitmap(target, width, height));
  if (!dc || !bitmap) return;
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  selected_.emplace(dc_.get(), bitmap_.get());
}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const {
  if (dc_) ::BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace vl

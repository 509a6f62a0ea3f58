#include "toolkit/controls/dib.h"

#include <cstring>

namespace vl {

namespace {

// A 32-bit top-down DIB section of the given size; its pixels through `bits`. 0xAARRGGBB in memory
// is B, G, R, A: exactly Image's pixel layout, so pixels go in unchanged.
OwnedBitmap NewDib(int width, int height, std::uint32_t*& bits) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;  // top-down, like Image
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  OwnedBitmap bitmap(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &memory, nullptr, 0));
  if (!bitmap || !memory) return {};
  bits = static_cast<std::uint32_t*>(memory);
  return bitmap;
}

}  // namespace

OwnedBitmap MakeDib(const Image& image) {
  if (image.empty()) return {};
  std::uint32_t* bits = nullptr;
  OwnedBitmap bitmap = NewDib(image.width, image.height, bits);
  if (!bitmap) return {};
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

PictureBitmap MakeDrawnPicture(Bytes file) {
  PictureBitmap p;
  if (file.empty()) return p;
  // Decoded straight into the bitmap's memory: a large picture never sits in the heap as well,
  // where its freed pixels would keep the heap grown for the rest of the run.
  const bool decoded = DecodePictureInto(file, [&p](int width, int height) -> std::uint32_t* {
    std::uint32_t* bits = nullptr;
    p.bitmap = NewDib(width, height, bits);
    p.image.width = width;
    p.image.height = height;
    return bits;
  });
  if (!decoded || !p.bitmap) return {};
  ::GdiFlush();
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

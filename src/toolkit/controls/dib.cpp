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

// Whether [b.data, b.data + b.size) lies wholly inside one read-only section of the exe's image.
bool InReadOnlyImage(Bytes b) {
  const auto* base = reinterpret_cast<const std::uint8_t*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto* section = IMAGE_FIRST_SECTION(nt);
  const std::uintptr_t from = reinterpret_cast<std::uintptr_t>(b.data);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(base) + section[i].VirtualAddress;
    const std::uintptr_t size = section[i].Misc.VirtualSize;
    if (from >= start && from - start <= size && b.size <= size - (from - start))
      return !(section[i].Characteristics & IMAGE_SCN_MEM_WRITE);
  }
  return false;
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

Picture KeptPicture(Bytes file) {
  if (file.empty()) return {};
  if (InReadOnlyImage(file)) return PictureOf(file);
  return Picture(std::vector<std::uint8_t>(file.data, file.data + file.size));
}

ShownPicture::ShownPicture(Picture file) : layout_(ReadBmpLayout(file.bytes())) {
  if (layout_) {
    file_ = std::move(file);
  } else {
    bitmap_ = MakeDrawnPicture(file);
  }
}

bool ShownPicture::Draw(HDC dc, int x, int y, int w, int h) const {
  if (layout_) {
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file_.data() + layout_->infoAt);
    return ::StretchDIBits(dc, x, y, w, h, 0, 0, layout_->width, layout_->height, file_.data() + layout_->bitsAt,
                           info, DIB_RGB_COLORS, SRCCOPY) != 0;
  }
  if (bitmap_.empty()) return false;
  OwnedDc source(::CreateCompatibleDC(dc));
  if (!source) return false;
  Selected s(source.get(), bitmap_.bitmap.get());
  if (w == bitmap_.width() && h == bitmap_.height()) return ::BitBlt(dc, x, y, w, h, source.get(), 0, 0, SRCCOPY);
  return ::StretchBlt(dc, x, y, w, h, source.get(), 0, 0, bitmap_.width(), bitmap_.height(), SRCCOPY);
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

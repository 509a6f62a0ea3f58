// Pictures as GDI bitmaps, and the off-screen buffer the drawn kinds paint through.
#pragma once
#include <windows.h>

#include <optional>

#include "toolkit/bytes.h"
#include "toolkit/definition.h"
#include "toolkit/handles.h"
#include "toolkit/picture.h"

namespace vl {

// A decoded picture as a bitmap, with its pixels also in `image` when the owner needs them (for
// outlines); owners that only draw have the size alone there.
struct PictureBitmap {
  Image image;
  OwnedBitmap bitmap;

  bool empty() const { return !bitmap; }
  int width() const { return image.width; }
  int height() const { return image.height; }
};

// A 32-bit top-down DIB section with the image's pixels; empty for an empty image or when GDI
// refuses.
OwnedBitmap MakeDib(const Image& image);

// Decodes a picture value, keeping its pixels; empty, undecodable or unmakeable data gives an
// empty result.
PictureBitmap MakePictureBitmap(Bytes file);
inline PictureBitmap MakePictureBitmap(const Picture& p) { return MakePictureBitmap(Bytes{p.data(), p.size()}); }

// The same for owners that only draw: the pixels exist once, in the bitmap.
PictureBitmap MakeDrawnPicture(Bytes file);
inline PictureBitmap MakeDrawnPicture(const Picture& p) { return MakeDrawnPicture(Bytes{p.data(), p.size()}); }

// Draws the whole bitmap with its top-left corner at (x, y), at natural size.
void DrawBitmap(HDC dc, const PictureBitmap& picture, int x, int y);

// A picture value for bytes a caller hands over: bytes in the program's own read-only image (its
// embedded pictures, unchanged for the whole run) are referred to; any others are copied, since the
// caller may change or free them.
Picture KeptPicture(Bytes file);

// A picture as a box shows it. A BMP is drawn by the system straight from the file's own bytes,
// which the picture value keeps (for the program's own pictures, without a copy); anything else
// (an icon file) is decoded once into a bitmap. Either way the pixels are held once.
class ShownPicture {
 public:
  ShownPicture() = default;
  explicit ShownPicture(Picture file);

  bool empty() const { return !layout_ && bitmap_.empty(); }
  int width() const { return layout_ ? layout_->width : bitmap_.width(); }
  int height() const { return layout_ ? layout_->height : bitmap_.height(); }

  // The whole picture into the rectangle (x, y, w, h): copied when that is its own size, else
  // stretched with the DC's stretch mode. False when nothing could be drawn.
  bool Draw(HDC dc, int x, int y, int w, int h) const;

 private:
  Picture file_;
  std::optional<BmpLayout> layout_;
  PictureBitmap bitmap_;
};

// A memory DC with a bitmap compatible with `target`, `width` x `height`: the kinds draw into
// dc() and copy the result in one BitBlt, so a redraw never shows its intermediate steps.
class OffscreenBuffer {
 public:
  OffscreenBuffer(HDC target, int width, int height);
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

  // Null when GDI could not make the buffer; callers then draw straight to the target.
  HDC dc() const { return dc_.get(); }
  void CopyTo(HDC target, int x, int y) const;

 private:
  int width_, height_;
  OwnedDc dc_;
  OwnedBitmap bitmap_;
  std::optional<Selected> selected_;  // declared last: puts the DC's own bitmap back first
};

}  // namespace vl

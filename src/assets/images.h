// The pictures built into the program: BMP files, and the application icon as an ICO file.
// They are drawn by scripts/make-pictures and compiled in from src/assets/pictures/.
#pragma once
#include "toolkit/bytes.h"

namespace vl {

extern const Bytes bannerImage, trayIconImage, monitorPlainImage, monitorTintedImage,
    switchCaptionImage, switchOffNormalImage, switchOffHoverImage, switchOffPressedImage,
    switchOnNormalImage, switchOnHoverImage, switchOnPressedImage, aboutBannerImage;

}  // namespace vl

// Fonts are stored as the 60 bytes of a LOGFONTA record. Portable: the layout is written out here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vl {

inline constexpr std::size_t kLogFontSize = 60;

struct LogFontFields {
  std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 400;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0;
  std::uint8_t charSet = 0, outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::string faceName;  // GBK, at most 31 bytes
};

// The 60 stored bytes of a font.
std::vector<std::uint8_t> LogFontBytes(const LogFontFields& f);

// The font as the toolkit makes it: stored fields, with character set, precisions, quality and
// pitch replaced by the defaults (DEFAULT_CHARSET, OUT_/CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
// DEFAULT_PITCH). Empty when the value is not exactly 60 bytes: the default GUI font then.
std::optional<LogFontFields> FontToMake(const std::vector<std::uint8_t>& stored);

}  // namespace vl

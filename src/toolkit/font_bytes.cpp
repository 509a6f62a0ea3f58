#include "toolkit/font_bytes.h"

#include <cstring>

namespace vl {
namespace {

void PutLong(std::uint8_t* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetLong(const std::uint8_t* p) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}

}  // namespace

std::vector<std::uint8_t> LogFontBytes(const LogFontFields& f) {
  std::vector<std::uint8_t> b(kLogFontSize, 0);
  PutLong(&b[0], f.height);
  PutLong(&b[4], f.width);
  PutLong(&b[8], f.escapement);
  PutLong(&b[12], f.orientation);
  PutLong(&b[16], f.weight);
  b[20] = f.italic;
  b[21] = f.underline;
  b[22] = f.strikeOut;
  b[23] = f.charSet;
  b[24] = f.outPrecision;
  b[25] = f.clipPrecision;
  b[26] = f.quality;
  b[27] = f.pitchAndFamily;
  std::memcpy(&b[28], f.faceName.data(), f.faceName.size() < 31 ? f.faceName.size() : 31);
  return b;
}

std::optional<LogFontFields> FontToMake(const std::vector<std::uint8_t>& s) {
  if (s.size() != kLogFontSize) return std::nullopt;
  LogFontFields f;
  f.height = GetLong(&s[0]);
  f.width = GetLong(&s[4]);
  f.escapement = GetLong(&s[8]);
  f.orientation = GetLong(&s[12]);
  f.weight = GetLong(&s[16]);
  f.italic = s[20];
  f.underline = s[21];
  f.strikeOut = s[22];
  f.charSet = 1;         // DEFAULT_CHARSET
  f.outPrecision = 0;    // OUT_DEFAULT_PRECIS
  f.clipPrecision = 0;   // CLIP_DEFAULT_PRECIS
  f.quality = 2;         // PROOF_QUALITY
  f.pitchAndFamily = 0;  // DEFAULT_PITCH
  // The face field is 32 bytes; a name that fills it without a terminator is cut at 31.
  const auto* face = reinterpret_cast<const char*>(&s[28]);
  f.faceName.assign(face, strnlen(face, 31));
  return f;
}

}  // namespace vl

#include "toolkit/text.h"

#include <cstring>

namespace vl {

std::string IntToText(std::int32_t value) {
  // Work in 64 bits so that INT32_MIN negates safely.
  std::int64_t v = value;
  const bool negative = v < 0;
  if (negative) v = -v;
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  std::string out;
  out.reserve(static_cast<std::size_t>(n) + 1);
  if (negative) out.push_back('-');
  while (n > 0) out.push_back(digits[--n]);
  return out;
}

std::string JoinTexts(std::initializer_list<const char*> parts) {
  std::size_t total = 0;
  for (const char* p : parts) total += p ? std::strlen(p) : 0;
  std::string out;
  out.reserve(total);
  for (const char* p : parts)
    if (p) out.append(p);
  return out;
}

std::string JoinTexts(std::initializer_list<std::string> parts) {
  std::size_t total = 0;
  for (const std::string& p : parts) total += std::strlen(p.c_str());
  std::string out;
  out.reserve(total);
  for (const std::string& p : parts) out.append(p.c_str());
  return out;
}

}  // namespace vl

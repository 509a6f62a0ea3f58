// Text helpers the handlers use to build captions. Texts are GBK byte strings.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

namespace vl {

// Decimal, "-" when negative, no padding, grouping or plus sign (as "%d").
std::string IntToText(std::int32_t value);

// The parts one after the other, each up to its first zero byte; a null part counts as empty.
// Running out of memory throws std::bad_alloc, which the toolkit turns into its fatal error report.
std::string JoinTexts(std::initializer_list<const char*> parts);
std::string JoinTexts(std::initializer_list<std::string> parts);

}  // namespace vl

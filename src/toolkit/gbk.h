// User texts are GBK (code page 936). They are shown through the wide API after conversion, so
// they read correctly whatever the system's ANSI code page is.
#pragma once
#include <string>

namespace vl {

std::wstring WideFromGbk(const std::string& gbk);
std::string GbkFromWide(const std::wstring& wide);

}  // namespace vl

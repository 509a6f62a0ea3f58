#include "toolkit/browser_command.h"

#include <algorithm>

namespace vl {

std::optional<std::string> LinkTarget(int linkKind, std::string_view email, std::string_view web) {
  if (linkKind == 0) {
    if (email.empty()) return std::nullopt;
    return "mailto:" + std::string(email);
  }
  if (web.empty()) return std::nullopt;
  return std::string(web);
}

std::string OpenCommandKey(std::string_view fileType) {
  return std::string(fileType) + "\\shell\\open\\command";
}

bool BuildBrowserLine(std::string_view registered, std::string_view target, std::span<char> out) {
  if (out.empty()) return false;
  out[0] = '\0';
  // A registry value may carry its terminator (or garbage after it) inside the stated length.
  registered = registered.substr(0, registered.find('\0'));
  std::size_t cut = registered.find("%1");
  if (cut == std::string_view::npos)
    cut = registered.size();
  else if (cut > 0 && registered[cut - 1] == '"')
    --cut;
  const std::string_view head = registered.substr(0, cut);
  // Head, blank, target and terminator must all fit; compared without any sum that could wrap.
  if (head.size() >= out.size() || target.size() >= out.size() - head.size() - 1) return false;
  char* p = std::copy(head.begin(), head.end(), out.data());
  *p++ = ' ';
  p = std::copy(target.begin(), target.end(), p);
  *p = '\0';
  return true;
}

}  // namespace vl

// How a hyperlink's address becomes what the shell opens, and the command line of the browser
// registered for web pages when the shell cannot open it. Portable: no <windows.h>.
#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vl {

// What the shell is asked to open: "mailto:" and the e-mail address for link kind 0, else the web
// address unchanged. Nothing when the address in use is empty.
std::optional<std::string> LinkTarget(int linkKind, std::string_view email, std::string_view web);

// The registry key (under the classes root) that holds the open command of a file type.
std::string OpenCommandKey(std::string_view fileType);

// Room for the browser's command line, terminator included.
inline constexpr std::size_t kBrowserLineCapacity = 1024;

// Writes into `out` the registered command line cut at its "%1" placeholder (before the opening
// quotation mark when the placeholder is quoted, the whole line when there is none), a blank and
// the target, zero-terminated. A line that does not fit is refused: false, and `out` holds an
// empty string (when it has room for one). Nothing is ever written past the end of `out`.
bool BuildBrowserLine(std::string_view registered, std::string_view target, std::span<char> out);

}  // namespace vl

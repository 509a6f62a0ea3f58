#include "toolkit/browser_command.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace vl {
namespace {

TEST(BrowserCommand, LinkTargetByKind) {
  const struct {
    int kind;
    const char* email;
    const char* web;
    std::optional<std::string> target;
  } cases[] = {
      {0, "a@b.cn", "http://w", "mailto:a@b.cn"},
      {1, "a@b.cn", "http://w", "http://w"},
      {2, "a@b.cn", "www.example.com", "www.example.com"},  // any kind but 0 is a web address
      {-1, "", "http://w", "http://w"},
      {0, "", "http://w", std::nullopt},  // the address in use is empty: nothing to open
      {1, "a@b.cn", "", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(LinkTarget(c.kind, c.email, c.web), c.target) << c.kind << c.email;
}

TEST(BrowserCommand, OpenCommandKeyAppendsShellOpenCommand) {
  EXPECT_EQ(OpenCommandKey("htmlfile"), "htmlfile\\shell\\open\\command");
}

TEST(BrowserCommand, LineIsCutAtThePlaceholder) {
  const struct {
    const char* registered;
    const char* line;
  } cases[] = {
      {"\"C:\\b\\br.exe\" -url \"%1\"", "\"C:\\b\\br.exe\" -url  http://x"},  // quoted: cut before the quote
      {"C:\\b\\br.exe %1", "C:\\b\\br.exe  http://x"},                         // unquoted: cut at %1
      {"C:\\b\\br.exe %1 -new", "C:\\b\\br.exe  http://x"},                    // what follows goes too
      {"\"C:\\b\\br.exe\"", "\"C:\\b\\br.exe\" http://x"},                     // no placeholder: whole line
      {"%1", " http://x"},
      {"\"%1\"", " http://x"},
      {"", " http://x"},
      {"br %2 %1", "br %2  http://x"},
  };
  for (const auto& c : cases) {
    std::array<char, 64> out{};
    ASSERT_TRUE(BuildBrowserLine(c.registered, "http://x", out)) << c.registered;
    EXPECT_STREQ(out.data(), c.line) << c.registered;
  }
}

TEST(BrowserCommand, RegistryTerminatorInsideValueIsIgnored) {
  std::array<char, 32> out{};
  ASSERT_TRUE(BuildBrowserLine(std::string_view("br %1\0junk", 10), "t", out));
  EXPECT_STREQ(out.data(), "br  t");
}

// The buffer sits between guard bytes; whatever the lengths, the guards stay intact, and the
// line is accepted exactly when it fits with its terminator.
TEST(BrowserCommand, LineNeverPassesTheBuffer) {
  constexpr std::size_t kRoom = 16;
  const std::string head = "br.exe %1";  // head "br.exe " (7) + blank + target + terminator
  for (std::size_t targetLength = 0; targetLength <= 12; ++targetLength) {
    std::array<char, kRoom + 8> memory;
    memory.fill('#');
    std::span<char> out(memory.data() + 4, kRoom);
    const std::string target(targetLength, 'a');
    const bool fits = 7 + 1 + targetLength + 1 <= kRoom;
    EXPECT_EQ(BuildBrowserLine(head, target, out), fits) << targetLength;
    if (fits)
      EXPECT_EQ(std::string(out.data()), "br.exe  " + target);
    else
      EXPECT_EQ(out[0], '\0') << "a refused line leaves an empty string";
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(memory[i], '#');
      EXPECT_EQ(memory[kRoom + 4 + i], '#') << targetLength;
    }
  }
}

TEST(BrowserCommand, OverlongAddressOrCommandIsRefused) {
  std::array<char, kBrowserLineCapacity> out{};
  EXPECT_FALSE(BuildBrowserLine("br %1", std::string(kBrowserLineCapacity, 'x'), out));
  EXPECT_FALSE(BuildBrowserLine(std::string(kBrowserLineCapacity, 'c'), "t", out));
  EXPECT_FALSE(BuildBrowserLine("br %1", "t", std::span<char>()));
  EXPECT_TRUE(BuildBrowserLine("br %1", std::string(kBrowserLineCapacity - 5, 'x'), out));
  EXPECT_EQ(std::string(out.data()).size(), kBrowserLineCapacity - 1);
}

}  // namespace
}  // namespace vl

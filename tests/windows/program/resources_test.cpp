// What the exe file carries besides its code, read back as Windows reads it: the version record
// that Explorer's properties show, the application manifest, and the icon group Explorer picks.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/processes.h"

namespace vt {
namespace {

std::wstring ExePath() { return ExeDir() + L"veilora.exe"; }

std::vector<BYTE> VersionBlock(const std::wstring& file) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  std::vector<BYTE> block(size);
  if (size == 0 || !::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) block.clear();
  return block;
}

std::wstring VersionString(std::vector<BYTE>& block, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return L"<missing>";
  return value;
}

// The module loaded as data only: its resources, not its code.
struct ExeData {
  HMODULE module = ::LoadLibraryExW(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ~ExeData() {
    if (module) ::FreeLibrary(module);
  }
};

TEST(ExeFile, CarriesItsVersionRecord) {
  std::vector<BYTE> block = VersionBlock(ExePath());
  ASSERT_FALSE(block.empty()) << "no version record";

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof *fixed);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u);  // 0.1
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  const struct {
    const wchar_t* name;
    std::wstring value;
  } strings[] = {
      {L"ProductName", L"Veilora"},
      {L"ProductVersion", L"0.1"},
      {L"FileVersion", L"0.1"},
      {L"OriginalFilename", L"veilora.exe"},
      {L"CompanyName", L"Veilora developers"},
  };
  for (const auto& s : strings) EXPECT_EQ(VersionString(block, s.name), s.value) << s.name;
  EXPECT_NE(VersionString(block, L"FileDescription"), L"<missing>");
  EXPECT_NE(VersionString(block, L"LegalCopyright").find(L"Veilora developers"), std::wstring::npos);
}

TEST(ExeFile, ManifestAsksForCommonControls6AndNoElevationAndLeavesDpiAlone) {
  ExeData exe;
  ASSERT_TRUE(exe.module);
  HRSRC found = ::FindResourceW(exe.module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_TRUE(found) << "no application manifest";
  const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(exe.module, found)));
  ASSERT_TRUE(bytes);
  const std::string manifest(bytes, ::SizeofResource(exe.module, found));

  for (const char* wanted : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "6595b64144ccf1df",
                             "level=\"asInvoker\"",
                             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",   // Vista
                             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // 7
                             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // 8
                             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // 8.1
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // 10 and 11
    EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
  // Declaring DPI awareness would let Windows hand the windows a scaled screen at their own sizes.
  EXPECT_EQ(manifest.find("<dpiAware"), std::string::npos);
  EXPECT_EQ(manifest.find("<dpiAwareness"), std::string::npos);
}

BOOL CALLBACK FirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
  *reinterpret_cast<std::wstring*>(out) =
      IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name);
  return FALSE;  // the first is the one Explorer shows
}

TEST(ExeFile, FirstIconGroupIsTheApplicationIcon) {
  ExeData exe;
  ASSERT_TRUE(exe.module);
  std::wstring first;
  ::EnumResourceNamesW(exe.module, MAKEINTRESOURCEW(14), FirstName, reinterpret_cast<LONG_PTR>(&first));  // RT_GROUP_ICON
  EXPECT_EQ(first, L"DEFAULT_ICON");
}

TEST(ExeFile, RunningProgramUsesCommonControls6) {
  Child child = Start(L"veilora.exe");
  ASSERT_TRUE(child);
  ASSERT_TRUE(WaitForWindow(child.pid(), L"VeiloraWindow")) << "no setup window appeared";
  HMODULE modules[256];
  DWORD bytes = 0;
  ASSERT_TRUE(::EnumProcessModules(child.handle(), modules, sizeof modules, &bytes));
  std::wstring comctl;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 256; ++i) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameExW(child.handle(), modules[i], path, MAX_PATH);
    std::wstring p = path;
    if (_wcsicmp(p.substr(p.find_last_of(L"\\/") + 1).c_str(), L"comctl32.dll") == 0) comctl = p;
  }
  ASSERT_FALSE(comctl.empty()) << "comctl32 is not loaded";
  // Version 6 lives in the side-by-side store under its assembly's name; the plain one in
  // system32 is version 5. (Wine's copy there reports 5.x in its own version record.)
  std::wstring lower = comctl;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(::towlower(c));
  EXPECT_NE(lower.find(L"\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
      << std::string(comctl.begin(), comctl.end());
}

// Sections start on page boundaries in the file as well as in memory, so the loader can map the
// image instead of reading all of it, pictures included, into private memory.
TEST(ExeFile, SectionsLieOnPageBoundariesSoTheImageCanBeMapped) {
  std::vector<char> file;
  HANDLE h = ::CreateFileW(ExePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  file.resize(::GetFileSize(h, nullptr));
  DWORD read = 0;
  const BOOL ok = ::ReadFile(h, file.data(), static_cast<DWORD>(file.size()), &read, nullptr);
  ::CloseHandle(h);
  ASSERT_TRUE(ok && read == file.size());
  ASSERT_GE(file.size(), sizeof(IMAGE_DOS_HEADER));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  ASSERT_LE(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS), file.size());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(file.data() + dos->e_lfanew);
  ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->OptionalHeader.FileAlignment, nt->OptionalHeader.SectionAlignment);
  EXPECT_EQ(nt->OptionalHeader.SectionAlignment % 4096, 0u);
  const auto* section = IMAGE_FIRST_SECTION(nt);
  ASSERT_LE(reinterpret_cast<const char*>(section + nt->FileHeader.NumberOfSections), file.data() + file.size());
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
    const std::string name(reinterpret_cast<const char*>(section[i].Name),
                           strnlen(reinterpret_cast<const char*>(section[i].Name), IMAGE_SIZEOF_SHORT_NAME));
    EXPECT_EQ(section[i].PointerToRawData % 4096, 0u) << name;
  }
}

}  // namespace
}  // namespace vt

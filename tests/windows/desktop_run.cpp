// desktop_run NAME WxH PROGRAM [ARGS...]
// Starts PROGRAM on a desktop of its own whose screen is WxH pixels (Wine makes a virtual desktop
// of the size registered under that name) and returns PROGRAM's exit code.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Quote(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  for (wchar_t c : arg) {
    if (c == L'"') out += L'\\';
    out += c;
  }
  return out + L"\"";
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 4) {
    std::fprintf(stderr, "usage: desktop_run NAME WxH PROGRAM [ARGS...]\n");
    return 2;
  }
  const std::wstring name = argv[1];
  const std::wstring size = argv[2];
  HKEY key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
    ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(size.c_str()),
                     static_cast<DWORD>((size.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }

  std::wstring command;
  for (int i = 3; i < argc; ++i) command += (i > 3 ? L" " : L"") + Quote(argv[i]);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring desktop = name;
  si.lpDesktop = desktop.data();
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    std::fprintf(stderr, "desktop_run: cannot start the program (error %lu)\n", ::GetLastError());
    return 3;
  }
  ::WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

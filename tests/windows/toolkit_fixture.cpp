// A program on the toolkit with small units of its own. The first argument picks a scenario;
// the tests start it and watch how it ends.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "toolkit/toolkit.h"

namespace {

std::string g_scenario;

vl::WindowDef MainDefinition() {
  vl::WindowDef w;
  w.width = 320;
  w.height = 240;
  w.title = "Fixture";
  w.placement = 1;
  w.showInTaskbar = false;
  return w;
}

// The at-end routine leaves a mark in a file named by the second argument, so a test can tell
// whether (and how often) it ran.
std::string g_markFile;
void AtEnd() {
  if (g_markFile.empty()) return;
  if (FILE* f = std::fopen(g_markFile.c_str(), "a")) {
    std::fputs("at-end\n", f);
    std::fclose(f);
  }
}

std::optional<bool> CloseAnswer() {
  if (g_scenario == "close-false") return false;
  if (g_scenario == "close-true") return true;
  if (g_scenario == "close-end") vl::EndProgram(0);
  return std::nullopt;
}

void Created() {
  if (g_scenario == "fatal") vl::ReportFatalError("测试用的致命错误");
  if (g_scenario == "missing-function") vl::BindDeclaredFunction("user32.dll", "NoSuchFunctionInUser32");
}

void Tray(int);

vl::WindowUnit Main{"Main", MainDefinition,
                    vl::WindowEvents{.created = Created, .canClose = CloseAnswer, .trayEvent = Tray}};

// A tray callback stands for any handler that runs from the main loop.
void Tray(int) {
  if (g_scenario == "tray-end") vl::EndProgram(7);
  if (g_scenario == "tray-missing") vl::BindDeclaredFunction("user32.dll", "NoSuchFunctionInUser32");
  if (g_scenario == "tray-destroy") vl::DestroyWindow(Main);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  std::string args = cmd ? cmd : "";
  const auto space = args.find(' ');
  g_scenario = args.substr(0, space);
  if (space != std::string::npos) g_markFile = args.substr(space + 1);

  vl::RunProgram([]() -> int {
    vl::InitToolkit();
    vl::SetAtEndRoutine(AtEnd);
    if (g_scenario != "no-window") vl::LoadStartWindow(Main);
    vl::RunMessageLoop();
    return 0;
  });
}

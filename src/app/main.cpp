#include <windows.h>

#include "app/startup.h"
#include "toolkit/toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { vl::RunProgram(vl::StartUp); }

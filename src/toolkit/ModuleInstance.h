#pragma once
// The module (exe) whose instance handle every toolkit window and class uses.
#include <windows.h>

HINSTANCE ModuleInstance();

#pragma once
// Where the engine's callbacks report what they caught: the skin data's
// DoDebug (its DebugList, when one is attached) and the debugger output.
#include <string>

namespace relayon::skin {

class TSkinData;

void EngineDebug(TSkinData* sd, const std::wstring& text);
std::wstring WideFromAnsi(const char* text);

}  // namespace relayon::skin

#include "skin/paint/win32/SkinnerButtons.h"

namespace relayon::skin {

bool AddButtonSkinner(TWinSkinForm*, TComponent*, const std::wstring&) { return false; }
bool AddButtonSkinnerHwnd(TWinSkinForm*, HWND, const std::wstring&, DWORD) { return false; }
bool AddButtonSkinnerKind(TWinSkinForm*, TComponent*, const std::wstring&) { return false; }

}  // namespace relayon::skin

#include "skin/paint/win32/SkinnerFamilies.h"

namespace relayon::skin {

TSkinControl* StartBarFamily(TWinSkinForm*, std::wstring_view, TComponent*, HWND, const SkinnerRequest&) { return nullptr; }

void HookToolBarPainters(TWinSkinForm*, TComponent*) {}

}  // namespace relayon::skin

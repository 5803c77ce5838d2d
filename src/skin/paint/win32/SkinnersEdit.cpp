#include "skin/paint/win32/SkinnerFamilies.h"

namespace relayon::skin {

TSkinControl* StartEditFamily(TWinSkinForm*, std::wstring_view, TComponent*, HWND, const SkinnerRequest&) { return nullptr; }

}  // namespace relayon::skin

// The services TSkinData and the painters share: the application icon, the
// caption-button hint, scroll-bar information, the control of a window and
// the wide/8-bit text helpers. The platform flags and mouse-leave tracking
// have files of their own (Winskindata_platform.cpp, _trackmouse.cpp).
#include <windows.h>

#include "skin/data/win32/Winskindata.h"
#include "toolkit/Application.h"
#include "toolkit/ControlAtom.h"

namespace relayon::skin {

namespace {

template <class F>
F User32Entry(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Widest hint text, in pixels.
constexpr int kHintMaxWidth = 500;

}  // namespace

BOOL(WINAPI* pGetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) =
    User32Entry<BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO)>("GetScrollBarInfo");
BOOL(WINAPI* pTrackMouseEvent)(LPTRACKMOUSEEVENT) = User32Entry<BOOL(WINAPI*)(LPTRACKMOUSEEVENT)>("TrackMouseEvent");
BOOL(WINAPI* pGetComboBoxInfo)(HWND, PCOMBOBOXINFO) =
    User32Entry<BOOL(WINAPI*)(HWND, PCOMBOBOXINFO)>("GetComboBoxInfo");
void(WINAPI* pDisableProcessWindowsGhosting)() = User32Entry<void(WINAPI*)()>("DisableProcessWindowsGhosting");
UINT DefaultUserCodePage = 0;

void TSkinData::GetAppIcon() {
    HWND app = Application ? Application->Handle() : nullptr;
    if (!app) return;
    auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;
    const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
    // Scaling an icon is the dearest step of a reload under Wine (more than
    // unpacking the skin when only a big icon exists), and every skin load
    // without a manager comes here again: the same icon at the same size
    // draws the same picture, so SysIcon stays when it still holds it.
    if (icon == appIcon_.icon && w == appIcon_.width && h == appIcon_.height && SysIconHoldsDrawnAppIcon()) return;
    auto bmp = std::make_unique<TBitmap>(w, h, pf24bit);
    HDC dc = bmp->Canvas().Handle();
    GdiObject<HBRUSH> magenta(CreateSolidBrush(RGB(255, 0, 255)));
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, magenta.get());
    // DrawIconEx scales a copy; the window keeps its icon.
    DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    bmp->SetTransparentColor(clFuchsia);
    bmp->SetTransparent(true);
    appIcon_ = {icon, w, h, bmp->ToPixelImage()};
    SysIcon = std::move(bmp);
}

bool TSkinData::SysIconHoldsDrawnAppIcon() const {
    // Painters may have put another picture into SysIcon (the form's own
    // icon for a system-menu button), so its pixels are compared, not trusted.
    if (!SysIcon || SysIcon->PixelFormat() != pf24bit || !SysIcon->Transparent() ||
        SysIcon->TransparentMode() != tmFixed || SysIcon->TransparentColor() != clFuchsia)
        return false;
    const PixelImage now = SysIcon->ToPixelImage();
    return now.width == appIcon_.picture.width && now.height == appIcon_.picture.height &&
           now.pixels == appIcon_.picture.pixels;
}

void TSkinData::ActivateHint(const RECT& aRect, const std::wstring& AHint) {
    if (!fSkinOptions.Contains(xoCaptionButtonHint) || hashint || !fhintwindow) return;
    RECT r = fhintwindow->CalcHintRect(kHintMaxWidth, AHint);
    OffsetRect(&r, aRect.left, aRect.top);
    fhintwindow->ActivateHint(r, AHint);
    hashint = true;
}

void TSkinData::HideHint() {
    if (!hashint) return;
    if (fhintwindow) fhintwindow->ReleaseHandle();
    hashint = false;
}

bool TSkinData::GetScrollBarInfo(HWND hwnd, LONG idObject, SCROLLBARINFO& psbi) const {
    return pGetScrollBarInfo && pGetScrollBarInfo(hwnd, idObject, &psbi);
}

TWinControl* FindControlx(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<TWinControl*>(GetPropW(hwnd, MAKEINTATOM(ControlAtom())));
}

std::wstring StrToWideStr(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(DefaultUserCodePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0) MultiByteToWideChar(DefaultUserCodePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string WideStringToStringEx(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(DefaultUserCodePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(DefaultUserCodePage, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring _WStr(const wchar_t* p, int n) {
    if (!p || n == 0 || n < -1) return {};
    return n == -1 ? std::wstring(p) : std::wstring(p, static_cast<size_t>(n));
}

int Tnt_DrawTextW(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    if (Win32PlatformIsUnicode) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    const std::string ansi = WideStringToStringEx(text);
    return DrawTextA(dc, ansi.c_str(), static_cast<int>(ansi.size()), &rect, format);
}

}  // namespace relayon::skin

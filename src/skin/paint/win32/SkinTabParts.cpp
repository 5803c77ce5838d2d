#include "skin/paint/win32/SkinTabParts.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace relayon::skin {

std::unique_ptr<TBitmap> WorkingCopy(TBitmap* source) {
    if (!source || source->Empty()) return nullptr;
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(source);
    copy->SetPixelFormat(pf24bit);
    return copy;
}

void DrawObjectCell(HDC dc, const RECT& rc, TBitmap& bmp, const TDataSkinObject& o, int wanted, bool transparent) {
    if (!dc || bmp.Empty() || rc.right <= rc.left || rc.bottom <= rc.top) return;
    const int cells = std::max(1, o.frame);
    const paint::SliceMargins m{o.r.Left, o.r.Top, o.r.Right, o.r.Bottom};
    DrawRect2(dc, rc, bmp, m, paint::StateCell(wanted, cells), cells, transparent, o.Tile != 0, false);
}

bool ReadTabItem(HWND tabs, int index, bool unicode, ItemText& out) {
    constexpr int kMax = 80;
    if (unicode) {
        wchar_t buf[kMax + 1] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_RTLREADING;
        item.pszText = buf;
        item.cchTextMax = kMax;
        if (!SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return false;
        buf[kMax] = L'\0';
        out.text = buf;
        out.image = item.iImage;
        return true;
    }
    char buf[kMax + 1] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_RTLREADING;
    item.pszText = buf;
    item.cchTextMax = kMax;
    if (!SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return false;
    buf[kMax] = '\0';
    int n = MultiByteToWideChar(CP_ACP, 0, buf, -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(std::max(n, 1)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, buf, -1, text.data(), n);
    text.resize(wcslen(text.c_str()));
    out.text = text;
    out.image = item.iImage;
    return true;
}

bool ReadHeaderItem(HWND header, int index, ItemText& out) {
    constexpr int kMax = 200;
    wchar_t buf[kMax + 1] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = buf;
    item.cchTextMax = kMax;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return false;
    buf[kMax] = L'\0';
    out.text = buf;
    out.image = item.iImage;
    out.format = static_cast<unsigned>(item.fmt);
    return true;
}

void DrawImageAndCaption(HDC dc, const RECT& rc, HIMAGELIST images, int image, const std::wstring& text,
                        paint::TextAlign align, UINT extraFlags) {
    if (!dc || rc.right <= rc.left || rc.bottom <= rc.top) return;
    paint::Size2 imageSize{};
    if (images && image >= 0 && image < ImageList_GetImageCount(images)) {
        int w = 0, h = 0;
        if (ImageList_GetIconSize(images, &w, &h)) imageSize = {w, h};
    }
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const paint::ImgCaptionPlacement at = paint::PlaceImgCaption(ToBox(rc), imageSize, extent.cx, align);
    if (at.image.right > at.image.left)
        ImageList_Draw(images, image, dc, at.image.left, at.image.top, ILD_NORMAL);
    if (text.empty()) return;
    RECT tr = ToRect(at.text);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | extraFlags);
    SetBkMode(dc, oldMode);
}

}  // namespace relayon::skin

#include "toolkit/ImageList.h"

#include <algorithm>

#include "toolkit/Bitmap.h"
#include "toolkit/Canvas.h"
#include "toolkit/GdiObject.h"

namespace {

// A device-dependent copy of a bitmap's pixels. The bitmap's own DIB may be
// selected into its canvas, and a bitmap selected into one DC cannot be read
// by the system list through another, so the list always gets a copy.
GdiObject<HBITMAP> ColourCopy(TBitmap& bitmap) {
    ScreenDC screen;
    GdiObject<HBITMAP> copy(CreateCompatibleBitmap(screen, bitmap.Width(), bitmap.Height()));
    MemoryDC dc(screen);
    SelectGuard select(dc, copy.get());
    BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
    return copy;
}

// One bit per pixel: set (transparent) where the mask bitmap is white.
GdiObject<HBITMAP> MaskCopy(TBitmap& mask, int width, int height) {
    GdiObject<HBITMAP> copy(CreateBitmap(width, height, 1, 1, nullptr));
    MemoryDC dc;
    SelectGuard select(dc, copy.get());
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    HDC source = mask.Canvas().Handle();
    COLORREF oldBk = SetBkColor(source, RGB(255, 255, 255));
    BitBlt(dc, 0, 0, std::min(width, mask.Width()), std::min(height, mask.Height()), source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBk);
    return copy;
}

// Releases an icon taken out of a list for drawing.
struct IconGuard {
    HICON icon;
    ~IconGuard() {
        if (icon) DestroyIcon(icon);
    }
};

}  // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
    SetDestroying();
    if (handle_) ImageList_Destroy(handle_);
    handle_ = nullptr;
    // Clients still holding the list hear through Notification that it went.
}

HIMAGELIST TImageList::Handle() {
    if (!handle_) {
        // 24 bits: a 32-bit list would read the DIB's unused alpha bytes as
        // "fully transparent".
        handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | (masked_ ? ILC_MASK : 0), 4, 4);
        if (handle_) ImageList_SetBkColor(handle_, bkColor_ == clNone ? CLR_NONE : ColorToRGB(bkColor_));
    }
    return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TImageList::Recreate() {
    if (handle_) {
        ImageList_Destroy(handle_);
        handle_ = nullptr;
    }
    Changed();
}

void TImageList::Changed() {
    // A copy: a client may unregister while being told.
    std::vector<TImageListClient*> clients = clients_;
    for (TImageListClient* client : clients) client->ImageListChanged(this);
}

void TImageList::SetWidth(int value) {
    value = std::max(value, 1);
    if (value == width_) return;
    width_ = value;
    Recreate();
}

void TImageList::SetHeight(int value) {
    value = std::max(value, 1);
    if (value == height_) return;
    height_ = value;
    Recreate();
}

void TImageList::SetMasked(bool value) {
    if (value == masked_) return;
    masked_ = value;
    Recreate();
}

void TImageList::SetBkColor(TColor value) {
    bkColor_ = value;
    if (handle_) ImageList_SetBkColor(handle_, bkColor_ == clNone ? CLR_NONE : ColorToRGB(bkColor_));
    Changed();
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty() || !Handle()) return -1;
    GdiObject<HBITMAP> colour = ColourCopy(*image);
    GdiObject<HBITMAP> bits;
    if (mask && !mask->Empty()) bits = MaskCopy(*mask, image->Width(), image->Height());
    int index = ImageList_Add(handle_, colour.get(), bits.get());
    if (index >= 0) Changed();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty() || !Handle()) return -1;
    GdiObject<HBITMAP> colour = ColourCopy(*image);
    int index = ImageList_AddMasked(handle_, colour.get(), ColorToRGB(maskColor));
    if (index >= 0) Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (!handle_ || index < 0 || index >= Count()) return;
    ImageList_Remove(handle_, index);
    Changed();
}

void TImageList::Clear() {
    if (!handle_) return;
    ImageList_Remove(handle_, -1);
    Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    Draw(canvas.Handle(), x, y, index, enabled);
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
    if (!dc || !handle_ || index < 0 || index >= Count()) return;
    if (enabled) {
        UINT style = bkColor_ == clNone ? ILD_TRANSPARENT : ILD_NORMAL;
        ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_NONE, style);
        return;
    }
    IconGuard icon{ImageList_GetIcon(handle_, index, ILD_TRANSPARENT)};
    if (icon.icon)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.icon), 0, x, y, width_, height_,
                   DST_ICON | DSS_DISABLED);
}

void TImageList::RegisterChanges(TImageListClient* client) {
    if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TImageList::UnRegisterChanges(TImageListClient* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

TImagesLink::~TImagesLink() {
    if (list_) {
        list_->UnRegisterChanges(this);
        list_->RemoveFreeNotification(holder_);
    }
}

void TImagesLink::Set(TImageList* list) {
    if (list == list_) return;
    if (list_) {
        list_->UnRegisterChanges(this);
        list_->RemoveFreeNotification(holder_);
    }
    list_ = list;
    if (list_) {
        list_->RegisterChanges(this);
        list_->FreeNotification(holder_);
    }
    apply_();
}

HIMAGELIST TImagesLink::Handle() const { return list_ ? list_->Handle() : nullptr; }

void TImagesLink::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove || !list_ || component != list_) return;
    // The list is being freed: its handle is already gone.
    list_ = nullptr;
    if (!holder_->IsDestroying()) apply_();
}

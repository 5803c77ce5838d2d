#include "toolkit/HeaderControl.h"

#include <commctrl.h>

THeaderSection::THeaderSection(TCollection* collection) : TCollectionItem(collection) {}

void THeaderSection::Changed() {
    if (auto* sections = dynamic_cast<THeaderSections*>(Collection())) sections->Header()->UpdateSections();
}
void THeaderSection::SetText(const std::wstring& text) {
    text_ = text;
    Changed();
}
void THeaderSection::SetWidth(int width) {
    width_ = width < 0 ? 0 : width;
    Changed();
}
void THeaderSection::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}
void THeaderSection::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed();
}

int THeaderSection::Left() const {
    int left = 0;
    if (TCollection* c = Collection())
        for (int i = 0; i < Index(); ++i) left += static_cast<THeaderSection*>(c->Items(i))->Width();
    return left;
}

THeaderSections::THeaderSections(THeaderControl* header) : TTypedCollection<THeaderSection>(header), header_(header) {}

THeaderSection* THeaderSections::Add() {
    THeaderSection* section = TTypedCollection<THeaderSection>::Add();
    header_->UpdateSections();
    return section;
}
void THeaderSections::Delete(int index) {
    TTypedCollection<THeaderSection>::Delete(index);
    header_->UpdateSections();
}
void THeaderSections::Clear() {
    TTypedCollection<THeaderSection>::Clear();
    header_->UpdateSections();
}

THeaderControl::THeaderControl(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 200;
    height_ = 17;
}

THeaderControl::~THeaderControl() {
    SetDestroying();
    updating_ = true;
}

void THeaderControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.SystemClassName = WC_HEADERW;
    // HDS_BUTTONS: sections are pressed like buttons and report clicks.
    params.Style |= HDS_HORZ | HDS_BUTTONS;
}

void THeaderControl::CreateWindowHandleDone() {
    ApplyImages();
    UpdateSections();
}

void THeaderControl::ApplyImages() {
    if (HandleAllocated()) SendMessageW(handle_, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.Handle()));
}

void THeaderControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    images_.Notification(component, operation);
}

void THeaderControl::UpdateSections() {
    if (!HandleAllocated()) return;
    updating_ = true;
    int shown = static_cast<int>(SendMessageW(handle_, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < sections_.Count(); ++i) {
        THeaderSection* section = sections_.Items(i);
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
        item.pszText = section->text_.data();
        item.cxy = section->Width();
        item.fmt = HDF_STRING | (section->Alignment() == taCenter         ? HDF_CENTER
                                 : section->Alignment() == taRightJustify ? HDF_RIGHT
                                                                          : HDF_LEFT);
        if (section->ImageIndex() >= 0 && images_.Get()) item.fmt |= HDF_IMAGE;
        item.iImage = section->ImageIndex();
        SendMessageW(handle_, i < shown ? HDM_SETITEMW : HDM_INSERTITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
    }
    for (int i = shown - 1; i >= sections_.Count(); --i) SendMessageW(handle_, HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
    updating_ = false;
}

void THeaderControl::ItemChangedHandler(const NMHEADERW& info) {
    if (updating_ || !info.pitem || !(info.pitem->mask & HDI_WIDTH)) return;
    if (info.iItem < 0 || info.iItem >= sections_.Count()) return;
    THeaderSection* section = sections_.Items(info.iItem);
    if (section->width_ == info.pitem->cxy) return;
    section->width_ = info.pitem->cxy;
    if (OnSectionResize) OnSectionResize(this, section);
}

void THeaderControl::ItemClickHandler(const NMHEADERW& info) {
    if (OnSectionClick && info.iItem >= 0 && info.iItem < sections_.Count()) OnSectionClick(this, sections_.Items(info.iItem));
}

void THeaderControl::NotifyHandler(TMessage& message) {
    auto* info = reinterpret_cast<NMHEADERW*>(message.LParam);
    message.Result = 0;
    switch (info->hdr.code) {
    case HDN_ITEMCLICKW:
    case HDN_ITEMCLICKA: ItemClickHandler(*info); break;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA: ItemChangedHandler(*info); break;
    }
}

void THeaderControl::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY && message.LParam) {
        NotifyHandler(message);
        return;
    }
    TWinControl::WndProc(message);
}

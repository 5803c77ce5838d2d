#pragma once
// Header control over the system SysHeader32: a row of Sections (Text,
// Width, Alignment) the user clicks (OnSectionClick) and resizes by dragging
// a divider (the section's Width follows, then OnSectionResize).
#include <string>

#include "toolkit/ImageList.h"
#include "toolkit/WinControl.h"
#include "toolkit/core/Collection.h"

class THeaderControl;

class THeaderSection : public TCollectionItem {
public:
    explicit THeaderSection(TCollection* collection);
    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // Left edge, from the widths of the sections before it.
    int Left() const;
    int Right() const { return Left() + width_; }
    std::wstring GetDisplayName() const override { return text_; }

private:
    friend class THeaderControl;
    void Changed();
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    int imageIndex_ = -1;
};

class THeaderSections : public TTypedCollection<THeaderSection> {
public:
    explicit THeaderSections(THeaderControl* header);
    THeaderControl* Header() const { return header_; }
    THeaderSection* Add();
    void Delete(int index);
    void Clear();

private:
    THeaderControl* header_;
};

using TSectionNotifyEvent = TMethod<void(THeaderControl* HeaderControl, THeaderSection* Section)>;

class THeaderControl : public TWinControl {
public:
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;

    THeaderSections& Sections() { return sections_; }
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* list) { images_.Set(list); }

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

    // Pushes the sections to the window (told by the sections).
    void UpdateSections();
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    void ApplyImages();
    void NotifyHandler(TMessage& message);
    void ItemChangedHandler(const NMHEADERW& info);
    void ItemClickHandler(const NMHEADERW& info);

    THeaderSections sections_{this};
    // Set while the window is filled from the sections: no events then.
    bool updating_ = false;
    TImagesLink images_{this, [this] { ApplyImages(); }};
};

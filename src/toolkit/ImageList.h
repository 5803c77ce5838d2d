#pragma once
// A list of equally sized images over a system image list (HIMAGELIST), owned
// by the component: the handle is made on first use and destroyed with the
// component or when Width, Height or Masked change (which empties the list).
// Controls that show the list (tabs, tool buttons, list and tree items) keep
// a TImagesLink, which follows a new handle and forgets a freed list.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/core/Component.h"

class TBitmap;
class TCanvas;
class TImageList;

// Told when an image list replaced its handle or changed its images.
class TImageListClient {
public:
    virtual void ImageListChanged(TImageList* list) = 0;

protected:
    ~TImageListClient() = default;
};

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    // Images carry a mask (transparent parts) when true.
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    // Colour behind the images when drawn (clNone: transparent where masked).
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);

    // The system list, made on first use; the component keeps ownership.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    int Count() const;

    // Appends the bitmap cut into images of Width (several when it is wider);
    // `mask` (may be null) is white where transparent. Returns the index of
    // the first new image, -1 when nothing could be added.
    int Add(TBitmap* image, TBitmap* mask);
    // As Add, with every pixel of `maskColor` transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();
    // Draws image `index` with its top-left at (x, y); a disabled image is
    // drawn embossed in grey, as disabled buttons show theirs. An index out of
    // range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    void Draw(HDC dc, int x, int y, int index, bool enabled = true);

    void RegisterChanges(TImageListClient* client);
    void UnRegisterChanges(TImageListClient* client);

private:
    void Recreate();
    void Changed();

    HIMAGELIST handle_ = nullptr;
    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    std::vector<TImageListClient*> clients_;
};

// The image list a control shows: hears about a new handle (runs `apply`)
// and about the list being freed (forgets it, then runs `apply`). The
// holder forwards its Notification calls.
class TImagesLink : public TImageListClient {
public:
    TImagesLink(TComponent* holder, std::function<void()> apply) : holder_(holder), apply_(std::move(apply)) {}
    ~TImagesLink();
    TImagesLink(const TImagesLink&) = delete;
    TImagesLink& operator=(const TImagesLink&) = delete;

    TImageList* Get() const { return list_; }
    void Set(TImageList* list);
    // The list's handle, or nullptr without a list.
    HIMAGELIST Handle() const;
    void Notification(TComponent* component, TOperation operation);
    void ImageListChanged(TImageList*) override { apply_(); }

private:
    TComponent* holder_;
    std::function<void()> apply_;
    TImageList* list_ = nullptr;
};

#include "skin/paint/win32/SkinObjImage.h"

#include <array>

#include "skin/paint/core/ButtonFrames.h"
#include "skin/paint/core/NineSlice.h"
#include "skin/paint/win32/Winskinform.h"
#include "toolkit/Bitmap.h"
#include "toolkit/WinControl.h"

namespace relayon::skin {

namespace {

constexpr int kCells = 6;

TBitmap* TargetGlyph(TComponent* c, int kind) {
    if (!c) return nullptr;
    TObject* holder = c;
    if (kind == 3) holder = GetObjProp(c, L"Properties");
    return holder ? dynamic_cast<TBitmap*>(GetObjProp(holder, kind == 3 ? L"Glyph" : L"CustomGlyphs")) : nullptr;
}

}  // namespace

TSkinObjImage::TSkinObjImage(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinObjImage::~TSkinObjImage() = default;

void TSkinObjImage::Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    fsd = sd;
    fCanvas = acanvas;
    skinform = sf;
    control = dynamic_cast<TWinControl*>(Owner());
    hwnd = control && control->HandleAllocated() ? control->Handle() : nullptr;
    Register(sf);
    ChangeImage();
    Inited = true;
    skinstate = 1;
}

std::unique_ptr<TBitmap> TSkinObjImage::BuildStrip() const {
    if (!fsd || !fsd->Button) return nullptr;
    const bool radio = kind == 2;
    TBitmap* map = radio ? fsd->Button->RadioMap.get() : fsd->Button->CheckMap.get();
    const int frames = radio ? fsd->Button->radioframe : fsd->Button->checkframe;
    if (!map || map->Empty() || frames < 1) return nullptr;
    const int cellW = map->Width() / frames, cellH = map->Height();
    if (cellW < 1) return nullptr;

    std::array<int, kCells> cells{};
    if (radio) {
        cells = {1, 2, 1, 2, 3, 4};
    } else {
        int i = 0;
        for (bool enabledCell : {true, false})
            for (const wchar_t* value : {L"cbUnchecked", L"cbChecked", L"cbGrayed"}) {
                paint::CheckBoxInputs in;
                in.stateProp = value;
                in.enabled = enabledCell;
                cells[i++] = paint::CheckBoxCell(in, frames);
            }
    }
    auto strip = std::make_unique<TBitmap>(cellW * kCells, cellH);
    HDC dst = strip->Canvas().Handle();
    HDC src = map->Canvas().Handle();
    for (int i = 0; i < kCells; ++i) {
        const paint::SliceBox box = paint::FrameBox(map->Width(), map->Height(), cells[i], frames, false);
        if (box.Empty()) continue;
        BitBlt(dst, i * cellW, 0, box.w, box.h, src, box.x, box.y, SRCCOPY);
    }
    return strip;
}

void TSkinObjImage::ChangeImage() {
    TBitmap* target = TargetGlyph(Owner(), kind);
    std::unique_ptr<TBitmap> strip = BuildStrip();
    if (!target || !strip) return;
    target->Assign(strip.get());
    if (kind == 3) return;
    SetProperty(Owner(), L"transparentcolor", L"16711935");
    // Switching off and on makes the control read the new glyphs.
    SetProperty(Owner(), L"UseCustomGlyphs", L"False");
    SetProperty(Owner(), L"UseCustomGlyphs", L"True");
}

void TSkinObjImage::SkinChange() { ChangeImage(); }

void TSkinObjImage::Unsubclass() {
    if (!skinned) return;
    TSkinControl::Unsubclass();
    if (WindowGone()) return;
    if (kind == 3) {
        TBitmap empty;
        if (TBitmap* target = TargetGlyph(Owner(), kind)) target->Assign(&empty);
    } else {
        SetProperty(Owner(), L"UseCustomGlyphs", L"False");
    }
}

}  // namespace relayon::skin

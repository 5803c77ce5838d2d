#include "skin/paint/win32/SkinScrollPaint.h"

#include <algorithm>

#include "skin/paint/win32/SkinPrimitives.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

namespace {

constexpr int kArrowFrames = 23;
constexpr int kBarFrames = 4;

RECT ToRect(const paint::BarRect& r) { return {r.left, r.top, r.right, r.bottom}; }

TBitmap* ImageOf(const SkinObjectPtr& o) { return o && o->Map && !o->Map->Empty() ? o->Map.get() : nullptr; }

paint::SliceMargins MarginsOf(const TDataSkinObject& o) { return {o.r.Left, o.r.Top, o.r.Right, o.r.Bottom}; }

// The frame of a part in its normal, pressed or hot look: pressed and hot
// are offsets from the normal frame.
int PartFrame(int normal, int part, const BarLook& look, int pressedStep, int hotStep) {
    if (look.hotPart != part) return normal;
    return normal + (look.down ? pressedStep : hotStep);
}

}  // namespace

TBitmap* ArrowImage(TSkinData* sd) { return sd ? ImageOf(sd->SArrow) : nullptr; }

bool WindowBarInfo(TSkinData* sd, HWND h, bool vertical, SCROLLBARINFO& info) {
    info = {};
    info.cbSize = sizeof info;
    if (!sd || !h || !IsWindow(h)) return false;
    return sd->GetScrollBarInfo(h, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, info);
}

std::unique_ptr<TBitmap> ComposeBar(TSkinData* sd, const paint::BarLayout& l, const BarLook& look) {
    TBitmap* arrows = ArrowImage(sd);
    if (!arrows || l.picture.Empty()) return nullptr;
    auto out = std::make_unique<TBitmap>(l.picture.Width(), l.picture.Height());
    HDC dc = out->Canvas().Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    FillColor(dc, ToRect(l.picture), SchemeColor(sd, csButtonFace));

    const SkinObjectPtr& bar = l.vertical ? sd->VBar : sd->HBar;
    if (TBitmap* img = ImageOf(bar); img && !l.track.Empty())
        DrawRect2(dc, ToRect(l.track), *img, MarginsOf(*bar), look.enabled ? 1 : 3, kBarFrames, bar->trans == 1,
                  bar->Tile != 0, false);

    const int first = l.vertical ? 9 : 1, second = l.vertical ? 13 : 5;
    DrawRect1(dc, ToRect(l.firstArrow), *arrows, PartFrame(first, paint::kPartFirstArrow, look, 1, 3), kArrowFrames,
              true);
    DrawRect1(dc, ToRect(l.secondArrow), *arrows, PartFrame(second, paint::kPartSecondArrow, look, 1, 3),
              kArrowFrames, true);
    if (!look.enabled || !l.thumbShown) return out;

    const SkinObjectPtr& slider = l.vertical ? sd->VSlider : sd->HSlider;
    if (TBitmap* img = ImageOf(slider)) {
        // A skin with fewer thumb frames than looks shows its last one.
        const int n = std::max(slider->frame, 1);
        const int frame = std::min(PartFrame(1, paint::kPartThumb, look, 1, 2), n);
        DrawRect2(dc, ToRect(l.thumb), *img, MarginsOf(*slider), frame, n, slider->trans == 1, false, false);
    }
    if (l.gripShown)
        DrawRect1(dc, ToRect(l.grip), *arrows, PartFrame(l.vertical ? 20 : 17, paint::kPartThumb, look, 1, 2),
                  kArrowFrames, true);
    return out;
}

}  // namespace relayon::skin

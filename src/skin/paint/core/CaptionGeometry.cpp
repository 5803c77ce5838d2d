#include "skin/paint/core/CaptionGeometry.h"

#include <algorithm>

namespace relayon::skin::paint {

namespace {

bool MinOrMax(const CaptionWindowState& s) { return s.hasMin || s.hasMax; }

// One Visibility code; `second` picks the Visibility1 reading where the two differ.
bool CodeHolds(int code, bool second, const CaptionWindowState& s, long windowAnswer) {
    switch (code) {
    case 0: return true;
    case 1: return s.maximized;
    case 2: return !s.maximized;
    case 3: return s.active;
    case 4: return !s.active;
    case 5: return false;
    case 6:
    case 8: return second ? MinOrMax(s) : MinOrMax(s) && s.hasSystem;
    case 7: return !s.hasMax;
    case 9: return !s.hasMin;
    case 10: return second ? s.hasHelp : s.hasHelp && !MinOrMax(s);
    case 100: return s.mdiChildMaxWithMenuBar;
    case 200: return s.dialogBorder && !s.messageBox;
    default: break;
    }
    if (code >= 201 && code <= 999) return true;
    if (AsksWindow(code)) return second ? true : windowAnswer > 0;
    return false;
}

}  // namespace

bool AsksWindow(int visibility) { return visibility >= 1000 && visibility <= 2000; }

bool ButtonVisible(int visibility, int visibility1, const CaptionWindowState& s, long windowAnswer) {
    return CodeHolds(visibility, false, s, windowAnswer) && CodeHolds(visibility1, true, s, windowAnswer);
}

ButtonShown ApplyActionRules(int action, bool visible, bool enabled, const CaptionWindowState& s) {
    ButtonShown r{visible, enabled};
    switch (action) {
    case 0:
        if (!s.hasSystem) r.visible = false;
        break;
    case 1: r.enabled = s.hasMax && s.hasSystem; break;
    case 2: r.enabled = s.hasMin && s.hasSystem; break;
    case 3:
    case 11:
    case 12:
        if (s.dialogBorder) r.visible = false;
        break;
    default: break;
    }
    return r;
}

Box PlaceButton(int align, int xcoord, int ycoord, int w, int h, const CaptionLayout& l) {
    int x = 0, y = 0;
    switch (align) {
    case 0: x = xcoord, y = ycoord; break;
    case 1: x = l.windowWidth - xcoord, y = ycoord; break;
    case 2:
    case 8: x = l.text.left - w - xcoord, y = ycoord; break;
    case 3:
    case 9: x = xcoord + l.text.right, y = ycoord; break;
    case 100:
        x = l.windowWidth - xcoord - l.bw.right - l.menuBarLeftMargin;
        y = (l.menuHeight - h) / 2 + l.bw.top;
        break;
    default: break;
    }
    return Box{x, y, x + w, y + h};
}

int PaintCell(int frames, bool windowActive, bool enabled) {
    return frames >= 4 && (!windowActive || !enabled) ? 4 : 1;
}

int StateCell(int state, int frames, bool enabled, int visibility) {
    int cell = state;
    if (!enabled) cell = frames > 3 ? 4 : 1;
    else if (visibility == 100 && state == 3) cell = 4;
    return cell >= 1 && cell <= frames ? cell : 1;
}

Box PlaceCaptionText(const CaptionTextInput& in) {
    int w = in.textWidth + in.backLeft + in.backRight;
    int x = 0;
    if (!in.rightToLeft) {
        switch (in.alignment) {
        case 1: x = (in.barWidth - w) / 2; break;
        case 2: x = in.barWidth - in.marginRight - w; break;
        default: x = in.marginLeft; break;
        }
    } else {
        switch (in.alignment) {
        case 1: x = (in.barWidth - w - in.rightButtons) / 2; break;
        case 2: x = in.marginLeft; break;
        default: x = in.barWidth - in.rightButtons - w; break;
        }
        if (x <= 0) x = in.marginLeft;
        x += 10;
    }
    Box r;
    r.left = x;
    r.right = x + w;
    r.top = (in.barHeight - in.textHeight) / 2 + in.marginTop / 2;
    r.bottom = r.top + in.textHeight;
    if (!in.rightToLeft) {
        if (in.popup && in.rightButtons > 5 && in.barWidth - in.rightButtons - 5 < r.right)
            r.right = in.barWidth - in.rightButtons - 5;
        else if (in.barWidth - in.marginRight < r.right)
            r.right = in.barWidth - in.marginRight;
    }
    if (in.dialogBorder && in.alignment == 0) r.left -= 16;
    // A bar too narrow for the text clips it to nothing rather than inverting.
    r.right = std::max(r.right, r.left);
    return r;
}

int FindButton(const std::vector<ButtonHit>& buttons, int x, int y) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        const ButtonHit& b = buttons[i];
        if (b.visible && b.action >= 0 && x >= b.bounds.left && x < b.bounds.right && y >= b.bounds.top &&
            y < b.bounds.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

const wchar_t* ButtonHint(int action) {
    switch (action) {
    case 0:
    case 9:
    case 62: return L"Close";
    case 1:
    case 22: return L"Maximize";
    case 2:
    case 7:
    case 23:
    case 60: return L"Minimize";
    case 8:
    case 61: return L"Restore";
    default: return L"";
    }
}

HintPhase HintPhaseAt(int elapsedMs, int pauseMs, int hidePauseMs) {
    long long start = 2LL * pauseMs;
    if (elapsedMs < start) return HintPhase::Waiting;
    if (elapsedMs < start + hidePauseMs) return HintPhase::Showing;
    return HintPhase::Over;
}

int FrameHit(int systemAnswer, int x, int y, int width, int height, const FrameThickness& bw, int menuHeight,
             bool sizeable) {
    // The system's codes (winuser.h values).
    enum {
        kClient = 1, kHScroll = 6, kVScroll = 7, kGrowBox = 4, kLeft = 10, kRight, kTop, kTopLeft, kTopRight,
        kBottom, kBottomLeft, kBottomRight, kBorder = 18
    };
    if (systemAnswer == kClient || systemAnswer == kHScroll || systemAnswer == kVScroll || systemAnswer == kGrowBox)
        return systemAnswer;
    bool left = x < bw.left, right = x >= width - bw.right, bottom = y >= height - bw.bottom;
    if (sizeable) {
        bool top = y < std::min(bw.top, 4);
        if (top) return left ? kTopLeft : right ? kTopRight : kTop;
        if (bottom) return left ? kBottomLeft : right ? kBottomRight : kBottom;
        if (left) return kLeft;
        if (right) return kRight;
    } else if (left || right || bottom) {
        return kBorder;
    }
    int hit = ClassifyFrameHit(kHitCaption, y, bw, menuHeight);
    return y >= bw.top + menuHeight ? kBorder : hit;
}

RegionPlan PlanRegion(int width, int height, const FrameThickness& bw, const int trans[4]) {
    RegionPlan p;
    bool fits = bw.left >= 0 && bw.right >= 0 && bw.top >= 0 && bw.bottom >= 0 &&
                static_cast<long long>(bw.left) + bw.right < width &&
                static_cast<long long>(bw.top) + bw.bottom < height;
    if (width <= 0 || height <= 0 || !fits) return p;
    p.usable = true;
    bool anyTrans = trans[0] == 1 || trans[1] == 1 || trans[2] == 1 || trans[3] == 1;
    p.plainWindow = !anyTrans;
    p.client = Box{bw.left, bw.top, width - bw.right, height - bw.bottom};
    // left, right, bottom, top; trans is given as left, right, top, bottom.
    p.parts[0] = {Box{0, 0, bw.left, height}, trans[0] == 1 && height > 1};
    p.parts[1] = {Box{width - bw.right, 0, width, height}, trans[1] == 1 && height > 1};
    p.parts[2] = {Box{bw.left, height - bw.bottom, width - bw.right, height}, trans[3] == 1 && bw.bottom >= 2};
    p.parts[3] = {Box{bw.left, 0, width - bw.right, bw.top}, trans[2] == 1 && bw.top > 1};
    for (RegionPart& part : p.parts)
        if (part.at.Width() <= 0 || part.at.Height() <= 0) part.fromImage = false;
    return p;
}

}  // namespace relayon::skin::paint

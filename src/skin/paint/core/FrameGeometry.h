#pragma once
// The arithmetic of a skinned window frame, on plain numbers: where the
// client area lies inside a window, how a point of the frame is classified,
// how big the window must be for a client area, how a dialog grows to fit its
// caption, and the size a window gets back when its skin is removed.
namespace relayon::skin::paint {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};

// Thickness of the skinned frame on each side (from the border images).
struct FrameThickness {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The client rectangle of a window proposed at (x, y) with size cx x cy:
// inside the frame, below the menu bar. Never inverted: a window smaller than
// its frame gets an empty client area at the frame's inner edge.
Box SkinnedClientRect(int x, int y, int cx, int cy, const FrameThickness& bw, int menuHeight);

// Hit-test codes (the system's values).
constexpr int kHitNowhere = 0;
constexpr int kHitCaption = 2;
constexpr int kHitMenu = 5;

// The answer for a point of the frame: what the system answered unless that
// was "nowhere" or "caption"; then, by the point's height in the window
// (yInWindow from its top edge): the caption bar above bw.top, the menu bar
// between bw.top and the client area when there is one, caption otherwise.
int ClassifyFrameHit(int systemAnswer, int yInWindow, const FrameThickness& bw, int menuHeight);

// Window size that shows a client area of clientWidth x clientHeight.
struct Size2 {
    int cx = 0, cy = 0;
    bool operator==(const Size2&) const = default;
};
Size2 SkinnedWindowSize(int clientWidth, int clientHeight, const FrameThickness& bw, int menuHeight);

// A dialog too narrow for its caption grows to margins + text; its children
// move right by half the growth (rounded toward zero).
struct CaptionFit {
    int width = 0;
    int childShift = 0;
};
CaptionFit FitCaption(int width, int titleMarginLeft, int textWidth, int titleMarginRight);

// The size a window gets back when its skinned frame is replaced by the
// system frame it had (systemFrame: window size minus client size before the
// take-over).
Size2 UnskinnedWindowSize(int width, int height, Size2 systemFrame, const FrameThickness& bw);

}  // namespace relayon::skin::paint

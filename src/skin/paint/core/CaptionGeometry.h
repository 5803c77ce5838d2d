#pragma once
// The caption bar of a skinned frame on plain numbers: which caption buttons
// show (their Visibility codes and Action rules), where each one sits, which
// state cell of its image is drawn, where the caption text goes, which button
// a point hits, the hint text and timing of a button, and the parts a window
// region is built from.
#include <vector>

#include "skin/paint/core/FrameGeometry.h"

namespace relayon::skin::paint {

// What the Visibility codes ask about the window.
struct CaptionWindowState {
    bool maximized = false;
    bool active = true;
    bool hasMin = false, hasMax = false, hasSystem = false, hasHelp = false;
    bool dialogBorder = false;
    bool messageBox = false;
    // The MDI main form's active child is maximised and a menu bar exists.
    bool mdiChildMaxWithMenuBar = false;
};

// Codes 1000 to 2000 ask the window itself (its answer > 0 means visible);
// every code outside the table, -1 among them, is never visible.
bool AsksWindow(int visibility);
// Visibility and Visibility1 together; `windowAnswer` is the window's reply
// for a code that asks it (ignored otherwise).
bool ButtonVisible(int visibility, int visibility1, const CaptionWindowState& s, long windowAnswer = 0);

// A button's visibility and enabled state after the rules of its Action:
// close needs a system menu, maximise and minimise are disabled without their
// box, the system icon never shows on a dialog border.
struct ButtonShown {
    bool visible = false;
    bool enabled = true;
};
ButtonShown ApplyActionRules(int action, bool visible, bool enabled, const CaptionWindowState& s);

// Where a button of w x h lands for its Align. Align 100 (a maximised MDI
// child's buttons in the main form's menu bar) is centred in the menu bar.
struct CaptionLayout {
    int windowWidth = 0;
    Box text;  // the caption text rectangle of this paint
    FrameThickness bw;
    int menuHeight = 0;
    int menuBarLeftMargin = 0;  // the menu-bar object's left margin, 0 without one
};
Box PlaceButton(int align, int xcoord, int ycoord, int w, int h, const CaptionLayout& l);

// The cell (from 1) of a button image with `frames` cells to draw.
// During a frame paint: normal, or the inactive/disabled cell when there is one.
int PaintCell(int frames, bool windowActive, bool enabled);
// Outside a frame paint, by the button's state (1 normal, 2 pressed, 3 hot).
// A cell the image does not have falls back to the first.
int StateCell(int state, int frames, bool enabled, int visibility);

// The caption text rectangle inside the bar (bar-relative coordinates).
struct CaptionTextInput {
    int barWidth = 0, barHeight = 0;
    int textWidth = 0, textHeight = 0;  // measured text, without the plate
    int backLeft = 0, backRight = 0;    // the text plate's caps
    int alignment = 0;                  // 0 left, 1 centre, 2 right
    int marginLeft = 0, marginTop = 0, marginRight = 0;
    int rightButtons = 0;  // the largest XCoord of the visible right-aligned buttons
    bool rightToLeft = false;
    bool popup = false;
    bool dialogBorder = false;
};
Box PlaceCaptionText(const CaptionTextInput& in);

// The first entry, in order, that is visible, has an Action >= 0 and
// contains (x, y); -1 for none.
struct ButtonHit {
    Box bounds;
    bool visible = false;
    int action = 0;
};
int FindButton(const std::vector<ButtonHit>& buttons, int x, int y);

// The hint of a button's Action ("" for none).
const wchar_t* ButtonHint(int action);
// The hint is shown while the time over a button lies in
// [2 * pause, 2 * pause + hidePause); afterwards it is hidden.
enum class HintPhase { Waiting, Showing, Over };
HintPhase HintPhaseAt(int elapsedMs, int pauseMs, int hidePauseMs);

// The hit code of a point (x, y from the window's top-left) of a skinned
// frame of width x height. The system measured its own frame: answers inside
// the client area (client, scroll bars, size box) stand; every other point is
// classified by the skinned frame: the system's caption-button codes are only
// caption, a sizeable window sizes on its skinned borders (and the top 4
// rows), other windows answer border there, the rest is caption or menu bar.
int FrameHit(int systemAnswer, int x, int y, int width, int height, const FrameThickness& bw, int menuHeight,
             bool sizeable);

// A window region: the client part plus four border parts (left, right,
// bottom, top), each from its border image's opaque pixels or its plain
// rectangle. `usable` is false when the window has no area or its frame
// does not fit inside it: then no region is set at all, so the window never
// disappears behind a region that leaves nothing of it.
struct RegionPart {
    Box at;
    bool fromImage = false;
};
struct RegionPlan {
    bool usable = false;
    bool plainWindow = false;  // no border is transparent: the whole window
    Box client;
    RegionPart parts[4];  // left, right, bottom, top
};
// trans: the border objects' trans values in the order left, right, top, bottom.
RegionPlan PlanRegion(int width, int height, const FrameThickness& bw, const int trans[4]);

}  // namespace relayon::skin::paint

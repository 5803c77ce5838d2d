#pragma once
// TSkinTrackBar: a track bar drawn through the system's custom drawing: the
// system keeps the layout, the mouse and the keys, and asks for each part;
// the channel comes from the skin's TrackBar (TrackBarVert for a vertical
// bar) as three slices, the thumb from cell 2 of TrackHorz (TrackVert), and
// the ticks stay the system's. A part whose skin object is missing keeps the
// system's channel, or an outlined thumb. The ground around them is the
// parent's colour (a skinned container's face), not the bar's own.
#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/GdiObject.h"

namespace relayon::skin {

class TSkinTrackBar : public TSkinControl {
public:
    explicit TSkinTrackBar(TComponent* AOwner);

    void Init(TWinSkinForm* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void SkinChange() override;
    void Unsubclass() override;
    bool BeforeProc(TMessage& Message) override;
    LRESULT CustomDraw(NMCUSTOMDRAW& info);
    // Answer false when there is nothing of the skin to draw the part with.
    bool DrawTrack(NMCUSTOMDRAW& info);
    void Drawthumb(NMCUSTOMDRAW& info);

private:
    bool Vertical() const;
    RECT ClientBounds() const;
    // The brush the bar erases its ground with: the parent's colour.
    HBRUSH GroundBrush(HDC dc);

    GdiObject<HBRUSH> ground_;
    COLORREF groundColour_ = CLR_INVALID;
};

}  // namespace relayon::skin

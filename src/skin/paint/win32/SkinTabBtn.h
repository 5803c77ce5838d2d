#pragma once
// TSkinTabBtn: page controls shown as buttons. The strip above the pages is
// composed from the skin's Button faces (frame 1 a normal tab, frame 2 the
// tab with the focus) over the scheme's face colour; the control keeps its
// hit testing, keyboard and page switching.
#include "skin/paint/win32/SkinButtonParts.h"
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinTabBtn : public TSkinControl {
public:
    explicit TSkinTabBtn(TComponent* AOwner);
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

private:
    ButtonCanvas strip_;
};

}  // namespace relayon::skin

#pragma once
// TSkinTabSheet: the pages of a skinned page control. With kind 0 a page is
// painted in the scheme's face colour with its graphic controls over it, and
// erased with the skin data's background brush; other kinds leave the page
// its own painting.
#include "skin/paint/win32/Winsubclass.h"

namespace relayon::skin {

class TSkinTabSheet : public TSkinControl {
public:
    explicit TSkinTabSheet(TComponent* AOwner);
    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;

private:
    void OnEraseBackground(TMessage& Message);
};

}  // namespace relayon::skin

#pragma once
// TSkinProgress: a progress bar repainted from the skin. Style 0: cell 1 of
// the progress image as the trough and cell 2 over the filled length; style 1:
// the trough from the one-cell progress image and the filled length in
// progresschunk's chunks (copies side by side when the chunk tiles, else one
// stretched band). A vertical bar is drawn lying down and turned a quarter
// counter-clockwise, so it fills from the bottom. Without a progress image
// the bar keeps the system's drawing.
#include <memory>

#include "skin/paint/win32/Winsubclass.h"
#include "toolkit/Bitmap.h"

namespace relayon::skin {

class TSkinProgress : public TSkinControl {
public:
    explicit TSkinProgress(TComponent* AOwner);

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const RECT& rc) override;
    // The chunked drawing (progress style 1) into `dc` of size w x h.
    void DrawControl1(HDC dc, int w, int h, int filled);

private:
    bool HasSkin() const;
    std::unique_ptr<TBitmap> pic_ = std::make_unique<TBitmap>();
};

}  // namespace relayon::skin

#pragma once
// Group box painted by the toolkit: an etched frame with the caption in its
// top edge; graphic children (labels, shapes) are painted after it.
#include "toolkit/CustomControl.h"

class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);
    void WndProc(TMessage& message) override;

protected:
    void Paint(HDC dc) override;
    void TextChanged() override { Invalidate(); }
};

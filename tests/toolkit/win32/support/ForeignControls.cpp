#include "ForeignControls.h"

#include "toolkit/core/Rtti.h"

bool TCustomGlyphs::SetUse(bool value) {
    if (value == use_) return false;
    use_ = value;
    if (use_) ++reloads_;
    return true;
}

void TCustomGlyphs::DrawCell(HDC dc, int index, int x, int y) {
    int size = glyphs_.Height();
    HDC source = glyphs_.Canvas().Handle();
    TransparentBlt(dc, x, y, size, size, source, index * size, 0, size, size,
                   static_cast<UINT>(ColorToRGB(transparent_)));
}

namespace {
// Paints an item with its mark from the strip: the system draws the
// caption, the strip's cell covers the box. Cells: unchecked, checked (and
// a third, grayed, for check boxes).
// The cell is asked for only when painting: the window's check state is
// not to be read while the window is still being made.
template <class Item, class Cell>
bool PaintFromStrip(Item& item, TCustomGlyphs& glyphs, TMessage& message, Cell cell) {
    if (message.Msg != WM_PAINT || !glyphs.UsesGlyphs() || glyphs.CustomGlyphs().Empty()) return false;
    PAINTSTRUCT ps;
    HDC dc = message.WParam ? reinterpret_cast<HDC>(message.WParam) : BeginPaint(item.Handle(), &ps);
    RECT r = item.ClientRect();
    int size = glyphs.CustomGlyphs().Height();
    FillRect(dc, &r, item.ColorBrush());
    glyphs.DrawCell(dc, cell(), 0, (r.bottom - size) / 2);
    SelectGuard font(dc, item.Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    RECT text{size + 4, 0, r.right, r.bottom};
    std::wstring caption = item.Caption();
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
    if (!message.WParam) EndPaint(item.Handle(), &ps);
    message.Result = 0;
    return true;
}
}  // namespace

void TRzCheckBox::SetUseCustomGlyphs(bool value) {
    if (SetUse(value)) Invalidate();
}

void TRzCheckBox::WndProc(TMessage& message) {
    if (HandleAllocated() && PaintFromStrip(*this, *this, message, [this] { return static_cast<int>(State()); })) return;
    TCheckBox::WndProc(message);
}

void TRzRadioButton::SetUseCustomGlyphs(bool value) {
    if (SetUse(value)) Invalidate();
}

void TRzRadioButton::WndProc(TMessage& message) {
    if (HandleAllocated() && PaintFromStrip(*this, *this, message, [this] { return Checked() ? 1 : 0; })) return;
    TRadioButton::WndProc(message);
}

void RegisterForeignControlClasses() {
    static const bool done = [] {
        RegisterClass<TRzCheckBox>(L"TRzCheckBox", L"TCheckBox")
            .ObjectProp(L"CustomGlyphs", &TRzCheckBox::CustomGlyphs)
            .Prop(L"UseCustomGlyphs", &TRzCheckBox::UseCustomGlyphs, &TRzCheckBox::SetUseCustomGlyphs)
            .ColorProp(L"transparentcolor", &TRzCheckBox::TransparentColor, &TRzCheckBox::SetTransparentColor);
        RegisterClass<TRzRadioButton>(L"TRzRadioButton", L"TRadioButton")
            .ObjectProp(L"CustomGlyphs", &TRzRadioButton::CustomGlyphs)
            .Prop(L"UseCustomGlyphs", &TRzRadioButton::UseCustomGlyphs, &TRzRadioButton::SetUseCustomGlyphs)
            .ColorProp(L"transparentcolor", &TRzRadioButton::TransparentColor, &TRzRadioButton::SetTransparentColor);
        RegisterClass<TRzMenuButton>(L"TRzMenuButton", L"TBitBtn");
        return true;
    }();
    (void)done;
}

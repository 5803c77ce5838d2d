#include "toolkit/Memo.h"

TMemo::TMemo(TComponent* AOwner) : TEdit(AOwner) {
    width_ = 185;
    height_ = 89;
    lines_.Listener = [this](TStrings::Change, int, const std::wstring&) { LinesChanged(); };
}

void TMemo::CreateParams(TCreateParams& params) {
    TEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    // A wrapping memo never scrolls sideways: lines break at the right edge.
    if (wordWrap_) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
}

TStrings& TMemo::Lines() {
    // The window holds what the user typed; the list is refreshed from it.
    syncing_ = true;
    lines_.SetText(GetText());
    syncing_ = false;
    return lines_;
}

void TMemo::LinesChanged() {
    if (syncing_) return;
    std::wstring text = lines_.Text();
    // Text() ends every line with CR LF; the memo shows no empty line after the last one.
    if (text.size() >= 2) text.resize(text.size() - 2);
    syncing_ = true;
    SetText(text);
    syncing_ = false;
}

void TMemo::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    if (HandleAllocated()) RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    if (HandleAllocated()) RecreateWnd();
}

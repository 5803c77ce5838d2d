#include "toolkit/StringGrid.h"

#include <windowsx.h>

#include <algorithm>

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomControl(AOwner) {
    tabStop_ = true;
    color_ = clWindow;
    width_ = 320;
    height_ = 120;
}

void TStringGrid::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::Loaded() {
    TCustomControl::Loaded();
    // Counts arrive one by one in a resource; they are made consistent once.
    SizeChanged();
}

void TStringGrid::SizeChanged() {
    if (IsLoading()) return;
    colCount_ = std::max(colCount_, 1);
    rowCount_ = std::max(rowCount_, 1);
    fixedCols_ = std::clamp(fixedCols_, 0, colCount_ - 1);
    fixedRows_ = std::clamp(fixedRows_, 0, rowCount_ - 1);
    std::erase_if(cells_, [this](const auto& e) { return e.first.first >= colCount_ || e.first.second >= rowCount_; });
    col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
    row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
    leftCol_ = std::clamp(leftCol_, fixedCols_, colCount_ - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, rowCount_ - 1);
    UpdateScrollBars();
    Invalidate();
}

void TStringGrid::SetColCount(int n) {
    colCount_ = n;
    SizeChanged();
}
void TStringGrid::SetRowCount(int n) {
    rowCount_ = n;
    SizeChanged();
}
void TStringGrid::SetFixedCols(int n) {
    fixedCols_ = n;
    SizeChanged();
}
void TStringGrid::SetFixedRows(int n) {
    fixedRows_ = n;
    SizeChanged();
}
void TStringGrid::SetDefaultColWidth(int w) {
    defaultColWidth_ = std::max(w, 1);
    SizeChanged();
}
void TStringGrid::SetDefaultRowHeight(int h) {
    defaultRowHeight_ = std::max(h, 1);
    SizeChanged();
}
void TStringGrid::SetGridLineWidth(int w) {
    gridLineWidth_ = std::max(w, 0);
    SizeChanged();
}
void TStringGrid::SetFixedColor(TColor c) {
    fixedColor_ = c;
    Invalidate();
}
void TStringGrid::SetFixedFontColor(TColor c) {
    fixedFontColor_ = c;
    Invalidate();
}
void TStringGrid::SetScrollBars(TScrollStyle s) {
    scrollBars_ = s;
    SizeChanged();
}
void TStringGrid::SetBorderStyle(TBorderStyle s) {
    borderStyle_ = s == bsNone ? bsNone : bsSingle;
    ApplyExStyle(borderStyle_ == bsSingle ? WS_EX_CLIENTEDGE : 0, borderStyle_ == bsSingle ? 0 : WS_EX_CLIENTEDGE);
    UpdateScrollBars();
}

std::wstring TStringGrid::Cells(int col, int row) const {
    auto it = cells_.find({col, row});
    return it == cells_.end() ? std::wstring() : it->second;
}

void TStringGrid::SetCells(int col, int row, const std::wstring& text) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return;
    if (text.empty())
        cells_.erase({col, row});
    else
        cells_[{col, row}] = text;
    RECT r = CellRect(col, row);
    if (!IsRectEmpty(&r)) InvalidateRect(r);
}

RECT TStringGrid::CellRect(int col, int row) {
    RECT none{0, 0, 0, 0};
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return none;
    if (col >= fixedCols_ && col < leftCol_) return none;
    if (row >= fixedRows_ && row < topRow_) return none;
    int stepX = defaultColWidth_ + gridLineWidth_, stepY = defaultRowHeight_ + gridLineWidth_;
    int x = col < fixedCols_ ? col * stepX : (fixedCols_ + col - leftCol_) * stepX;
    int y = row < fixedRows_ ? row * stepY : (fixedRows_ + row - topRow_) * stepY;
    return RECT{x, y, x + defaultColWidth_, y + defaultRowHeight_};
}

bool TStringGrid::MouseToCell(int x, int y, int& col, int& row) {
    if (x < 0 || y < 0) return false;
    int stepX = defaultColWidth_ + gridLineWidth_, stepY = defaultRowHeight_ + gridLineWidth_;
    int i = x / stepX, j = y / stepY;
    col = i < fixedCols_ ? i : leftCol_ + i - fixedCols_;
    row = j < fixedRows_ ? j : topRow_ + j - fixedRows_;
    return col < colCount_ && row < rowCount_;
}

int TStringGrid::VisibleColCount() {
    int free = ClientRect().right - fixedCols_ * (defaultColWidth_ + gridLineWidth_);
    return std::max(1, free / (defaultColWidth_ + gridLineWidth_));
}

int TStringGrid::VisibleRowCount() {
    int free = ClientRect().bottom - fixedRows_ * (defaultRowHeight_ + gridLineWidth_);
    return std::max(1, free / (defaultRowHeight_ + gridLineWidth_));
}

void TStringGrid::UpdateScrollBars() {
    if (!HandleAllocated() || IsLoading()) return;
    // A bar that appears narrows the client for the other one: settle twice.
    for (int pass = 0; pass < 2; ++pass) {
        int cols = colCount_ - fixedCols_, rows = rowCount_ - fixedRows_;
        int shownCols = VisibleColCount(), shownRows = VisibleRowCount();
        bool horz = (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && cols > shownCols;
        bool vert = (scrollBars_ == ssVertical || scrollBars_ == ssBoth) && rows > shownRows;
        // Without a bar every cell that can be seen starts from the first.
        leftCol_ = horz ? std::clamp(leftCol_, fixedCols_, colCount_ - shownCols) : fixedCols_;
        topRow_ = vert ? std::clamp(topRow_, fixedRows_, rowCount_ - shownRows) : fixedRows_;
        ShowScrollBar(handle_, SB_HORZ, horz);
        ShowScrollBar(handle_, SB_VERT, vert);
        if (horz) {
            SCROLLINFO si{sizeof si, SIF_ALL, 0, cols - 1, static_cast<UINT>(shownCols), leftCol_ - fixedCols_, 0};
            SetScrollInfo(handle_, SB_HORZ, &si, TRUE);
        }
        if (vert) {
            SCROLLINFO si{sizeof si, SIF_ALL, 0, rows - 1, static_cast<UINT>(shownRows), topRow_ - fixedRows_, 0};
            SetScrollInfo(handle_, SB_VERT, &si, TRUE);
        }
    }
}

void TStringGrid::SetLeftCol(int c) {
    int limit = std::max(fixedCols_, colCount_ - VisibleColCount());
    c = std::clamp(c, fixedCols_, limit);
    if (c == leftCol_) return;
    leftCol_ = c;
    if (HandleAllocated()) SetScrollPos(handle_, SB_HORZ, leftCol_ - fixedCols_, TRUE);
    Invalidate();
}

void TStringGrid::SetTopRow(int r) {
    int limit = std::max(fixedRows_, rowCount_ - VisibleRowCount());
    r = std::clamp(r, fixedRows_, limit);
    if (r == topRow_) return;
    topRow_ = r;
    if (HandleAllocated()) SetScrollPos(handle_, SB_VERT, topRow_ - fixedRows_, TRUE);
    Invalidate();
}

void TStringGrid::ScrollInView(int col, int row) {
    int cols = VisibleColCount(), rows = VisibleRowCount();
    if (col < leftCol_) SetLeftCol(col);
    else if (col >= leftCol_ + cols) SetLeftCol(col - cols + 1);
    if (row < topRow_) SetTopRow(row);
    else if (row >= topRow_ + rows) SetTopRow(row - rows + 1);
}

void TStringGrid::SelectCell(int col, int row) {
    if (IsLoading()) {
        col_ = col, row_ = row;
        return;
    }
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    if (col == col_ && row == row_) {
        ScrollInView(col, row);
        return;
    }
    if (OnSelectCell) {
        bool canSelect = true;
        OnSelectCell(this, col, row, canSelect);
        if (!canSelect) return;
    }
    RECT old = CellRect(col_, row_);
    col_ = col, row_ = row;
    InvalidateRect(old);
    ScrollInView(col, row);
    InvalidateRect(CellRect(col, row));
}

void TStringGrid::Scroll(int bar, WORD request) {
    bool horz = bar == SB_HORZ;
    int first = horz ? leftCol_ : topRow_;
    int fixed = horz ? fixedCols_ : fixedRows_;
    int page = horz ? VisibleColCount() : VisibleRowCount();
    switch (request) {
    case SB_LINEUP: first -= 1; break;
    case SB_LINEDOWN: first += 1; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(handle_, bar, &info);
        first = fixed + info.nTrackPos;
        break;
    }
    case SB_TOP: first = fixed; break;
    case SB_BOTTOM: first = horz ? colCount_ : rowCount_; break;
    default: return;
    }
    horz ? SetLeftCol(first) : SetTopRow(first);
}

void TStringGrid::KeyDown(WORD key) {
    int col = col_, row = row_;
    switch (key) {
    case VK_LEFT: col -= 1; break;
    case VK_RIGHT: col += 1; break;
    case VK_UP: row -= 1; break;
    case VK_DOWN: row += 1; break;
    case VK_PRIOR: row -= VisibleRowCount(); break;
    case VK_NEXT: row += VisibleRowCount(); break;
    case VK_HOME: col = fixedCols_; break;
    case VK_END: col = colCount_ - 1; break;
    default: return;
    }
    SelectCell(col, row);
}

void TStringGrid::PaintCell(HDC dc, int col, int row, const RECT& r) {
    bool fixed = col < fixedCols_ || row < fixedRows_;
    bool selected = !fixed && col == col_ && row == row_;
    TColor back = fixed ? fixedColor_ : selected ? clHighlight : color_;
    GdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(back))));
    FillRect(dc, &r, brush.get());
    RECT edge = r;
    if (fixed) DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    std::wstring text = Cells(col, row);
    if (!text.empty()) {
        TColor fore = !Enabled()                           ? clGrayText
                      : selected                           ? clHighlightText
                      : fixed && fixedFontColor_ != clNone ? fixedFontColor_
                                                           : Font().Color();
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(fore)));
        RECT t{r.left + 2, r.top, r.right - 2, r.bottom};
        DrawTextW(dc, text.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (selected && Focused()) {
        RECT f = r;
        DrawFocusRect(dc, &f);
    }
}

void TStringGrid::Paint(HDC dc) {
    RECT client = ClientRect();
    SelectGuard font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    GdiObject<HBRUSH> lines(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnShadow))));
    auto paintRow = [&](int row) {
        auto paint = [&](int col) {
            RECT r = CellRect(col, row);
            if (r.left >= client.right) return false;
            RECT withLines{r.left, r.top, r.right + gridLineWidth_, r.bottom + gridLineWidth_};
            if (gridLineWidth_ > 0) FillRect(dc, &withLines, lines.get());
            if (RectVisible(dc, &r)) PaintCell(dc, col, row, r);
            return true;
        };
        for (int col = 0; col < fixedCols_; ++col)
            if (!paint(col)) return;
        for (int col = leftCol_; col < colCount_; ++col)
            if (!paint(col)) return;
    };
    for (int row = 0; row < fixedRows_; ++row) paintRow(row);
    int stepY = defaultRowHeight_ + gridLineWidth_;
    for (int row = topRow_; row < rowCount_ && (fixedRows_ + row - topRow_) * stepY < client.bottom; ++row) paintRow(row);
}

void TStringGrid::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN:
        KeyDown(static_cast<WORD>(message.WParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused()) SetFocus();
        int col = 0, row = 0;
        if (MouseToCell(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam), col, row) && col >= fixedCols_ &&
            row >= fixedRows_)
            SelectCell(col, row);
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (message.LParam == 0) {
            Scroll(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(CellRect(col_, row_));
        break;
    case WM_SIZE:
        TCustomControl::WndProc(message);
        UpdateScrollBars();
        return;
    }
    TCustomControl::WndProc(message);
}

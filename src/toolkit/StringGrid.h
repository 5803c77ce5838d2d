#pragma once
// A grid of text cells painted by the toolkit. The first FixedCols columns
// and FixedRows rows are headings in FixedColor that never scroll; the rest
// scroll by whole cells with the window's scroll bars, which appear when the
// cells do not fit. One cell is selected (Col, Row): a click on a cell or the
// arrow, Home/End and page keys move it (so does setting Col or Row), and
// OnSelectCell may refuse a cell.
#include <map>
#include <string>
#include <utility>

#include "toolkit/CustomControl.h"
#include "toolkit/Memo.h"

using TSelectCellEvent = TMethod<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TStringGrid : public TCustomControl {
public:
    explicit TStringGrid(TComponent* AOwner);

    int ColCount() const { return colCount_; }
    void SetColCount(int n);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int n);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int n);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int w);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int h);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int w);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor c);
    // Text colour of the fixed cells; clNone (the default): the font's colour.
    TColor FixedFontColor() const { return fixedFontColor_; }
    void SetFixedFontColor(TColor c);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);

    // Text of a cell; cells outside the grid read empty and ignore writes.
    std::wstring Cells(int col, int row) const;
    void SetCells(int col, int row, const std::wstring& text);

    int Col() const { return col_; }
    void SetCol(int c) { SelectCell(c, row_); }
    int Row() const { return row_; }
    void SetRow(int r) { SelectCell(col_, r); }
    // First scrollable column and row in view.
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int c);
    int TopRow() const { return topRow_; }
    void SetTopRow(int r);
    // Client rectangle of a cell (empty when it is scrolled out of view).
    RECT CellRect(int col, int row);
    // The cell under a client point; false outside every cell.
    bool MouseToCell(int x, int y, int& col, int& row);

    TSelectCellEvent OnSelectCell;

    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override { UpdateScrollBars(); }
    void Paint(HDC dc) override;

private:
    // Moves the selection to a scrollable cell once OnSelectCell agrees.
    void SelectCell(int col, int row);
    void ScrollInView(int col, int row);
    // Scrollable columns / rows that fit entirely after the fixed ones.
    int VisibleColCount();
    int VisibleRowCount();
    void UpdateScrollBars();
    void Scroll(int bar, WORD request);
    void KeyDown(WORD key);
    void SizeChanged();
    void PaintCell(HDC dc, int col, int row, const RECT& r);

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TColor fixedColor_ = clBtnFace;
    TColor fixedFontColor_ = clNone;
    TScrollStyle scrollBars_ = ssBoth;
    TBorderStyle borderStyle_ = bsSingle;
    int col_ = 1;
    int row_ = 1;
    int leftCol_ = 1;
    int topRow_ = 1;
    std::map<std::pair<int, int>, std::wstring> cells_;
};

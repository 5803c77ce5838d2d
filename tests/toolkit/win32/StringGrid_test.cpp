// The string grid: its window, cells selected with the mouse and the keys,
// scrolling by cells, and form resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
#include "toolkit/StringGrid.h"
#include "toolkit/core/Rtti.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TGridForm : public TForm {
public:
    using TForm::TForm;
    TStringGrid* Grid = nullptr;
    std::vector<std::pair<int, int>> asked;
    int refuseCol = -1;
    void SelectCell(TObject*, int c, int r, bool& can) {
        asked.emplace_back(c, r);
        if (c == refuseCol) can = false;
    }
    static void Publish(TPublisher<TGridForm>& p) {
        p.Field(L"Grid", &TGridForm::Grid);
        p.Method(L"SelectCell", &TGridForm::SelectCell);
    }
};

// Screen point inside a cell, a little off its top-left corner.
POINT InCell(TStringGrid& grid, int col, int row) {
    RECT r = grid.CellRect(col, row);
    POINT p{r.left + 5, r.top + 5};
    ClientToScreen(grid.Handle(), &p);
    return p;
}

// The colour painted at a client point of the window.
COLORREF PixelAt(TStringGrid& grid, int x, int y) {
    HDC dc = GetDC(grid.Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(grid.Handle(), dc);
    return c;
}

class StringGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        RegisterPublishedClass<TGridForm>();
        form = new TGridForm(nullptr);
        form->SetBounds(40, 40, 420, 300);
    }
    void TearDown() override { delete form; }
    TGridForm* form = nullptr;
};

}  // namespace

TEST_F(StringGridTest, MouseAndKeysSelectCellsAndScrollIntoView) {
    auto* grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(10);
    grid->SetRowCount(20);
    grid->SetCells(2, 3, L"Ausgang 3");
    grid->SetCells(40, 3, L"outside");  // ignored, no crash
    grid->OnSelectCell = TSelectCellEvent(form, &TGridForm::SelectCell);
    uitest::ShowAndActivate(*form);

    wchar_t cls[32] = {};
    GetClassNameW(grid->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TStringGrid");
    LONG_PTR style = GetWindowLongPtrW(grid->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);  // 10 columns of 64 pixels do not fit into 300
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_EQ(grid->Cells(2, 3), L"Ausgang 3");
    EXPECT_EQ(grid->Cells(40, 3), L"");

    uitest::ClickAt(InCell(*grid, 2, 3));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_TRUE(grid->Focused());
    uitest::Pump(30);
    RECT sel = grid->CellRect(2, 3);
    EXPECT_EQ(PixelAt(*grid, sel.right - 3, sel.top + 3), GetSysColor(COLOR_HIGHLIGHT));

    // A click on a heading selects nothing; OnSelectCell can refuse a cell.
    uitest::ClickAt(InCell(*grid, 0, 5));
    EXPECT_EQ(grid->Row(), 3);
    form->refuseCol = 3;
    uitest::PressKey(VK_RIGHT);
    uitest::Pump(20);
    EXPECT_EQ(grid->Col(), 2);
    form->refuseCol = -1;
    uitest::PressKey(VK_DOWN);
    uitest::PressKey(VK_END);
    uitest::Pump(20);
    EXPECT_EQ(grid->Col(), 9);
    EXPECT_EQ(grid->Row(), 4);
    // The last column was scrolled into view, whole.
    RECT last = grid->CellRect(9, 4);
    EXPECT_GT(grid->LeftCol(), 1);
    EXPECT_LE(last.right, grid->ClientRect().right);
    EXPECT_EQ(GetScrollPos(grid->Handle(), SB_HORZ), grid->LeftCol() - 1);
    ASSERT_GE(form->asked.size(), 3u);
    EXPECT_EQ(form->asked[0], std::make_pair(2, 3));
    EXPECT_EQ(form->asked[1], std::make_pair(3, 3));

    SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(grid->TopRow(), 1);
    RECT gone = grid->CellRect(2, 1);
    EXPECT_TRUE(IsRectEmpty(&gone));  // scrolled out of view

    // Fewer cells than room: the bars go, the view starts at the first cell.
    grid->SetColCount(3);
    grid->SetRowCount(3);
    style = GetWindowLongPtrW(grid->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(grid->LeftCol(), 1);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Cells(2, 3), L"");  // the cell went with its row
}

TEST_F(StringGridTest, FormResourceSetsCountsAndColours) {
    ReadFormText(*form,
                 "object GridForm: TGridForm\n"
                 "  object Grid: TStringGrid\n    Width = 200\n    Height = 150\n"
                 "    FixedCols = 2\n    ColCount = 4\n    RowCount = 3\n    DefaultColWidth = 40\n"
                 "    DefaultRowHeight = 20\n    FixedColor = clRed\n    ScrollBars = ssNone\n"
                 "    OnSelectCell = SelectCell\n  end\n"
                 "end\n");
    ASSERT_NE(form->Grid, nullptr);
    uitest::ShowAndActivate(*form);
    TStringGrid& g = *form->Grid;
    EXPECT_EQ(g.FixedCols(), 2);
    EXPECT_EQ(g.Col(), 2);
    RECT c = g.CellRect(3, 2);
    EXPECT_EQ(c.left, 3 * 41);
    EXPECT_EQ(c.top, 2 * 21);
    EXPECT_EQ(PixelAt(g, 45, 10), RGB(255, 0, 0));  // a fixed cell in FixedColor
    EXPECT_EQ(GetOrdProp(&g, L"FixedColor"), clRed);
    EXPECT_TRUE(g.OnSelectCell);
    EXPECT_TRUE(form->asked.empty());
}

#include "toolkit/CheckListBox.h"

#include <algorithm>

#include <windowsx.h>

#include "toolkit/Color.h"
#include "toolkit/GdiObject.h"

namespace {
// Width of the column holding the check box, in pixels.
constexpr int kBoxColumn = 18;
constexpr int kBoxSize = 13;
}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TListBox(AOwner) {}

void TCheckListBox::CreateParams(TCreateParams& params) {
    TListBox::CreateParams(params);
    params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

int TCheckListBox::ItemHeight() {
    int fontHeight = Font().Height() < 0 ? -Font().Height() : Font().Height();
    return std::max(fontHeight + 4, kBoxSize + 3);
}

void TCheckListBox::CreateWindowHandleDone() {
    TListBox::CreateWindowHandleDone();
    SendMessageW(handle_, LB_SETITEMHEIGHT, 0, ItemHeight());
}

bool TCheckListBox::Checked(int index) const {
    return index >= 0 && index < static_cast<int>(checked_.size()) && checked_[static_cast<size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool value) {
    if (index < 0 || index >= static_cast<int>(checked_.size())) return;
    checked_[static_cast<size_t>(index)] = value;
    if (HandleAllocated()) {
        RECT r{};
        if (SendMessageW(handle_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
            ::InvalidateRect(handle_, &r, FALSE);
    }
}

void TCheckListBox::ItemInserted(int index) {
    checked_.insert(checked_.begin() + std::clamp(index, 0, static_cast<int>(checked_.size())), false);
}

void TCheckListBox::ItemDeleted(int index) {
    if (index >= 0 && index < static_cast<int>(checked_.size())) checked_.erase(checked_.begin() + index);
}

void TCheckListBox::ItemsReordered(const std::vector<int>& from) {
    std::vector<bool> reordered;
    for (int old : from) reordered.push_back(Checked(old));
    checked_ = std::move(reordered);
}

void TCheckListBox::Toggle(int index) {
    if (index < 0 || index >= Items().Count()) return;
    SetChecked(index, !Checked(index));
    if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    int index = static_cast<int>(item.itemID);
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : ColorBrush());
    RECT box{r.left + 2, r.top + (r.bottom - r.top - kBoxSize) / 2, 0, 0};
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0));
    if (index < Items().Count()) {
        SelectGuard font(dc, Font().Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : static_cast<COLORREF>(ColorToRGB(Font().Color())));
        RECT text{r.left + kBoxColumn + 2, r.top, r.right, r.bottom};
        DrawTextW(dc, Items().Strings(index).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void TCheckListBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    case CN_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->itemHeight = static_cast<UINT>(ItemHeight());
        message.Result = TRUE;
        return;
    case WM_LBUTTONDOWN: {
        int x = GET_X_LPARAM(message.LParam);
        LRESULT hit = SendMessageW(handle_, LB_ITEMFROMPOINT, 0, message.LParam);
        // HIWORD set: the point is below the last entry.
        if (x < kBoxColumn && !HIWORD(hit)) Toggle(LOWORD(hit));
        break;
    }
    case WM_KEYDOWN:
        if (message.WParam == VK_SPACE) {
            Toggle(ItemIndex());
            message.Result = 0;
            return;
        }
        break;
    case WM_CHAR:
        if (message.WParam == L' ') return;  // handled as a key press above
        break;
    }
    TListBox::WndProc(message);
}

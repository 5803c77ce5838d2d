// Window binding: WindowProc save/replace/restore, finding controls from
// window handles, class names, reflection of notifications, real styles.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/ControlAtom.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GraphicControl.h"
#include "toolkit/Label.h"
#include "toolkit/ModuleInstance.h"
#include "toolkit/Panel.h"
#include "toolkit/testing/UiDriver.h"

namespace {

class TBindingForm : public TForm {
public:
    using TForm::TForm;
};

// Records what passes through a hooked WindowProc, then chains to the saved one.
class Spy : public TObject {
public:
    explicit Spy(TControl* control) : control_(control), saved(control->WindowProc) {
        control->WindowProc = TWndMethod(this, &Spy::Hook);
    }
    void Hook(TMessage& message) {
        seen.push_back(message.Msg);
        if (message.Msg == swallow) {
            message.Result = 4242;
            return;
        }
        saved(message);
    }
    void Restore() { control_->WindowProc = saved; }
    TControl* control_;
    TWndMethod saved;
    std::vector<UINT> seen;
    UINT swallow = 0;
};

class WindowBinding : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        form = new TBindingForm(nullptr);
        form->SetBounds(50, 50, 400, 300);
        form->SetCaption(L"Binding");
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
};

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

}  // namespace

TEST_F(WindowBinding, WindowProcCanBeSavedReplacedAndRestored) {
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 80, 25);
    TWndMethod original = button->WindowProc;
    EXPECT_TRUE(original == TWndMethod(static_cast<TControl*>(button), &TControl::WndProc));

    Spy spy(button);
    EXPECT_FALSE(button->WindowProc == original);
    HWND window = button->Handle();
    spy.swallow = WM_USER + 7;
    // Messages from outside (SendMessage) reach the hook first.
    EXPECT_EQ(SendMessageW(window, WM_USER + 7, 0, 0), 4242);
    SetWindowTextW(window, L"Hooked");
    EXPECT_NE(std::find(spy.seen.begin(), spy.seen.end(), static_cast<UINT>(WM_SETTEXT)), spy.seen.end());
    // Chained messages still do their normal work.
    EXPECT_EQ(uitest::WindowText(window), L"Hooked");
    EXPECT_EQ(button->Caption(), L"Hooked");

    spy.Restore();
    EXPECT_TRUE(button->WindowProc == original);
    size_t count = spy.seen.size();
    SendMessageW(window, WM_USER + 7, 0, 0);
    EXPECT_EQ(spy.seen.size(), count);
}

TEST_F(WindowBinding, ControlIsFoundFromItsWindowThroughTheControlOfsProperty) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    HWND window = edit->Handle();
    EXPECT_EQ(FindControl(window), edit);
    EXPECT_EQ(FindControl(form->Handle()), form);
    EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
    EXPECT_EQ(FindControl(nullptr), nullptr);

    wchar_t expected[64];
    swprintf(expected, 64, L"ControlOfs%08X%08X",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(ModuleInstance()) & 0xFFFFFFFFu),
             static_cast<unsigned>(GetCurrentThreadId()));
    EXPECT_EQ(ControlAtomName(), expected);
    ATOM atom = GlobalFindAtomW(expected);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(GetPropW(window, MAKEINTATOM(atom)), static_cast<HANDLE>(static_cast<TWinControl*>(edit)));
    // The registered message of the same name answers the object.
    EXPECT_EQ(SendMessageW(window, RegisterWindowMessageW(expected), 0, 0),
              reinterpret_cast<LRESULT>(static_cast<TWinControl*>(edit)));
    // After the window is gone nothing is found any more.
    delete edit;
    EXPECT_EQ(FindControl(window), nullptr);
}

TEST_F(WindowBinding, WindowClassesAreNamedAfterToolkitClasses) {
    auto* button = new TButton(form);
    button->SetParent(form);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    EXPECT_EQ(ClassOf(form->Handle()), L"TBindingForm");
    EXPECT_EQ(ClassOf(button->Handle()), L"TButton");
    EXPECT_EQ(ClassOf(panel->Handle()), L"TPanel");
    EXPECT_EQ(ClassOf(combo->Handle()), L"TComboBox");
    // Superclassed windows behave like the system class: the combo has its edit child.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    EXPECT_NE(info.hwndItem, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(form->Handle(), GWLP_HINSTANCE), reinterpret_cast<LONG_PTR>(ModuleInstance()));
}

TEST_F(WindowBinding, PropertiesAreRealWindowStyles) {
    form->SetBorderStyle(bsSingle);
    form->SetBorderIcons({biSystemMenu, biMinimize});
    auto* check = new TCheckBox(form);
    check->SetParent(form);
    check->SetAlignment(taLeftJustify);
    check->SetEnabled(false);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetStyle(csDropDownList);

    LONG_PTR formStyle = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(formStyle & WS_SYSMENU);
    EXPECT_TRUE(formStyle & WS_MINIMIZEBOX);
    EXPECT_FALSE(formStyle & WS_MAXIMIZEBOX);
    EXPECT_FALSE(formStyle & WS_THICKFRAME);
    EXPECT_TRUE((formStyle & WS_CAPTION) == WS_CAPTION);

    LONG_PTR checkStyle = GetWindowLongPtrW(check->Handle(), GWL_STYLE);
    EXPECT_TRUE(checkStyle & BS_LEFTTEXT);
    EXPECT_TRUE(checkStyle & WS_DISABLED);
    EXPECT_FALSE(IsWindowEnabled(check->Handle()));
    check->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(check->Handle()));

    EXPECT_TRUE(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT windowRect, clientRect;
    GetWindowRect(edit->Handle(), &windowRect);
    GetClientRect(edit->Handle(), &clientRect);
    EXPECT_LT(clientRect.right, windowRect.right - windowRect.left);
    EXPECT_EQ(GetWindowLongPtrW(combo->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);

    // The control's font is the window's font.
    edit->Font().SetHeight(-20);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0)), edit->Font().Handle());
}

TEST_F(WindowBinding, ParentReflectsChildNotificationsToTheChildsWindowProc) {
    auto* button = new TButton(form);
    button->SetParent(form);
    int clicks = 0;
    struct Counter : TObject {
        int* n;
        void Click(TObject*) { ++*n; }
    } counter;
    counter.n = &clicks;
    button->OnClick = TNotifyEvent(&counter, &Counter::Click);
    Spy spy(button);
    // BN_CLICKED as the system sends it to the parent ...
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button->Handle()));
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(std::find(spy.seen.begin(), spy.seen.end(), CN_COMMAND), spy.seen.end());
    // ... and the bare form posted by outside code (wParam 0, lParam = child).
    PostMessageW(form->Handle(), WM_COMMAND, 0, reinterpret_cast<LPARAM>(button->Handle()));
    uitest::Pump(20);
    EXPECT_EQ(clicks, 2);
    // A CN_NOTIFY sent straight to the form with a non-pointer lParam is ignored.
    EXPECT_EQ(SendMessageW(form->Handle(), CN_NOTIFY, 0, 16802), 0);
    spy.Restore();
}

TEST_F(WindowBinding, OutsideSubclassingIsTolerated) {
    auto* button = new TButton(form);
    button->SetParent(form);
    HWND window = button->Handle();
    static WNDPROC previous = nullptr;
    static int outsideSeen = 0;
    outsideSeen = 0;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_USER + 9) ++outsideSeen;
            return CallWindowProcW(previous, h, m, w, l);
        })));
    Spy spy(button);
    SendMessageW(window, WM_USER + 9, 0, 0);
    EXPECT_EQ(outsideSeen, 1);
    EXPECT_NE(std::find(spy.seen.begin(), spy.seen.end(), static_cast<UINT>(WM_USER + 9)), spy.seen.end());
    // The toolkit keeps working behind the outside procedure.
    button->SetCaption(L"Still works");
    EXPECT_EQ(uitest::WindowText(window), L"Still works");
    spy.Restore();
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}

TEST_F(WindowBinding, GraphicControlsArePaintedByTheParentThroughTheirWindowProc) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(20, 20, 100, 20);
    label->SetCaption(L"Painted");
    Spy spy(label);
    uitest::ShowAndActivate(*form);
    spy.seen.clear();
    InvalidateRect(form->Handle(), nullptr, TRUE);
    UpdateWindow(form->Handle());
    EXPECT_NE(std::find(spy.seen.begin(), spy.seen.end(), static_cast<UINT>(WM_PAINT)), spy.seen.end());
    // PaintControls into a memory DC draws the caption's pixels (not all background).
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 300);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, 400, 300};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    form->PaintControls(memory, nullptr);
    int dark = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 120; ++x)
            if (GetRValue(GetPixel(memory, x, y)) < 100) ++dark;
    EXPECT_GT(dark, 10);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    spy.Restore();
}

namespace {
// A graphic control that fills itself through its canvas.
class TSwatch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int paints = 0;

protected:
    void Paint(HDC) override {
        ++paints;
        Canvas().Brush().SetColor(clRed);
        Canvas().FillRect(RECT{0, 0, Width(), Height()});
    }
};
}  // namespace

TEST_F(WindowBinding, GraphicControlCanvasDrawsAtTheControlsPlaceInTheParent) {
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    swatch->SetBounds(30, 40, 20, 10);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 100);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, 100, 100};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    int objectsBefore = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    form->PaintControls(memory, nullptr);
    EXPECT_EQ(swatch->paints, 1);
    EXPECT_EQ(GetPixel(memory, 30, 40), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(memory, 49, 49), RGB(255, 0, 0));
    // Clipped to the control: nothing outside it changes.
    EXPECT_EQ(GetPixel(memory, 50, 40), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, 30, 50), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(memory, 29, 39), RGB(255, 255, 255));
    // The DC got its own objects back.
    EXPECT_EQ(GetCurrentObject(memory, OBJ_BITMAP), bitmap);
    form->PaintControls(memory, nullptr);
    EXPECT_LE(static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)), objectsBefore + 2);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

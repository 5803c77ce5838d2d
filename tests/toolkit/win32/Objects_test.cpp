// Method pointers, string lists, class names and object window procedures.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/ObjectInstance.h"
#include "toolkit/core/Strings.h"

namespace {
class Receiver : public TObject {
public:
    void A(TObject*) { calls.push_back(1); }
    void B(TObject*) { calls.push_back(2); }
    virtual void V(TObject*) { calls.push_back(3); }
    void Proc(TMessage& m) {
        seen.push_back(m.Msg);
        m.Result = m.Msg == WM_USER ? 77 : DefWindowProcW(ObjectInstanceWindow(), m.Msg, m.WParam, m.LParam);
    }
    std::vector<int> calls;
    std::vector<UINT> seen;
};
class Derived : public Receiver {
public:
    void V(TObject*) override { calls.push_back(4); }
};
class TFancyButton : public TButton {
public:
    using TButton::TButton;
};
}  // namespace

TEST(Objects, MethodPointersCompareSaveAndRestore) {
    Receiver r1, r2;
    TNotifyEvent none;
    EXPECT_FALSE(none);
    EXPECT_TRUE(none == nullptr);
    TNotifyEvent a1(&r1, &Receiver::A), a1again(&r1, &Receiver::A), b1(&r1, &Receiver::B), a2(&r2, &Receiver::A);
    EXPECT_TRUE(a1 == a1again);
    EXPECT_FALSE(a1 == b1);
    EXPECT_FALSE(a1 == a2);
    EXPECT_EQ(a1.Data(), &r1);
    TNotifyEvent saved = a1;
    TNotifyEvent current = b1;
    current(nullptr);
    current = saved;
    current(nullptr);
    EXPECT_EQ(r1.calls, (std::vector<int>{2, 1}));
    // A virtual member bound through the base dispatches to the override.
    Derived d;
    TNotifyEvent v(static_cast<Receiver*>(&d), &Receiver::V);
    v(nullptr);
    EXPECT_EQ(d.calls, (std::vector<int>{4}));
    current.Clear();
    EXPECT_FALSE(current.Assigned());
}

TEST(Objects, StringListAddsFindsAndSplits) {
    TStringList list;
    int changes = 0;
    struct Count : TObject {
        int* n;
        void Changed(TObject*) { ++*n; }
    } count;
    count.n = &changes;
    list.OnChange = TNotifyEvent(&count, &Count::Changed);
    EXPECT_EQ(list.Add(L"COM1"), 0);
    list.Add(L"com2");
    list.Insert(0, L"LCD");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.IndexOf(L"COM2"), 2);
    EXPECT_EQ(list.IndexOf(L"COM9"), -1);
    list.Delete(0);
    EXPECT_EQ(list.Strings(0), L"COM1");
    EXPECT_THROW(list.Strings(5), std::out_of_range);
    EXPECT_THROW(list.Delete(-1), std::out_of_range);
    EXPECT_EQ(changes, 4);
    list.SetText(L"a\r\nb\nc\rd");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(3), L"d");
    EXPECT_EQ(list.Text(), L"a\r\nb\r\nc\r\nd\r\n");
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Text(), list.Text());
}

TEST(Objects, ClassNamesAndAncestry) {
    Application->Initialize();
    TButton button(nullptr);
    TFancyButton fancy(nullptr);
    EXPECT_EQ(button.ClassName(), L"TButton");
    EXPECT_EQ(fancy.ClassName(), L"TFancyButton");
    EXPECT_TRUE(button.InheritsFrom(L"TWinControl"));
    EXPECT_TRUE(button.InheritsFrom(L"tcontrol"));
    EXPECT_FALSE(button.InheritsFrom(L"TForm"));
    // A subclass's window is of its own class and still a BUTTON underneath.
    TForm form(nullptr);
    fancy.SetParent(&form);
    wchar_t name[64];
    GetClassNameW(fancy.Handle(), name, 64);
    EXPECT_STREQ(name, L"TFancyButton");
    EXPECT_EQ(SendMessageW(fancy.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    fancy.SetParent(nullptr);
    // Without a parent window there is no window to hand out.
    try {
        fancy.Handle();
        ADD_FAILURE() << "a parentless child control gave a window";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no parent window"), std::string::npos);
    }
    EXPECT_FALSE(fancy.HandleAllocated());
}

TEST(Objects, ObjectInstanceRoutesAWindowToAMethod) {
    Receiver r;
    WNDPROC proc = MakeObjectInstance(TWndMethod(&r, &Receiver::Proc));
    ASSERT_NE(proc, nullptr);
    WNDPROC other = MakeObjectInstance(TWndMethod(&r, &Receiver::Proc));
    EXPECT_NE(proc, other);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
    EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 77);
    EXPECT_EQ(r.seen.back(), static_cast<UINT>(WM_USER));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    DestroyWindow(window);
    FreeObjectInstance(proc);
    FreeObjectInstance(other);
    // Freed slots are handed out again.
    WNDPROC again = MakeObjectInstance(TWndMethod(&r, &Receiver::Proc));
    EXPECT_TRUE(again == proc || again == other);
    FreeObjectInstance(again);
}

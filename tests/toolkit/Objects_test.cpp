// Method pointers, sets, string lists and class names of the object model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/core/Rtti.h"
#include "toolkit/core/Strings.h"

namespace {
class Receiver : public TObject {
public:
    void A(TObject*) { calls.push_back(1); }
    void B(TObject*) { calls.push_back(2); }
    virtual void V(TObject*) { calls.push_back(3); }
    std::vector<int> calls;
};
class Derived : public Receiver {
public:
    void V(TObject*) override { calls.push_back(4); }
};
namespace inner {
class TInnerThing : public TObject {};
}  // namespace inner

struct ChangeLog {
    std::vector<std::string> seen;
    template <class List>
    void Watch(List& list) {
        list.Listener = [this](auto change, int index, const auto& value) {
            static const char* kNames[] = {"insert", "delete", "put", "clear"};
            seen.push_back(std::string(kNames[static_cast<int>(change)]) + " " + std::to_string(index) + " " +
                           std::string(value.begin(), value.end()));
        };
    }
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

TEST(Objects, ClassNamesAreTheMostDerivedWithoutNamespaces) {
    Derived d;
    inner::TInnerThing thing;
    TStringList wide;
    TAnsiStringList narrow;
    EXPECT_EQ(d.ClassName(), L"Derived");
    EXPECT_EQ(thing.ClassName(), L"TInnerThing");
    EXPECT_EQ(wide.ClassName(), L"TStrings");
    EXPECT_EQ(narrow.ClassName(), L"TAnsiStringList");
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
    EXPECT_THROW(list.Insert(3, L"past the end"), std::out_of_range);
    EXPECT_EQ(changes, 4);
    list.SetText(L"a\r\nb\nc\rd");
    EXPECT_EQ(list.ToVector(), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
    EXPECT_EQ(list.Text(), L"a\r\nb\r\nc\r\nd\r\n");
    // An empty line between two breaks is kept; a final break adds none.
    list.SetText(L"x\r\n\r\ny\n");
    EXPECT_EQ(list.ToVector(), (std::vector<std::wstring>{L"x", L"", L"y"}));
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Text(), list.Text());
}

TEST(Objects, ListWatchersHearEveryChangeButAreNotCopied) {
    TAnsiStringList list;
    ChangeLog log;
    log.Watch(list);
    list.Add("one");
    list.Insert(0, "zero");
    list.SetStrings(1, "ONE");
    list.Delete(0);
    list.Clear();
    list.Clear();  // already empty: nothing to tell
    EXPECT_EQ(log.seen, (std::vector<std::string>{"insert 0 one", "insert 0 zero", "put 1 ONE", "delete 0 ", "clear -1 "}));

    list.AddData("[Form]", 7);
    TAnsiStringList copy = list;
    EXPECT_EQ(copy, list);
    EXPECT_FALSE(copy.Listener);
    copy.Add("more");
    EXPECT_EQ(log.seen.size(), 6u);  // only the AddData on the watched list
    EXPECT_FALSE(copy == list);
    // Assigning keeps the watcher, who hears the whole replacement.
    list = copy;
    EXPECT_EQ(list, copy);
    EXPECT_EQ(std::vector<std::string>(log.seen.begin() + 6, log.seen.end()),
              (std::vector<std::string>{"clear -1 ", "insert 0 [Form]", "insert 1 more"}));
}

TEST(Objects, EntriesCarryAnObjectOrANumber) {
    Receiver a, b;
    TStringList objects;
    objects.AddObject(L"a", &a);
    objects.AddObject(L"b", &b);
    objects.Add(L"none");
    EXPECT_EQ(objects.Objects(1), &b);
    EXPECT_EQ(objects.Objects(2), nullptr);
    EXPECT_EQ(objects.IndexOfObject(&b), 1);
    objects.SetObjects(0, &b);
    EXPECT_EQ(objects.IndexOfObject(&b), 0);
    // Renaming an entry keeps what it carries.
    objects.SetStrings(1, L"bee");
    EXPECT_EQ(objects.Objects(1), &b);

    TAnsiStringList numbers;
    numbers.AddData("[Buttons]", 12);
    numbers.AddData("[Form]", -3);
    EXPECT_EQ(numbers.Data(0), 12);
    EXPECT_EQ(numbers.Data(1), -3);
    TAnsiStringList copy;
    copy.Assign(numbers);
    EXPECT_EQ(copy.Data(0), 12);
    EXPECT_THROW(numbers.Data(2), std::out_of_range);
}

TEST(Objects, CaseRulesOfWideAndEightBitLists) {
    TStringList wide;
    wide.Add(L"Bn_app");
    EXPECT_EQ(wide.IndexOf(L"BN_APP"), 0);
    EXPECT_TRUE(SameText(L"TButton", L"tbutton"));
    EXPECT_EQ(UpperCase(L"fsBold"), L"FSBOLD");

    // 8-bit text has no code page here: ASCII letters fold, other bytes must match exactly.
    TAnsiStringList narrow;
    narrow.Add("[Buttons]");
    narrow.Add("\xC4pfel");
    EXPECT_EQ(narrow.IndexOf("[BUTTONS]"), 0);
    EXPECT_EQ(narrow.IndexOf("\xC4PFEL"), 1);
    EXPECT_EQ(narrow.IndexOf("\xE4pfel"), -1);
    EXPECT_EQ(AsciiLower("Caption\xC4Z"), "caption\xC4z");
}

TEST(Objects, SetsHoldEnumerationMembers) {
    enum TStyle { stBold, stItalic, stUnderline };
    TSet<TStyle> style{stBold, stUnderline};
    EXPECT_TRUE(style.Contains(stUnderline));
    EXPECT_FALSE(style.Contains(stItalic));
    style.Exclude(stBold).Include(stItalic);
    EXPECT_EQ(style, (TSet<TStyle>{stItalic, stUnderline}));
    EXPECT_EQ(style - TSet<TStyle>{stItalic}, TSet<TStyle>{stUnderline});
    EXPECT_TRUE((style & TSet<TStyle>{stBold}).Empty());
}

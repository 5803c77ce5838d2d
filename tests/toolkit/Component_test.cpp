// Ownership, free order and notifications of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/core/Component.h"

namespace {

std::vector<std::wstring> gFreed;

class Tracked : public TComponent {
public:
    Tracked(TComponent* owner, const std::wstring& name) : TComponent(owner) { SetName(name); }
    ~Tracked() override { gFreed.push_back(Name()); }
    // Insertions arrive from the base constructor, before the name is set:
    // they are recorded by address; removals by name.
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opInsert)
            inserted.push_back(component);
        else
            notes.push_back(L"-" + component->Name());
    }
    std::vector<std::wstring> notes;
    std::vector<TComponent*> inserted;
};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastAddedFirst) {
    gFreed.clear();
    auto* root = new Tracked(nullptr, L"root");
    new Tracked(root, L"a");
    auto* b = new Tracked(root, L"b");
    new Tracked(b, L"b1");
    new Tracked(root, L"c");
    ASSERT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(root->Components(1), b);
    EXPECT_EQ(b->Owner(), root);
    delete root;
    // c first, then b (which frees b1 after its own destructor body ran), then a, root's own body first.
    EXPECT_EQ(gFreed, (std::vector<std::wstring>{L"root", L"c", L"b", L"b1", L"a"}));
}

TEST(Component, FreedComponentLeavesItsOwnerAndOwnerIsNotified) {
    gFreed.clear();
    Tracked root(nullptr, L"root");
    auto* a = new Tracked(&root, L"a");
    auto* b = new Tracked(&root, L"b");
    EXPECT_EQ(root.inserted, (std::vector<TComponent*>{a, b}));
    // Siblings hear about later insertions too.
    EXPECT_EQ(a->inserted, (std::vector<TComponent*>{b}));
    EXPECT_TRUE(b->inserted.empty());
    delete a;
    EXPECT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Components(0), b);
    EXPECT_EQ(root.notes.back(), L"-a");
    EXPECT_EQ(b->notes.back(), L"-a");
    EXPECT_EQ(root.FindComponent(L"a"), nullptr);
    // No double free when the owner goes: only b is left to free.
    gFreed.clear();
    root.DestroyComponents();
    EXPECT_EQ(gFreed, (std::vector<std::wstring>{L"b"}));
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners) {
    Tracked first(nullptr, L"first");
    Tracked second(nullptr, L"second");
    auto* watched = new Tracked(&first, L"watched");
    watched->FreeNotification(&second);
    delete watched;
    EXPECT_EQ(second.notes.back(), L"-watched");
    // Once removed, the link is gone on both sides: freeing `second` later does not touch `watched`.
    auto* other = new Tracked(&first, L"other");
    other->FreeNotification(&second);
    other->RemoveFreeNotification(&second);
    size_t before = second.notes.size();
    delete other;
    EXPECT_EQ(second.notes.size(), before);
}

TEST(Component, NamesAreUniquePerOwnerAndFoundCaseInsensitively) {
    Tracked root(nullptr, L"root");
    auto* a = new Tracked(&root, L"Button1");
    EXPECT_EQ(root.FindComponent(L"BUTTON1"), a);
    EXPECT_EQ(root.FindComponent(L""), nullptr);
    auto* b = new Tracked(&root, L"Button2");
    EXPECT_THROW(b->SetName(L"button1"), std::invalid_argument);
    EXPECT_EQ(b->Name(), L"Button2");
    a->SetTag(99);
    EXPECT_EQ(a->Tag(), 99);
    EXPECT_THROW(root.Components(5), std::out_of_range);
}

TEST(Component, ChangingOwnerMovesTheComponent) {
    Tracked first(nullptr, L"first");
    Tracked second(nullptr, L"second");
    auto* moving = new Tracked(&first, L"moving");
    second.InsertComponent(moving);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(moving->Owner(), &second);
    EXPECT_EQ(first.notes.back(), L"-moving");
}

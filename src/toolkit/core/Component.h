#pragma once
// Ownership tree of components: an owner frees what it owns (last added
// first), a freed component leaves its owner's list, and components that
// asked for it hear about insertions and removals through Notification.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/Object.h"
#include "toolkit/core/Set.h"
#include "toolkit/core/TextCase.h"

enum TOperation { opInsert, opRemove };
enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::wstring& Name() const { return name_; }
    // Throws std::invalid_argument when a sibling owned by the same owner
    // already has this name (names compare case-insensitively).
    virtual void SetName(const std::wstring& name);
    intptr_t Tag() const { return tag_; }
    void SetTag(intptr_t tag) { tag_ = tag; }
    TComponentState ComponentState() const { return state_; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    // Case-insensitive search among the directly owned components.
    TComponent* FindComponent(const std::wstring& name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last added first.
    void DestroyComponents();
    // Asks `component` to notify this object when it is freed (and vice versa).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Called on every component after a whole form resource was read.
    virtual void Loaded();
    virtual void Notification(TComponent* component, TOperation operation);
    // A form resource nests this (non-control) component inside `parent`;
    // components that belong to a container (menu items) attach themselves.
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }

    // Reading state, set by the form reader around property assignment.
    void SetLoading(bool loading);
    bool IsLoading() const { return state_.Contains(csLoading); }
    bool IsDestroying() const { return state_.Contains(csDestroying); }

protected:
    void SetDestroying() { state_.Include(csDestroying); }

private:
    void NotifyOwned(TComponent* component, TOperation operation);

    TComponent* owner_ = nullptr;
    std::wstring name_;
    intptr_t tag_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

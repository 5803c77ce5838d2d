#include "toolkit/core/Component.h"

#include <algorithm>
#include <stdexcept>

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    state_.Include(csDestroying);
    // Tell everyone who asked, then detach from them so nobody calls back.
    auto notifies = std::move(freeNotifies_);
    freeNotifies_.clear();
    for (TComponent* other : notifies) {
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw std::out_of_range("component index out of range");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::SetName(const std::wstring& name) {
    if (name == name_) return;
    if (!name.empty() && owner_) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this) {
            std::string narrow(name.begin(), name.end());
            throw std::invalid_argument("A component named " + narrow + " already exists.");
        }
    }
    name_ = name;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    NotifyOwned(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    NotifyOwned(component, opRemove);
    // The notification may have changed the list; search again.
    it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end()) components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
    Notification(component, operation);
    // Siblings hear about it as well, as long as the owner is not going away.
    if (IsDestroying()) return;
    auto snapshot = components_;
    for (TComponent* c : snapshot)
        if (c != component) c->Notification(component, operation);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // The destructor of `last` removes it from this list.
        delete last;
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::SetLoading(bool loading) {
    if (loading) {
        state_.Include(csLoading);
        state_.Include(csReading);
    } else {
        state_.Exclude(csReading);
    }
}

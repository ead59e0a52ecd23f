#include "toolkit/Component.h"

#include <algorithm>

namespace pastimo {
namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) noexcept {
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

void AddOnce(std::vector<TComponent*>& list, TComponent* component) {
    if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}

}  // namespace

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
    if (FOwner) FOwner->Insert(this);
}

TComponent::~TComponent() {
    // A copy: a told component may let go of others in response.
    const std::vector<TComponent*> told = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* other : told) {
        Erase(other->FFreeNotifies, this);
        other->ComponentNotification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->Remove(this);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    // Both sides keep the link, so that whichever goes first unties it.
    AddOnce(FFreeNotifies, component);
    AddOnce(component->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotification(TComponent* component) noexcept {
    if (!component) return;
    Erase(FFreeNotifies, component);
    Erase(component->FFreeNotifies, this);
}

void TComponent::ComponentNotification(TComponent*, TOperation) {}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        delete last;  // its destructor removes it from FComponents
    }
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    NotifyAll(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    Erase(FComponents, component);
    component->FOwner = nullptr;
    NotifyAll(component, TOperation::opRemove);
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    ComponentNotification(component, operation);
    // A copy: a notified component may destroy others in response.
    std::vector<TComponent*> siblings = FComponents;
    for (TComponent* sibling : siblings)
        if (sibling != component) sibling->ComponentNotification(component, operation);
}

}  // namespace pastimo

#include "toolkit/Component.h"

#include <algorithm>

namespace pastimo {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
    DestroyComponents();
    if (owner_) owner_->Remove(this);
}

void TComponent::ComponentNotification(TComponent*, TOperation) {}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last;  // its destructor removes it from components_
    }
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    NotifyAll(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
    NotifyAll(component, TOperation::opRemove);
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
    ComponentNotification(component, operation);
    // A copy: a notified component may destroy others in response.
    std::vector<TComponent*> siblings = components_;
    for (TComponent* sibling : siblings)
        if (sibling != component) sibling->ComponentNotification(component, operation);
}

}  // namespace pastimo

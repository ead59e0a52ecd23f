#include "toolkit/Component.h"

#include <algorithm>

namespace pastimo {

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
    if (FOwner) FOwner->Insert(this);
}

TComponent::~TComponent() {
    DestroyComponents();
    if (FOwner) FOwner->Remove(this);
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
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
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

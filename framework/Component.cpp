#include "framework/Component.h"

#include <algorithm>
#include <utility>

TComponent::TComponent(TComponent* owner) : owner(owner) {
    if (owner) {
        owner->components.push_back(this);
        ComponentState = owner->ComponentState & csLoading;
    }
}

TComponent::~TComponent() {
    ComponentState |= csDestroying;
    while (!freeNotifies.empty()) {
        TComponent* other = freeNotifies.back();
        freeNotifies.pop_back();
        std::erase(other->freeNotifies, this);
        other->Notification(this, opRemove);
    }
    while (!components.empty()) {
        TComponent* last = components.back();
        components.pop_back();
        last->owner = nullptr;
        delete last;
    }
    if (owner) {
        std::erase(owner->components, this);
        if (!owner->IsDestroying()) {
            owner->Notification(this, opRemove);
            for (std::size_t i = 0; i < owner->components.size(); ++i)
                owner->components[i]->Notification(this, opRemove);
        }
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    if (std::find(freeNotifies.begin(), freeNotifies.end(), AComponent) == freeNotifies.end())
        freeNotifies.push_back(AComponent);
    if (std::find(AComponent->freeNotifies.begin(), AComponent->freeNotifies.end(), this) ==
        AComponent->freeNotifies.end())
        AComponent->freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    std::erase(freeNotifies, AComponent);
    std::erase(AComponent->freeNotifies, this);
}

std::vector<TComponent*> TComponent::ReleaseComponents() {
    for (TComponent* component : components)
        component->owner = nullptr;
    return std::exchange(components, {});
}

bool TComponent::IsDestroying() const {
    for (const TComponent* component = this; component; component = component->owner)
        if (component->ComponentState & csDestroying)
            return true;
    return false;
}

void TComponent::Destroying() {
    ComponentState |= csDestroying;
    for (TComponent* component : components)
        component->Destroying();
}

void TComponent::EndLoading() {
    if (Loading()) {
        ComponentState &= ~static_cast<unsigned>(csLoading);
        Loaded();
    }
    for (std::size_t i = 0; i < components.size(); ++i)
        components[i]->EndLoading();
}

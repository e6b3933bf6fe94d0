#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner(owner) {
    if (owner) {
        owner->components.push_back(this);
        ComponentState = owner->ComponentState & csLoading;
    }
}

TComponent::~TComponent() {
    ComponentState |= csDestroying;
    while (!components.empty()) {
        TComponent* last = components.back();
        components.pop_back();
        last->owner = nullptr;
        delete last;
    }
    if (owner) {
        auto& siblings = owner->components;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
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

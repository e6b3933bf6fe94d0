#pragma once

#include "framework/AnsiString.h"
#include "framework/Events.h"

#include <vector>

enum TComponentStateItem : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };
enum TOperation { opInsert, opRemove };

// Owns the components created with it as owner and frees them, last created first.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner; }
    const std::vector<TComponent*>& Components() const { return components; }
    bool Loading() const { return (ComponentState & csLoading) != 0; }
    // This component or one of its owners is being destroyed.
    bool IsDestroying() const;

    // Ends the loading of this component, then of everything it owns in creation order.
    void EndLoading();
    // Marks this component, and everything it owns, as going away.
    void Destroying();
    // AComponent hears of this one's removal, and this one of AComponent's, by Notification.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    AnsiString Name;
    int Tag = 0;
    unsigned ComponentState = 0;

protected:
    // Runs once the layout has set every property.
    virtual void Loaded() {}
    // AComponent is going away: one of the same owner (while that owner stays), or one asked
    // about with FreeNotification.
    virtual void Notification(TComponent*, TOperation) {}
    // Lets go of everything owned without freeing it, for when freeing is no longer safe.
    std::vector<TComponent*> ReleaseComponents();

private:
    TComponent* owner;
    std::vector<TComponent*> components;
    std::vector<TComponent*> freeNotifies;
};

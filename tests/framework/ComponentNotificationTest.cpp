#include "framework/Component.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Watcher : TComponent {
    using TComponent::TComponent;
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove)
            Removed.push_back(AComponent);
    }
    std::vector<TComponent*> Removed;
};

} // namespace

TEST(ComponentNotification, NeighboursAndWatchersHearOfARemoval) {
    TComponent owner(nullptr);
    auto* neighbour = new Watcher(&owner);
    auto* removed = new TComponent(&owner);
    Watcher farAway(nullptr);
    farAway.FreeNotification(removed);
    delete removed;
    EXPECT_EQ(neighbour->Removed, std::vector<TComponent*>{removed});
    EXPECT_EQ(farAway.Removed, std::vector<TComponent*>{removed});

    // Either side may go first; the other then forgets it.
    auto* watched = new TComponent(nullptr);
    {
        Watcher shortLived(nullptr);
        shortLived.FreeNotification(watched);
    }
    delete watched;
}

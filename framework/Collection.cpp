#include "framework/Collection.h"

#include "framework/Exceptions.h"
#include "framework/List.h"

#include <algorithm>

int TCollectionItem::Index() const {
    const auto& items = collection->items;
    const auto found =
        std::find_if(items.begin(), items.end(), [this](const auto& item) { return item.get() == this; });
    return static_cast<int>(found - items.begin());
}

TCollectionItem* TCollection::Insert(int index) {
    CheckListIndex(index, Count() + 1);
    auto item = itemClass();
    item->collection = this;
    return items.insert(items.begin() + index, std::move(item))->get();
}

void TCollection::Delete(int index) {
    CheckListIndex(index, Count());
    items.erase(items.begin() + index);
}

TCollectionItem* TCollection::GetItem(int index) const {
    CheckListIndex(index, Count());
    return items[static_cast<std::size_t>(index)].get();
}

void TCollection::Assign(const TPersistent& Source) {
    const auto* other = dynamic_cast<const TCollection*>(&Source);
    if (!other) {
        TPersistent::Assign(Source);
        return;
    }
    if (other == this)
        return;
    Clear();
    for (const auto& item : other->items)
        Add()->Assign(*item);
}

void TCollection::DeleteWhere(const std::function<bool(const TCollectionItem*)>& doomed) {
    std::erase_if(items, [&](const std::unique_ptr<TCollectionItem>& item) { return doomed(item.get()); });
}

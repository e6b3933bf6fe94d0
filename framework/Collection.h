#pragma once

#include "framework/Persistent.h"

#include <functional>
#include <memory>
#include <vector>

class TCollection;

// One item of a collection; the collection owns it.
class TCollectionItem : public TPersistent {
public:
    TCollection* Collection() const { return collection; }
    // Position of the item in its collection.
    int Index() const;

private:
    friend class TCollection;
    TCollection* collection = nullptr;
};

// An owning, ordered list of items of one kind, which the item class given at construction
// makes.
class TCollection : public TPersistent {
public:
    using TItemClass = std::function<std::unique_ptr<TCollectionItem>()>;
    explicit TCollection(TItemClass itemClass) : itemClass(std::move(itemClass)) {}

    int Count() const { return static_cast<int>(items.size()); }
    TCollectionItem* Add() { return Insert(Count()); }
    TCollectionItem* Insert(int index);
    void Delete(int index);
    // Every item for which doomed answers true, in one pass.
    void DeleteWhere(const std::function<bool(const TCollectionItem*)>& doomed);
    void Clear() { items.clear(); }
    TCollectionItem* GetItem(int index) const;
    // Copies value into the item at index.
    void SetItem(int index, const TCollectionItem& value) { GetItem(index)->Assign(value); }
    // Makes this collection a copy, item by item, of another collection.
    void Assign(const TPersistent& Source) override;

private:
    friend class TCollectionItem;
    TItemClass itemClass;
    std::vector<std::unique_ptr<TCollectionItem>> items;
};

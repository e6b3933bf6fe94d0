#pragma once

#include "framework/AnsiString.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

// The network's list of sewers or of junctions with an index by exact name. Names need not be
// unique (an edit may repeat one); a look-up gives the first entry in list order, as a scan would.
//
// Entries taken out of the list stay alive in the store until the list itself goes: sub-network
// lists, connection lists and the editors' selections may still point at them.
//
// T keeps its name, its position and its list in private members this class may reach.
template <class T> class NamedList {
public:
    NamedList() = default;
    NamedList(const NamedList&) = delete;
    NamedList& operator=(const NamedList&) = delete;

    const std::vector<T*>& Items() const { return items; }

    int IndexOf(const AnsiString& name) const {
        const auto bucket = byName.find(name);
        return bucket == byName.end() ? -1 : bucket->second.front()->position;
    }

    T* Find(const AnsiString& name) const {
        const auto bucket = byName.find(name);
        return bucket == byName.end() ? nullptr : bucket->second.front();
    }

    // Every entry of that name, in list order.
    const std::vector<T*>* AllNamed(const AnsiString& name) const {
        const auto bucket = byName.find(name);
        return bucket == byName.end() ? nullptr : &bucket->second;
    }

    int Append(std::unique_ptr<T> item) {
        T* entry = item.get();
        store.push_back(std::move(item));
        entry->position = static_cast<int>(items.size());
        entry->list = this;
        items.push_back(entry);
        byName[entry->name].push_back(entry);
        return entry->position;
    }

    void Remove(int position) {
        T* entry = items[static_cast<std::size_t>(position)];
        Unindex(entry);
        entry->list = nullptr;
        items.erase(items.begin() + position);
        for (auto i = static_cast<std::size_t>(position); i < items.size(); ++i)
            items[i]->position = static_cast<int>(i);
    }

    void Rename(T& entry, const AnsiString& newName) {
        Unindex(&entry);
        entry.name = newName;
        auto& bucket = byName[newName];
        bucket.insert(std::upper_bound(bucket.begin(), bucket.end(), &entry,
                                       [](const T* a, const T* b) { return a->position < b->position; }),
                      &entry);
    }

    // Renames entry, in its list's index when it stands in a list.
    static void SetName(T& entry, const AnsiString& newName) {
        if (entry.list)
            entry.list->Rename(entry, newName);
        else
            entry.name = newName;
    }

    void Clear() {
        for (T* entry : items)
            entry->list = nullptr;
        items.clear();
        byName.clear();
    }

    // Empties this list and takes over the entries of other, which is left empty.
    void TakeOver(NamedList& other) {
        Clear();
        for (auto& item : other.store)
            store.push_back(std::move(item));
        other.store.clear();
        items = std::move(other.items);
        byName = std::move(other.byName);
        other.items.clear();
        other.byName.clear();
        for (T* entry : items)
            entry->list = this;
    }

private:
    void Unindex(T* entry) {
        const auto bucket = byName.find(entry->name);
        std::erase(bucket->second, entry);
        if (bucket->second.empty())
            byName.erase(bucket);
    }

    std::vector<std::unique_ptr<T>> store;
    std::vector<T*> items;
    std::unordered_map<AnsiString, std::vector<T*>> byName;
};

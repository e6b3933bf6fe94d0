#pragma once

#include "framework/AnsiString.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

// The network's list of sewers or of junctions with an index by exact name. Names need not be
// unique (an edit may repeat one); a look-up gives the first entry in list order, as a scan would.
//
// The index is a flat open-addressing table from a name to its first entry, with a side table
// only for names listed more than once, so that a network of a million names is indexed in a few
// bytes a name and found with one probe or two.
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
        const T* entry = Find(name);
        return entry ? entry->position : -1;
    }

    T* Find(const AnsiString& name) const {
        if (table.empty())
            return nullptr;
        return table[Probe(name.view(), Hash(name.view()))].first;
    }

    // Every entry of that name, in list order.
    std::span<T* const> AllNamed(const AnsiString& name) const {
        if (table.empty())
            return {};
        const Slot& slot = table[Probe(name.view(), Hash(name.view()))];
        if (slot.count > 1)
            return repeated.at(name);
        return {&slot.first, slot.first ? 1u : 0u};
    }

    // Whether some name stands more than once in the list.
    bool HasRepeatedNames() const { return !repeated.empty(); }

    // The entry's place in this list, or -1 when it is not listed here.
    int PositionOf(const T* entry) const { return entry && entry->list == this ? entry->position : -1; }

    int Append(std::unique_ptr<T> item) {
        Slot& slot = SlotFor(item->name);
        T* entry = Store(std::move(item));
        if (slot.first) {
            Repeats(slot).push_back(entry);
            ++slot.count;
        } else {
            slot = {entry, Hash(entry->name.view()), 1};
            ++used;
        }
        return entry->position;
    }

    // Appends item unless an entry of its name is listed already; the entry, or null.
    T* AppendNew(std::unique_ptr<T> item) {
        Slot& slot = SlotFor(item->name);
        if (slot.first)
            return nullptr;
        T* entry = Store(std::move(item));
        slot = {entry, Hash(entry->name.view()), 1};
        ++used;
        return entry;
    }

    // The position of the first entry of that name, appended when there is none.
    int FindOrAppend(const AnsiString& name) {
        Slot& slot = SlotFor(name);
        if (slot.first)
            return slot.first->position;
        T* entry = Store(std::make_unique<T>(name));
        slot = {entry, Hash(name.view()), 1};
        ++used;
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

    // Takes out, in one pass, every entry for which remove is true; the others keep their order.
    // The number taken out.
    template <class Predicate> int RemoveIf(Predicate remove) {
        std::size_t kept = 0;
        for (T* entry : items) {
            if (remove(*entry)) {
                Unindex(entry);
                entry->list = nullptr;
            } else {
                entry->position = static_cast<int>(kept);
                items[kept++] = entry;
            }
        }
        const auto removed = static_cast<int>(items.size() - kept);
        items.resize(kept);
        return removed;
    }

    void Rename(T& entry, const AnsiString& newName) {
        Unindex(&entry);
        entry.name = newName;
        Slot& slot = SlotFor(newName);
        if (!slot.first) {
            slot = {&entry, Hash(newName.view()), 1};
            ++used;
            return;
        }
        std::vector<T*>& all = Repeats(slot);
        all.insert(std::upper_bound(all.begin(), all.end(), &entry,
                                    [](const T* a, const T* b) { return a->position < b->position; }),
                   &entry);
        ++slot.count;
        slot.first = all.front();
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
        table.clear();
        used = 0;
        repeated.clear();
    }

    // Empties this list and takes over the entries of other, which is left empty.
    void TakeOver(NamedList& other) {
        Clear();
        if (store.empty())
            store = std::move(other.store);
        else
            store.insert(store.end(), std::make_move_iterator(other.store.begin()),
                         std::make_move_iterator(other.store.end()));
        other.store.clear();
        items = std::move(other.items);
        table = std::move(other.table);
        used = other.used;
        repeated = std::move(other.repeated);
        other.Clear();
        for (T* entry : items)
            entry->list = this;
    }

private:
    // An entry of the table: the first entry of a name, its hash, and how many entries bear it.
    struct Slot {
        T* first = nullptr;
        std::uint32_t hash = 0;
        std::uint32_t count = 0;
    };

    static std::uint32_t Hash(std::string_view name) {
        return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
    }

    // The slot holding name, or the empty slot where it would go.
    std::size_t Probe(std::string_view name, std::uint32_t hash) const {
        const std::size_t mask = table.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = table[i];
            if (!slot.first || (slot.hash == hash && slot.first->name.view() == name))
                return i;
        }
    }

    // As Probe, with room made first for one more name: the table stays at most half full.
    Slot& SlotFor(const AnsiString& name) {
        if (2 * (used + 1) > table.size())
            Grow();
        return table[Probe(name.view(), Hash(name.view()))];
    }

    void Grow() {
        std::vector<Slot> old = std::move(table);
        table.assign(std::max<std::size_t>(16, 2 * old.size()), Slot{});
        const std::size_t mask = table.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.first)
                continue;
            std::size_t i = slot.hash & mask;
            while (table[i].first)
                i = (i + 1) & mask;
            table[i] = slot;
        }
    }

    T* Store(std::unique_ptr<T> item) {
        T* entry = item.get();
        store.push_back(std::move(item));
        entry->position = static_cast<int>(items.size());
        entry->list = this;
        items.push_back(entry);
        return entry;
    }

    // Every entry bearing the slot's name, in list order; made when the name comes a second time.
    std::vector<T*>& Repeats(const Slot& slot) {
        std::vector<T*>& all = repeated[slot.first->name];
        if (all.empty())
            all.push_back(slot.first);
        return all;
    }

    void Unindex(T* entry) {
        const std::size_t at = Probe(entry->name.view(), Hash(entry->name.view()));
        Slot& slot = table[at];
        if (slot.count == 1) {
            Vacate(at);
            return;
        }
        const auto all = repeated.find(entry->name);
        std::erase(all->second, entry);
        slot.first = all->second.front();
        if (--slot.count == 1)
            repeated.erase(all);
    }

    // Empties slot at, moving back the table after it that would otherwise be lost to a probe.
    void Vacate(std::size_t at) {
        const std::size_t mask = table.size() - 1;
        for (std::size_t next = (at + 1) & mask; table[next].first; next = (next + 1) & mask) {
            const std::size_t home = table[next].hash & mask;
            // The slot at next stays where it is when its home lies cyclically in (at, next].
            const bool stays = at <= next ? (at < home && home <= next) : (at < home || home <= next);
            if (!stays) {
                table[at] = table[next];
                at = next;
            }
        }
        table[at] = Slot{};
        --used;
    }

    std::vector<std::unique_ptr<T>> store;
    std::vector<T*> items;
    // A power of two in size, at most half full.
    std::vector<Slot> table;
    std::size_t used = 0;
    std::unordered_map<AnsiString, std::vector<T*>> repeated;
};

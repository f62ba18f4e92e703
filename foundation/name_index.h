#pragma once
// Items looked up by the names they bear now. The items tell their index of every rename, so
// the index never answers with a name an item has left. Names are meant to be unique; a rename
// from outside may still give two items one name, and then the first in list order answers.
#include <algorithm>
#include <string>
#include <unordered_map>

template <class Item, class Name = std::string>
class NameIndex {
public:
    void Add(const Name& name, Item* item) { byName_.emplace(name, item); }
    void Remove(const Name& name, const Item* item) {
        auto [first, last] = byName_.equal_range(name);
        auto it =
            std::find_if(first, last, [&](const auto& entry) { return entry.second == item; });
        if (it != last) byName_.erase(it);
    }
    void Rename(const Name& oldName, Item* item, const Name& newName) {
        Remove(oldName, item);
        Add(newName, item);
    }
    bool Has(const Name& name) const { return byName_.find(name) != byName_.end(); }
    // The item bearing the name, null when none; list holds the items (counted pointers) in
    // order, read only when several bear the name.
    template <class List>
    Item* Find(const Name& name, const List& list) const {
        auto [first, last] = byName_.equal_range(name);
        if (first == last) return nullptr;
        if (std::next(first) == last) return first->second;
        for (const auto& item : list)
            if (item->Name() == name) return item.Get();
        return nullptr;
    }
    void Clear() { byName_.clear(); }

private:
    std::unordered_multimap<Name, Item*> byName_;
};

#pragma once
// An ordered, named collection of counted, named items. Adding keeps item names unique with an
// "@N" suffix: abc, abc@1, abc@2, ...
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "foundation/countable.h"
#include "foundation/label.h"
#include "foundation/unique_name.h"

template <class P>
class ObjectSet;

template <class T>
class ObjectSet<Safe::XPtr<T>> : public Label {
public:
    using Item = Safe::XPtr<T>;

    ObjectSet() = default;
    ~ObjectSet() override { Clear(); }

    bool Add(const Item& item) {
        if (!item) return false;
        MakeUniqueName(item);
        items_.push_back(item);
        return true;
    }

    // A taken name becomes its text up to its first "@" (or the name and "@") followed by one
    // more than the largest number after that prefix in the set.
    void MakeUniqueName(const Item& item) const {
        std::wstring name = item->GetName();
        if (IndexOf(name) == -1) return;
        std::size_t at = name.find(L'@');
        std::wstring base = at == std::wstring::npos ? name + L"@" : name.substr(0, at + 1);
        std::uint32_t largest = 0;
        for (const Item& other : items_) {
            const std::wstring& otherName = other->Name();
            if (otherName.size() >= base.size() && otherName.compare(0, base.size(), base) == 0) {
                auto n = static_cast<std::uint32_t>(ReadLeadingInt(otherName, base.size()));
                if (n > largest) largest = n;
            }
        }
        // A name such as "abc@-1" reads as the largest unsigned number and wraps: keep counting
        // until the name is free.
        std::uint32_t n = largest + 1;
        while (IndexOf(base + std::to_wstring(n)) != -1) ++n;
        item->SetName(base + std::to_wstring(n));
    }

    Item Find(const std::wstring& name) const {
        int index = IndexOf(name);
        return index < 0 ? Item() : items_[static_cast<std::size_t>(index)];
    }

    int IndexOf(const std::wstring& name) const {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i]->Name() == name) return static_cast<int>(i);
        return -1;
    }

    Item At(int index) const {
        return IsIndex(index) ? items_[static_cast<std::size_t>(index)] : Item();
    }

    int Count() const { return static_cast<int>(items_.size()); }

    // Releases every item in order; the set keeps its own name.
    void Clear() {
        std::vector<Item> released;
        released.swap(items_);
        for (Item& item : released) item = nullptr;
    }

    // Removes the item at an index; the others keep their order. Null when the index is invalid.
    Item RemoveAt(int index) {
        if (!IsIndex(index)) return Item();
        Item removed = items_[static_cast<std::size_t>(index)];
        items_.erase(items_.begin() + index);
        return removed;
    }

    // Removes the first item of that name; false when none bears it.
    bool Remove(const std::wstring& name) { return static_cast<bool>(RemoveAt(IndexOf(name))); }

    // Mode 0 moves the item at from to position to, shifting those between; mode 1 exchanges them.
    bool Move(int from, int to, int mode) {
        if (!IsIndex(from) || !IsIndex(to)) return false;
        auto first = items_.begin();
        if (mode == 1) {
            std::swap(items_[static_cast<std::size_t>(from)], items_[static_cast<std::size_t>(to)]);
        } else if (mode == 0) {
            if (from < to)
                std::rotate(first + from, first + from + 1, first + to + 1);
            else
                std::rotate(first + to, first + from, first + from + 1);
        } else {
            return false;
        }
        return true;
    }

    // False when an item already bears newName; otherwise the first item that accepts the rename.
    // (Label::Rename renames the set itself.)
    bool RenameItem(const std::wstring& oldName, const std::wstring& newName) {
        if (IndexOf(newName) != -1) return false;
        for (Item& item : items_)
            if (item->Rename(oldName, newName)) return true;
        return false;
    }

    typename std::vector<Item>::const_iterator begin() const { return items_.begin(); }
    typename std::vector<Item>::const_iterator end() const { return items_.end(); }

private:
    bool IsIndex(int index) const { return index >= 0 && index < Count(); }

    std::vector<Item> items_;
};

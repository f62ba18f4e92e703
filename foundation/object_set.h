#pragma once
// An ordered, named collection of counted, named items. Adding keeps item names unique with an
// "@N" suffix: abc, abc@1, abc@2, ...
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/countable.h"
#include "foundation/label.h"
#include "foundation/name_index.h"
#include "foundation/unique_name.h"

template <class P>
class ObjectSet;

// The items are indexed by the names they bear now (each tells the set of its renames), with
// the numbers that follow each name's first "@": naming an item unique costs the same whatever
// the size of the set.
template <class T>
class ObjectSet<Safe::XPtr<T>> : public Label, private LabelIndex {
public:
    using Item = Safe::XPtr<T>;

    ObjectSet() = default;
    // The copy holds the same items under the names they bear.
    ObjectSet(const ObjectSet& other) : Label(other) {
        for (const Item& item : other.items_) Append(item);
    }
    ObjectSet& operator=(const ObjectSet& other) {
        if (this == &other) return *this;
        Label::operator=(other);
        const std::vector<Item> items = other.items_;
        Clear();
        for (const Item& item : items) Append(item);
        return *this;
    }
    ~ObjectSet() override { Clear(); }

    bool Add(const Item& item) {
        if (!item) return false;
        MakeUniqueName(item);
        Append(item);
        return true;
    }

    // A taken name becomes its text up to its first "@" (or the name and "@") followed by one
    // more than the largest number after that prefix in the set.
    void MakeUniqueName(const Item& item) const {
        const std::wstring name = item->GetName();
        if (!byName_.Has(name)) return;
        std::size_t at = name.find(L'@');
        std::wstring base = at == std::wstring::npos ? name + L"@" : name.substr(0, at + 1);
        // A name begins with the base exactly when its own text up to its first "@" is the base.
        auto numbers = numbersAfter_.find(base);
        std::uint32_t largest = numbers == numbersAfter_.end() ? 0 : *numbers->second.rbegin();
        std::uint32_t n = largest + 1;
        if (byName_.Has(base + std::to_wstring(n))) {
            // Only names the reading cannot tell apart collide: numbers past the int range all
            // read as its largest value, and "abc@-1" as the largest unsigned number, which
            // wraps. The largest number then stays where it is, so go on from where the last
            // such search for this base ended: each name costs the same however many there are.
            std::uint32_t& searched = searchedTo_[base];
            n = std::max(n, searched);
            while (byName_.Has(base + std::to_wstring(n))) ++n;
            searched = n + 1;
        }
        item->SetName(base + std::to_wstring(n));
    }

    // The first item in order that bears the name; null when none does.
    Item Find(const std::wstring& name) const { return Item(byName_.Find(name, items_)); }

    int IndexOf(const std::wstring& name) const {
        if (!byName_.Has(name)) return -1;
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
        for (const Item& item : items_) item->RemoveIndex(this);
        byName_.Clear();
        numbersAfter_.clear();
        searchedTo_.clear();
        std::vector<Item> released;
        released.swap(items_);
        for (Item& item : released) item = nullptr;
    }

    // Removes the item at an index; the others keep their order. Null when the index is invalid.
    Item RemoveAt(int index) {
        if (!IsIndex(index)) return Item();
        Item removed = items_[static_cast<std::size_t>(index)];
        items_.erase(items_.begin() + index);
        Unindex(removed);
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
        if (byName_.Has(newName)) return false;
        T* item = byName_.Find(oldName, items_);
        return item && item->Rename(oldName, newName);
    }

    typename std::vector<Item>::const_iterator begin() const { return items_.begin(); }
    typename std::vector<Item>::const_iterator end() const { return items_.end(); }

private:
    bool IsIndex(int index) const { return index >= 0 && index < Count(); }

    void Append(const Item& item) {
        items_.push_back(item);
        byName_.Add(item->Name(), item.Get());
        CountNumber(item->Name());
        item->AddIndex(this);
    }

    void Unindex(const Item& item) {
        byName_.Remove(item->Name(), item.Get());
        ForgetNumber(item->Name());
        item->RemoveIndex(this);
    }

    void LabelRenamed(Label& label, const std::wstring& oldName) override {
        byName_.Rename(oldName, static_cast<T*>(&label), label.Name());
        ForgetNumber(oldName);
        CountNumber(label.Name());
    }

    // The number a name holds after its first "@", read as the naming rule reads it.
    static std::uint32_t NumberAfter(const std::wstring& name, std::size_t at) {
        return static_cast<std::uint32_t>(ReadLeadingInt(name, at + 1));
    }

    void CountNumber(const std::wstring& name) {
        const std::size_t at = name.find(L'@');
        if (at != std::wstring::npos)
            numbersAfter_[name.substr(0, at + 1)].insert(NumberAfter(name, at));
    }

    void ForgetNumber(const std::wstring& name) {
        const std::size_t at = name.find(L'@');
        if (at == std::wstring::npos) return;
        auto numbers = numbersAfter_.find(name.substr(0, at + 1));
        if (numbers == numbersAfter_.end()) return;
        auto number = numbers->second.find(NumberAfter(name, at));
        if (number != numbers->second.end()) numbers->second.erase(number);
        if (numbers->second.empty()) numbersAfter_.erase(numbers);
    }

    std::vector<Item> items_;
    // Every item by the name it bears now.
    NameIndex<T, std::wstring> byName_;
    // For each text up to and including a first "@", the numbers that follow it in the names.
    std::unordered_map<std::wstring, std::multiset<std::uint32_t>> numbersAfter_;
    // For each such text, the number after the last name given by searching past a taken one.
    mutable std::unordered_map<std::wstring, std::uint32_t> searchedTo_;
};

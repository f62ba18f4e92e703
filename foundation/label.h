#pragma once
// Named objects. Names are wide in memory and narrow (ANSI code page) in files and windows.
#include <string>
#include <vector>

#include "foundation/countable.h"

// Conversion through the ANSI code page. Empty gives empty; a refused conversion returns false
// and leaves the output unchanged.
bool ToWide(const std::string& text, std::wstring& out);
bool ToNarrow(const std::wstring& text, std::string& out);

class Label;

// What indexes labels by name (a named set): a label it holds tells it of every rename.
class LabelIndex {
public:
    virtual void LabelRenamed(Label& label, const std::wstring& oldName) = 0;

protected:
    ~LabelIndex() = default;
};

class Label : public Safe::Countable {
public:
    Label() = default;
    explicit Label(const std::wstring& name) : name_(name) {}
    explicit Label(const std::string& name);
    // A copy bears the name and belongs to no index; assigning renames.
    Label(const Label& other) : Safe::Countable(other), name_(other.name_) {}
    Label& operator=(const Label& other);
    ~Label() override = default;

    void SetName(const std::wstring& name) { ChangeName(name); }
    bool SetName(const std::string& name);
    std::wstring GetName() const { return name_; }
    const std::wstring& Name() const { return name_; }
    std::string GetNameA() const;

    // Renames only when the current name is exactly oldName.
    virtual bool Rename(const std::wstring& oldName, const std::wstring& newName);

    // The indexes that hold the label; each adds itself once per entry it keeps, and removes
    // one entry at a time.
    void AddIndex(LabelIndex* index) { indexes_.push_back(index); }
    void RemoveIndex(LabelIndex* index);

private:
    void ChangeName(const std::wstring& name);

    std::wstring name_;
    std::vector<LabelIndex*> indexes_;
};

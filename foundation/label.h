#pragma once
// Named objects. Names are wide in memory and narrow (ANSI code page) in files and windows.
#include <string>

#include "foundation/countable.h"

// Conversion through the ANSI code page. Empty gives empty; a refused conversion returns false
// and leaves the output unchanged.
bool ToWide(const std::string& text, std::wstring& out);
bool ToNarrow(const std::wstring& text, std::string& out);

class Label : public Safe::Countable {
public:
    Label() = default;
    explicit Label(const std::wstring& name) : name_(name) {}
    explicit Label(const std::string& name);
    ~Label() override = default;

    void SetName(const std::wstring& name) {
        if (&name != &name_) name_ = name;
    }
    bool SetName(const std::string& name);
    std::wstring GetName() const { return name_; }
    const std::wstring& Name() const { return name_; }
    std::string GetNameA() const;

    // Renames only when the current name is exactly oldName.
    virtual bool Rename(const std::wstring& oldName, const std::wstring& newName);

private:
    std::wstring name_;
};

#pragma once
// A named user constant.
#include <string>

#include "model/node.h"

namespace Core {

// Symbol name and source are shared by the user capsules: the name under which the user made
// the capsule and where it came from ("document" unless read from a library).
class UserCapsule : public Node {
public:
    const std::string& GetSymbolName() const { return symbolName_; }
    void SetSymbolName(const std::string& name) { symbolName_ = name; }
    const std::string& GetSource() const { return source_; }
    void SetSource(const std::string& source) { source_ = source; }

protected:
    UserCapsule(int typeId, const char* name, int arityKind);
    void CopyIdentityTo(UserCapsule& copy) const;
    // Puts clones of this capsule's children in place of the copy's own, as far as both go.
    void CloneChildrenOver(UserCapsule& copy) const;

private:
    std::string symbolName_;
    std::string source_ = "document";
};

class ConstantCapsule final : public UserCapsule {
public:
    ConstantCapsule();
    Ptr Clone() override;
};

}  // namespace Core

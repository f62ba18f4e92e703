#pragma once
// Function libraries loaded at run time, and the node that evaluates one of their functions.
#include <string>
#include <vector>

#include "foundation/countable.h"
#include "io/dll_interface.h"
#include "model/node.h"

namespace Core {

class DllCapsule;

// One loaded library. Every library that loaded with its three exports stays in a process-wide
// cache; capsules hold their library too, so its code outlives every object it handed out.
class DllFile : public Safe::Countable {
public:
    using Ptr = Safe::XPtr<DllFile>;

    // Loads the library; a UNC path, a missing library or a missing export leaves it invalid.
    static Ptr Open(const std::string& path);
    ~DllFile() override;

    bool IsValid() const { return module_ && info_ && byIndex_ && byName_; }
    const std::string& GetPath() const { return path_; }

    // The named function of the library at path (cached or loaded now); null when the library
    // or the function is missing or the function object is malformed.
    static Safe::XPtr<DllCapsule> CreateCapsule(const std::string& path, const std::string& name);
    static std::vector<std::string> GetFunctionNames(const std::string& path);
    static std::vector<Safe::XPtr<DllCapsule>> CreateAllCapsules(const std::string& path);

    // The cached library of that exact path, loading it on a miss; null when it is invalid.
    static Ptr Find(const std::string& path);

    SorixDll::FunctionObject* NewFunction(const std::string& name) const;
    SorixDll::FunctionObject* NewFunction(int index) const;

private:
    DllFile() = default;

    std::string path_;
    void* module_ = nullptr;
    GetFunctionInfoProc info_ = nullptr;
    GetFunctionByIndexProc byIndex_ = nullptr;
    GetFunctionByNameProc byName_ = nullptr;
};

// A function of a library as a model node (type 14). One child per argument that has one
// (kinds -1, 0, 1, 2 and more); one value per result of the function.
class DllCapsule final : public Node {
public:
    // Takes the object (released with the capsule) when it is well formed; null otherwise, and
    // the object is released at once.
    static Safe::XPtr<DllCapsule> Create(const DllFile::Ptr& file,
                                         SorixDll::FunctionObject* object);
    ~DllCapsule() override;

    const std::string& GetPath() const { return file_->GetPath(); }
    const std::string& GetFunctionName() const { return functionName_; }

    void NotifyChanged() override;
    void Prepare(Node* parent) override;
    Ptr Clone() override;
    const Complex& Evaluate() override;

private:
    DllCapsule(const DllFile::Ptr& file, SorixDll::FunctionObject* object);
    // Each list argument's buffer follows its tuple's length.
    void FitBuffers();

    DllFile::Ptr file_;  // first: released after the object, whose code it holds
    std::string functionName_;
    SorixDll::FunctionObject* object_;
    std::vector<SorixDll::ArgumentBuffer> buffers_;
    std::vector<std::vector<Complex>> storage_;
    // For each argument, the index of its child, -1 for an argument without a child.
    std::vector<int> childOf_;
    int hiddenIndex_ = -1;
};

}  // namespace Core

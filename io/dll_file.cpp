#include "io/dll_file.h"

#include <algorithm>
#include <cstring>

#include "foundation/event_bus.h"
#include "foundation/module.h"
#include "foundation/text.h"
#include "model/factory.h"

namespace Core {

namespace {

constexpr int kPairTupleId = 3000;
constexpr int kListTupleId = 3002;
// Bounds on what a library may declare: beyond them the object is refused as malformed.
constexpr int kMaxArguments = 256;
constexpr int kMaxResults = 4096;
constexpr int kMaxValuesPerArgument = 4096;

std::vector<DllFile::Ptr>& Cache() {
    static std::vector<DllFile::Ptr> cache;
    return cache;
}
void ClearCache() {
    Cache().clear();
}
[[maybe_unused]] const bool kCacheReset = RegisterProcessReset(&ClearCache);

bool IsUncPath(const std::string& path) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    return path.size() >= 2 && separator(path[0]) && separator(path[1]);
}

// What the object declares is read before anything relies on it.
bool IsWellFormed(const SorixDll::FunctionObject* object) {
    if (!object || !object->name || object->argumentCount < 0 ||
        object->argumentCount > kMaxArguments || object->resultCount < 1 ||
        object->resultCount > kMaxResults)
        return false;
    if (object->argumentCount == 0) return true;
    if (!object->argumentNames || !object->argumentKinds) return false;
    for (int i = 0; i < object->argumentCount; ++i)
        if (!object->argumentNames[i] || object->argumentKinds[i] > kMaxValuesPerArgument)
            return false;
    return true;
}

Node::Ptr ArgumentChild(int kind) {
    Node::Ptr child;
    if (kind == SorixDll::kListArgument) child = Node::Create(kListTupleId);
    if (kind == SorixDll::kPairArgument) child = Node::Create(kPairTupleId);
    // Without the tuple families a plain parameter stands in; its buffer is zero-filled.
    return child ? child : Node::Create(kBasicId);
}

}  // namespace

// --- Library ---

DllFile::Ptr DllFile::Open(const std::string& path) {
    Ptr file(new DllFile());
    file->path_ = path;
    if (IsUncPath(path)) return file;
    file->module_ = Platform::LoadModule(path);
    if (!file->module_) return file;
    file->info_ = reinterpret_cast<GetFunctionInfoProc>(
        Platform::FindSymbol(file->module_, "GetFunctionInfo"));
    file->byIndex_ = reinterpret_cast<GetFunctionByIndexProc>(
        Platform::FindSymbol(file->module_, "GetFunctionByIndex"));
    file->byName_ = reinterpret_cast<GetFunctionByNameProc>(
        Platform::FindSymbol(file->module_, "GetFunctionByName"));
    return file;
}

DllFile::~DllFile() {
    Platform::UnloadModule(module_);
}

DllFile::Ptr DllFile::Find(const std::string& path) {
    for (const Ptr& file : Cache())
        if (file->path_ == path) return file;
    Ptr file = Open(path);
    if (!file->IsValid()) return Ptr();
    Cache().push_back(file);
    return file;
}

SorixDll::FunctionObject* DllFile::NewFunction(const std::string& name) const {
    return byName_(name.c_str());
}

SorixDll::FunctionObject* DllFile::NewFunction(int index) const {
    return byIndex_(index);
}

Safe::XPtr<DllCapsule> DllFile::CreateCapsule(const std::string& path, const std::string& name) {
    Ptr file = Find(path);
    if (!file) return Safe::XPtr<DllCapsule>();
    return DllCapsule::Create(file, file->NewFunction(name));
}

std::vector<std::string> DllFile::GetFunctionNames(const std::string& path) {
    Ptr file = Find(path);
    if (!file) return {};
    const char* info = file->info_();
    return info ? SplitWords(info) : std::vector<std::string>();
}

std::vector<Safe::XPtr<DllCapsule>> DllFile::CreateAllCapsules(const std::string& path) {
    std::vector<Safe::XPtr<DllCapsule>> capsules;
    const std::vector<std::string> names = GetFunctionNames(path);
    Ptr file = names.empty() ? Ptr() : Find(path);
    if (!file) return capsules;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (auto capsule = DllCapsule::Create(file, file->NewFunction(static_cast<int>(i))))
            capsules.push_back(capsule);
    return capsules;
}

// --- Capsule ---

Safe::XPtr<DllCapsule> DllCapsule::Create(const DllFile::Ptr& file,
                                          SorixDll::FunctionObject* object) {
    if (!IsWellFormed(object)) {
        if (object) object->Release();
        return Safe::XPtr<DllCapsule>();
    }
    return Safe::XPtr<DllCapsule>(new DllCapsule(file, object));
}

DllCapsule::DllCapsule(const DllFile::Ptr& file, SorixDll::FunctionObject* object)
    : file_(file), functionName_(object->name), object_(object) {
    Identify(kDllCapsuleId, functionName_, kArityFixed);
    sourceKind_ = kUserCapsule;
    const auto n = static_cast<std::size_t>(object->argumentCount);
    buffers_.assign(n, SorixDll::ArgumentBuffer{0, nullptr});
    storage_.resize(n);
    childOf_.assign(n, -1);
    for (std::size_t i = 0; i < n; ++i) {
        const int kind = object->argumentKinds[i];
        std::size_t count = kind > 0 ? static_cast<std::size_t>(kind) : 0;
        if (kind <= SorixDll::kHiddenArgument) {
            hiddenIndex_ = static_cast<int>(i);
            count = 1;
        } else if (Node::Ptr child = ArgumentChild(kind)) {
            child->SetName(object->argumentNames[i]);
            if (object->defaults) child->SetValue(object->defaults[i], 0);
            childOf_[i] = ChildCount();
            AdoptChild(child);
            if (kind == SorixDll::kListArgument)
                count = static_cast<std::size_t>(child->ChildCount());
        }
        storage_[i].assign(count, Complex(0.0, 0.0));
        buffers_[i] = {static_cast<std::uint32_t>(count), storage_[i].data()};
    }
    values_.assign(static_cast<std::size_t>(object->resultCount), Complex(0.0, 0.0));
}

DllCapsule::~DllCapsule() {
    object_->Release();
}

void DllCapsule::FitBuffers() {
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        if (object_->argumentKinds[i] != SorixDll::kListArgument || childOf_[i] < 0) continue;
        const auto count = static_cast<std::size_t>(Child(childOf_[i])->ChildCount());
        if (count == storage_[i].size()) continue;
        storage_[i].assign(count, Complex(0.0, 0.0));
        buffers_[i] = {static_cast<std::uint32_t>(count), storage_[i].data()};
    }
}

void DllCapsule::Prepare(Node* parent) {
    Node::Prepare(parent);
    FitBuffers();
}

void DllCapsule::NotifyChanged() {
    FitBuffers();
    NotifyParent();
}

const Complex& DllCapsule::Evaluate() {
    FitBuffers();
    for (std::size_t i = 0; i < buffers_.size(); ++i) {
        if (childOf_[i] < 0) continue;
        Node* child = Child(childOf_[i]);
        if (!child) continue;
        child->Compute();
        // A child holds fewer values than the function reads: the rest stays zero.
        const std::vector<Complex>& from = child->GetValues();
        std::vector<Complex>& to = storage_[i];
        const std::size_t common = std::min(from.size(), to.size());
        std::copy_n(from.begin(), common, to.begin());
        std::fill(to.begin() + static_cast<std::ptrdiff_t>(common), to.end(), Complex(0.0, 0.0));
    }
    const SorixDll::Value* results = object_->Evaluate(buffers_.data());
    if (results)
        std::copy_n(results, values_.size(), values_.begin());
    else
        std::fill(values_.begin(), values_.end(), Complex(0.0, 0.0));
    return values_[0];
}

Node::Ptr DllCapsule::Clone() {
    SorixDll::FunctionObject* object = object_->Clone(file_->GetPath().c_str());
    if (!object) object = file_->NewFunction(functionName_);
    Safe::XPtr<DllCapsule> copy = Create(file_, object);
    if (!copy) return Ptr();
    for (int i = 0; i < std::min(ChildCount(), copy->ChildCount()); ++i) {
        if (Node::Ptr child = Child(i)->Clone()) copy->ReplaceChildAt(i, child);
        copy->Child(i)->SetName(Child(i)->Name());
    }
    copy->SetName(name_);
    return copy;
}

}  // namespace Core

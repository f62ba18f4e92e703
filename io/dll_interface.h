#pragma once
// The interface of a function library (DLL): what a library exports and the layout of the
// function objects it hands out. A library author includes this header and nothing else of the
// program. Everything here has the C layout of the platform the program is built for (pointers
// are 8 bytes on 64-bit Windows); the function object's first word points to its table of
// virtual operations, which hold exactly the three below, in this order.
#include <complex>
#include <cstdint>

namespace SorixDll {

using Value = std::complex<double>;

// Argument kinds.
enum ArgumentKind : int {
    kListArgument = -1,    // a tuple of any length; the buffer holds all of its values
    kHiddenArgument = -2,  // no child in the model; the buffer holds one value, set by the program
    kValueArgument = 1,    // a single value
    kPairArgument = 2,     // a tuple of two values
};

// The values of one argument, owned by the program and read by Evaluate.
struct ArgumentBuffer {
    std::uint32_t count;
    Value* values;
};

class FunctionObject {
public:
    // The results, resultCount of them, for the buffers of every argument in order. The array
    // stays the object's own and must stay valid until the next call.
    virtual const Value* Evaluate(const ArgumentBuffer* buffers) = 0;
    // A new object like this one; pathText is the library's path as a NUL-terminated text.
    virtual FunctionObject* Clone(const void* pathText) = 0;
    // Called once by the program when it no longer uses the object.
    virtual void Release() = 0;

    const char* name;
    int argumentCount;
    const char* const* argumentNames;  // argumentCount names
    const int* argumentKinds;          // argumentCount kinds
    const Value* defaults;             // argumentCount values, or null for none
    int resultCount;

protected:
    // Objects are let go through Release only.
    ~FunctionObject() = default;
};

}  // namespace SorixDll

#if defined(_WIN32)
#define SORIX_DLL_EXPORT extern "C" __declspec(dllexport)
#else
#define SORIX_DLL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The three exports a library provides, looked up by these names:
//   const char* GetFunctionInfo();                      names separated by blanks or commas
//   SorixDll::FunctionObject* GetFunctionByIndex(int);  a new object, index 0 to count - 1
//   SorixDll::FunctionObject* GetFunctionByName(const char*);
using GetFunctionInfoProc = const char* (*)();
using GetFunctionByIndexProc = SorixDll::FunctionObject* (*)(int);
using GetFunctionByNameProc = SorixDll::FunctionObject* (*)(const char*);

// Loads the Xtra library and reaches it only through its five exports, as
// Director does: DllGetClassInfo finds the class and its registration
// interface, a throw-away instance calls Register, the host reads the
// registered text back from its registry and numbers the methods itself,
// objects are made with the class form's size and create procedure, and
// methods go through the script interface's Call.
//
//   marlowhost::TestHost host;
//   marlowhost::XtraLoader loader(host);
//   if (!loader.Load(marlowhost::XtraLoader::DefaultLibraryName())) ... loader.FailureText()
//   MoaMmValue object;  loader.NewObject({}, &object);
//   MoaMmValue result;  loader.CallMethod(object, "OpenAudio", {arg}, &result);
//   loader.Forget(&object);
#pragma once
#include <map>
#include <string>
#include <vector>

#include "dynamic_library.h"
#include "host_objects.h"
#include "method_table.h"
#include "moa/com_ptr.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/moa_object.h"
#include "test_host.h"

namespace marlowhost {

enum class LoadFailure {
    None,
    LibraryNotFound,   // the library could not be opened
    ExportMissing,     // one of the five exports is not there
    ClassInfoRefused,  // DllGetClassInfo answered an error
    NoScriptClass,     // no class with both the registration and the script interface
    ClassFormRefused,  // DllGetClassForm answered an error
    RegisterFailed,    // the throw-away instance or Register failed
    NoMessageTable,    // Register put no msgTable for the class's script interface
};

struct XtraExports {
    DllGetClassObjectProc getClassObject = nullptr;
    DllCanUnloadNowProc canUnloadNow = nullptr;
    DllGetInterfaceProc getInterface = nullptr;
    DllGetClassFormProc getClassForm = nullptr;
    DllGetClassInfoProc getClassInfo = nullptr;
};

class XtraLoader {
public:
    explicit XtraLoader(TestHost& host) : host_(host) {}
    // Unload(); a library still in use is left loaded.
    ~XtraLoader();
    XtraLoader(const XtraLoader&) = delete;
    XtraLoader& operator=(const XtraLoader&) = delete;

    // "Marlowtide.so" on Linux, "Marlowtide.x32" on Windows.
    static std::string DefaultLibraryName();

    // Opens the library and registers its class; false with Failure() and FailureText().
    bool Load(const std::string& path);
    bool IsLoaded() const { return library_.IsOpen(); }
    LoadFailure Failure() const { return failure_; }
    const std::string& FailureText() const { return failureText_; }

    // What the host learnt at Load.
    const XtraExports& Exports() const { return exports_; }
    const std::vector<MoaClassInterfaceInfo>& ClassInfo() const { return classInfo_; }
    const XtraClass& Class() const { return class_; }
    MoaError RegisterResult() const { return registerResult_; }
    const std::string& MessageTable() const { return messageTable_; }
    // Whether the key was put, and its byte.
    bool HasSafeForShockwave() const { return hasSafeForShockwave_; }
    bool SafeForShockwave() const { return safeForShockwave_; }
    const MethodTable& Methods() const { return methods_; }
    const std::string& XtraName() const { return methods_.XtraName(); }

    // A new instance object, then `new` (method 0) with pArgs[0] the object
    // and the arguments after it (borrowed). *object is an object value with
    // the one reference; on failure it stays Void and the object goes.
    MoaError NewObject(const std::vector<MoaMmValue>& arguments, MoaMmValue* object);
    // Call with pArgs[0] the object; the result passes to the caller (Void
    // when the method writes none). An unknown name: kMoaMmErr_FunctionNotFound.
    MoaError CallMethod(const MoaMmValue& object, int method, const std::vector<MoaMmValue>& arguments,
                        MoaMmValue* result);
    MoaError CallMethod(const MoaMmValue& object, const std::string& name, const std::vector<MoaMmValue>& arguments,
                        MoaMmValue* result);
    // `forget` (method 1), then releases the value (left Void).
    MoaError Forget(MoaMmValue* object);

    MoaError CanUnloadNow() const;
    TestHost& Host() { return host_; }
    // Closes the library when DllCanUnloadNow answers 0; true when closed.
    bool Unload();

private:
    bool Fail(LoadFailure failure, const std::string& text);
    bool ResolveExports();
    bool ReadClassInfo();
    bool RegisterClass();
    bool ReadRegistration();

    TestHost& host_;
    DynamicLibrary library_;
    LoadFailure failure_ = LoadFailure::None;
    std::string failureText_;
    XtraExports exports_;
    std::vector<MoaClassInterfaceInfo> classInfo_;
    XtraClass class_;
    MoaError registerResult_ = kMoaErr_NoErr;
    std::string messageTable_;
    bool hasSafeForShockwave_ = false;
    bool safeForShockwave_ = false;
    MethodTable methods_;
    // Like Director, one script interface per object, asked for once and
    // kept until the object is forgotten: the Xtra may hold on to it.
    std::map<IMoaUnknown*, ComPtr<IMoaMmXScript>> scripts_;

    IMoaMmXScript* ScriptInterfaceOf(IMoaUnknown* instance, MoaError* answer);
    void DropScriptInterface(const MoaMmValue& object);
};

}  // namespace marlowhost

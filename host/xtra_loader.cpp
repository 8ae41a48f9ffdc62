#include "xtra_loader.h"

#include "moa/com_ptr.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_register.h"
#include "result_code_text.h"

namespace marlowhost {

namespace {

// More records than any Xtra declares: a table without terminator stops here.
constexpr size_t kMaxClassInfoRecords = 256;

bool IsTerminator(const MoaClassInterfaceInfo& record) {
    return MoaEqualID(record.classID, IID_NULL_MOA) && MoaEqualID(record.interfaceID, IID_NULL_MOA);
}

template <typename Proc>
bool Resolve(const DynamicLibrary& library, const char* name, Proc* proc) {
    *proc = reinterpret_cast<Proc>(library.Symbol(name));
    return *proc != nullptr;
}

}  // namespace

XtraLoader::~XtraLoader() {
    scripts_.clear();
    if (IsLoaded() && !Unload()) {
        // The host still holds references into the library: keep its code.
        library_.Abandon();
    }
}

std::string XtraLoader::DefaultLibraryName() {
#if defined(_WIN32)
    return "Marlowtide.x32";
#else
    return "Marlowtide.so";
#endif
}

bool XtraLoader::Fail(LoadFailure failure, const std::string& text) {
    failure_ = failure;
    failureText_ = text;
    return false;
}

bool XtraLoader::Load(const std::string& path) {
    if (IsLoaded() && !Unload()) {
        library_.Abandon();
    }
    failure_ = LoadFailure::None;
    failureText_.clear();
    if (!library_.Open(path)) {
        return Fail(LoadFailure::LibraryNotFound, "library not found: " + path + " (" + library_.Error() + ")");
    }
    return ResolveExports() && ReadClassInfo() && RegisterClass() && ReadRegistration();
}

bool XtraLoader::ResolveExports() {
    const char* missing = nullptr;
    if (!Resolve(library_, "DllGetClassInfo", &exports_.getClassInfo)) {
        missing = "DllGetClassInfo";
    } else if (!Resolve(library_, "DllGetClassForm", &exports_.getClassForm)) {
        missing = "DllGetClassForm";
    } else if (!Resolve(library_, "DllGetInterface", &exports_.getInterface)) {
        missing = "DllGetInterface";
    } else if (!Resolve(library_, "DllCanUnloadNow", &exports_.canUnloadNow)) {
        missing = "DllCanUnloadNow";
    } else if (!Resolve(library_, "DllGetClassObject", &exports_.getClassObject)) {
        missing = "DllGetClassObject";
    }
    if (missing != nullptr) {
        return Fail(LoadFailure::ExportMissing, std::string("export missing: ") + missing);
    }
    return true;
}

bool XtraLoader::ReadClassInfo() {
    MoaClassInterfaceInfo* records = nullptr;
    MoaError answered = exports_.getClassInfo(host_.Calloc(), &records);
    if (answered != kMoaErr_NoErr || records == nullptr) {
        return Fail(LoadFailure::ClassInfoRefused, "DllGetClassInfo answered " + ResultCodeText(answered));
    }
    classInfo_.clear();
    for (size_t i = 0; i < kMaxClassInfoRecords && !IsTerminator(records[i]); ++i) {
        classInfo_.push_back(records[i]);
    }
    // The array is in the host's memory; the host gives it back.
    host_.Calloc()->NRFree(records);

    for (const MoaClassInterfaceInfo& candidate : classInfo_) {
        bool registers = false;
        bool scripts = false;
        for (const MoaClassInterfaceInfo& record : classInfo_) {
            if (MoaEqualID(record.classID, candidate.classID)) {
                registers = registers || MoaEqualID(record.interfaceID, IID_IMoaRegister);
                scripts = scripts || MoaEqualID(record.interfaceID, IID_IMoaMmXScript);
            }
        }
        if (registers && scripts) {
            class_.classID = candidate.classID;
            class_.getInterface = exports_.getInterface;
            MoaError form = exports_.getClassForm(&class_.classID, &class_.objectSize, &class_.create, &class_.destroy);
            if (form != kMoaErr_NoErr) {
                return Fail(LoadFailure::ClassFormRefused, "DllGetClassForm answered " + ResultCodeText(form));
            }
            return true;
        }
    }
    return Fail(LoadFailure::NoScriptClass, "no class with a registration and a script interface");
}

bool XtraLoader::RegisterClass() {
    IMoaUnknown* object = nullptr;
    MoaError made = host_.Objects().Create(class_, &object);
    if (made != kMoaErr_NoErr) {
        return Fail(LoadFailure::RegisterFailed, "the registering instance was refused: " + ResultCodeText(made));
    }
    ComPtr<IMoaRegister> registration;
    MoaError asked = object->QueryInterface(&IID_IMoaRegister, registration.OutVoid());
    if (asked == kMoaErr_NoErr && registration) {
        registerResult_ = registration->Register(&host_.Registry(), &host_.Registry().XtraDictionary());
    }
    registration.Reset();
    object->Release();
    if (asked != kMoaErr_NoErr) {
        return Fail(LoadFailure::RegisterFailed, "no registration interface: " + ResultCodeText(asked));
    }
    if (registerResult_ != kMoaErr_NoErr) {
        return Fail(LoadFailure::RegisterFailed, "Register answered " + ResultCodeText(registerResult_));
    }
    return true;
}

bool XtraLoader::ReadRegistration() {
    const RegistryDictionary* entry = host_.Registry().Find(class_.classID, IID_IMoaMmXScript);
    if (entry == nullptr || !entry->Text(kMoaMmDictKey_MessageTable, &messageTable_)) {
        return Fail(LoadFailure::NoMessageTable, "Register put no msgTable for the script interface");
    }
    const DictEntry* safe = entry->Find(kMoaMmDictKey_SafeForShockwave);
    hasSafeForShockwave_ = safe != nullptr && safe->type == kMoaDictType_Bool && !safe->data.empty();
    safeForShockwave_ = hasSafeForShockwave_ && safe->data[0] != 0;
    methods_ = MethodTable::FromRegistrationText(messageTable_);
    return true;
}

MoaError XtraLoader::NewObject(const std::vector<MoaMmValue>& arguments, MoaMmValue* object) {
    if (object == nullptr) {
        return kMoaErr_BadParam;
    }
    *object = ValueStore::Void();
    if (!IsLoaded()) {
        return kMoaErr_BadClass;
    }
    IMoaUnknown* instance = nullptr;
    MoaError made = host_.Objects().Create(class_, &instance);
    if (made != kMoaErr_NoErr) {
        return made;
    }
    // The value holds the object from here on.
    MoaMmValue value = host_.Store().MakeObject(instance, XtraName());
    instance->Release();
    MoaMmValue result = ValueStore::Void();
    MoaError answered = CallMethod(value, 0, arguments, &result);
    host_.Store().Release(result);
    if (answered != kMoaErr_NoErr) {
        DropScriptInterface(value);
        host_.Store().Release(value);
        return answered;
    }
    *object = value;
    return kMoaErr_NoErr;
}

MoaError XtraLoader::CallMethod(const MoaMmValue& object, int method, const std::vector<MoaMmValue>& arguments,
                                MoaMmValue* result) {
    if (result != nullptr) {
        *result = ValueStore::Void();
    }
    IMoaUnknown* instance = host_.Store().Object(object);
    if (instance == nullptr) {
        return kMoaErr_BadParam;
    }
    MoaError asked = kMoaErr_NoErr;
    IMoaMmXScript* script = ScriptInterfaceOf(instance, &asked);
    if (script == nullptr) {
        return asked;
    }
    std::vector<MoaMmValue> passed;
    passed.reserve(arguments.size() + 1);
    passed.push_back(object);
    passed.insert(passed.end(), arguments.begin(), arguments.end());
    MoaMmCallInfo call = {};
    call.xinst = instance;
    call.methodSelector = method;
    call.resultValue = ValueStore::Void();
    call.nargs = static_cast<MoaLong>(passed.size());
    call.pArgs = passed.data();
    MoaError answered = script->Call(&call);
    if (result != nullptr) {
        *result = call.resultValue;
    } else {
        host_.Store().Release(call.resultValue);
    }
    return answered;
}

MoaError XtraLoader::CallMethod(const MoaMmValue& object, const std::string& name,
                                const std::vector<MoaMmValue>& arguments, MoaMmValue* result) {
    int method = methods_.Find(name);
    if (method < 0) {
        if (result != nullptr) {
            *result = ValueStore::Void();
        }
        return kMoaMmErr_FunctionNotFound;
    }
    return CallMethod(object, method, arguments, result);
}

MoaError XtraLoader::Forget(MoaMmValue* object) {
    if (object == nullptr) {
        return kMoaErr_BadParam;
    }
    MoaError answered = CallMethod(*object, 1, {}, nullptr);
    DropScriptInterface(*object);
    host_.Store().Release(*object);
    *object = ValueStore::Void();
    return answered;
}

IMoaMmXScript* XtraLoader::ScriptInterfaceOf(IMoaUnknown* instance, MoaError* answer) {
    auto known = scripts_.find(instance);
    if (known != scripts_.end()) {
        return known->second.Get();
    }
    ComPtr<IMoaMmXScript> script;
    *answer = instance->QueryInterface(&IID_IMoaMmXScript, script.OutVoid());
    if (*answer != kMoaErr_NoErr || !script) {
        if (*answer == kMoaErr_NoErr) {
            *answer = kMoaErr_BadInterface;
        }
        return nullptr;
    }
    return scripts_.emplace(instance, std::move(script)).first->second.Get();
}

void XtraLoader::DropScriptInterface(const MoaMmValue& object) {
    scripts_.erase(host_.Store().Object(object));
}

MoaError XtraLoader::CanUnloadNow() const {
    return exports_.canUnloadNow == nullptr ? kMoaErr_BadParam : exports_.canUnloadNow();
}

bool XtraLoader::Unload() {
    if (!IsLoaded()) {
        return true;
    }
    if (CanUnloadNow() != kMoaErr_NoErr) {
        return false;
    }
    library_.Close();
    exports_ = XtraExports();
    return true;
}

}  // namespace marlowhost

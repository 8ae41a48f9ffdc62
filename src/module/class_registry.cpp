#include "module/class_registry.h"

#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_notification.h"
#include "moa/imoa_register.h"
#include "module/interfaces.h"
#include "script/script_operations.h"

namespace module {

int32_t moduleLockCount = 0;

namespace {

struct ClassEntry {
    MoaClassID classID;
    MoaLong classVersion;
    MoaCreatedProc create;
    MoaDestroyedProc destroy;
};

struct InterfaceEntry {
    MoaInterfaceID interfaceID;
    MoaLong interfaceVersion;
    MakeInterfaceProc make;
};

const ClassEntry kClass = {kMarlowtideClassID, kMarlowtideClassVersion, script::CreateInstance,
                           script::DestroyInstance};

// Registry order is the order of enumeration and of the class-information records.
const InterfaceEntry kInterfaces[] = {
    {IID_IMoaRegister, kInterfaceVersion, MakeRegistrationInterface},
    {IID_IMoaMmXScript, kInterfaceVersion, MakeScriptInterface},
    {IID_IMoaNotificationClient, kInterfaceVersion, MakeNotificationClientInterface},
};

bool IsOurClassOrAny(const MoaClassID* classID) {
    return classID == nullptr || MoaEqualID(*classID, kClass.classID);
}

// Counts the records on the first walk, fills them on the second.
struct ClassInfoContext {
    MoaClassInterfaceInfo* records = nullptr;
    int32_t count = 0;
};

void CountOrFill(ClassInfoContext* info, const MoaClassID& classID, MoaLong classVersion,
                 const MoaInterfaceID& interfaceID, MoaLong interfaceVersion) {
    if (info->records != nullptr) {
        MoaClassInterfaceInfo& record = info->records[info->count];
        record.classID = classID;
        record.classVersion = classVersion;
        record.interfaceID = interfaceID;
        record.interfaceVersion = interfaceVersion;
    }
    ++info->count;
}

MoaError VisitClassForInfo(const MoaClassID& classID, MoaLong classVersion, MoaLong, MoaCreatedProc,
                           MoaDestroyedProc, void* context) {
    constexpr MoaLong kClassFactoryVersion = 1;
    CountOrFill(static_cast<ClassInfoContext*>(context), classID, classVersion, IID_IMoaClassFactory,
                kClassFactoryVersion);
    return 0;
}

MoaError VisitInterfaceForInfo(const MoaClassID& classID, MoaLong classVersion, const MoaInterfaceID& interfaceID,
                               MoaLong interfaceVersion, MakeInterfaceProc, void* context) {
    CountOrFill(static_cast<ClassInfoContext*>(context), classID, classVersion, interfaceID, interfaceVersion);
    return 0;
}

struct InterfaceSearch {
    const MoaInterfaceID* wanted;
    MakeInterfaceProc make = nullptr;
};

MoaError MatchInterface(const MoaClassID&, MoaLong, const MoaInterfaceID& interfaceID, MoaLong,
                        MakeInterfaceProc make, void* context) {
    auto* search = static_cast<InterfaceSearch*>(context);
    if (!MoaEqualID(*search->wanted, interfaceID)) {
        return 0;
    }
    search->make = make;
    return 1;
}

}  // namespace

MoaError EnumerateRegistry(const MoaClassID* classID, ClassVisitor classVisitor,
                           InterfaceVisitor interfaceVisitor, void* context) {
    if (!IsOurClassOrAny(classID)) {
        return 0;
    }
    if (classVisitor != nullptr) {
        const MoaError answer = classVisitor(kClass.classID, kClass.classVersion, script::InstanceObjectSize(),
                                             kClass.create, kClass.destroy, context);
        if (answer != 0) {
            return answer;
        }
    }
    if (interfaceVisitor != nullptr) {
        for (const InterfaceEntry& entry : kInterfaces) {
            const MoaError answer = interfaceVisitor(kClass.classID, kClass.classVersion, entry.interfaceID,
                                                     entry.interfaceVersion, entry.make, context);
            if (answer != 0) {
                return answer;
            }
        }
    }
    return 0;
}

MoaError LookUpClassForm(const MoaClassID* classID, MoaLong* objectSize, MoaCreatedProc* create,
                      MoaDestroyedProc* destroy) {
    if (!IsOurClassOrAny(classID)) {
        return kMoaErr_BadClass;
    }
    *objectSize = script::InstanceObjectSize();
    *create = kClass.create;
    *destroy = kClass.destroy;
    return kMoaErr_NoErr;
}

MoaError BuildClassInfo(IMoaCalloc* allocator, MoaClassInterfaceInfo** records) {
    ClassInfoContext counting;
    EnumerateRegistry(nullptr, VisitClassForInfo, VisitInterfaceForInfo, &counting);

    const MoaUlong bytes = static_cast<MoaUlong>(counting.count + 1) * sizeof(MoaClassInterfaceInfo);
    *records = static_cast<MoaClassInterfaceInfo*>(allocator->NRAlloc(bytes));
    if (*records == nullptr) {
        return kMoaErr_OutOfMem;
    }

    ClassInfoContext filling;
    filling.records = *records;
    EnumerateRegistry(nullptr, VisitClassForInfo, VisitInterfaceForInfo, &filling);
    // The host stops at the record whose IDs are zero; its versions stay as allocated.
    filling.records[filling.count].classID = IID_NULL_MOA;
    filling.records[filling.count].interfaceID = IID_NULL_MOA;
    return kMoaErr_NoErr;
}

MoaError MakeInterface(void* object, const MoaClassID* classID, const MoaInterfaceID* interfaceID, void** out) {
    InterfaceSearch search{interfaceID};
    EnumerateRegistry(classID, nullptr, MatchInterface, &search);
    if (search.make == nullptr) {
        return kMoaErr_BadInterface;
    }
    return search.make(static_cast<InstanceObject*>(object), out);
}

}  // namespace module

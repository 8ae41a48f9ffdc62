// The Xtra's one class, its three interfaces, and the walk over them that
// the exports share.
#pragma once

#include <cstdint>

#include "moa/moa_object.h"

struct InstanceObject;

namespace module {

// {240D2B9F-A91D-45D6-AD86-A6B00B36CBEF}: the product's identity, also the
// key of its registry entry.
inline constexpr MoaClassID kMarlowtideClassID = {
    0x240D2B9F, 0xA91D, 0x45D6, {0xAD, 0x86, 0xA6, 0xB0, 0x0B, 0x36, 0xCB, 0xEF}};
inline constexpr MoaLong kMarlowtideClassVersion = 0x01000C40;
inline constexpr MoaLong kInterfaceVersion = 0x01000C40;

// Interface objects alive in the process; the library may go when it is 0.
extern int32_t moduleLockCount;

using MakeInterfaceProc = MoaError (*)(InstanceObject* owner, void** out);

using ClassVisitor = MoaError (*)(const MoaClassID& classID, MoaLong classVersion, MoaLong instanceSize,
                                  MoaCreatedProc create, MoaDestroyedProc destroy, void* context);
using InterfaceVisitor = MoaError (*)(const MoaClassID& classID, MoaLong classVersion,
                                      const MoaInterfaceID& interfaceID, MoaLong interfaceVersion,
                                      MakeInterfaceProc make, void* context);

// Visits the class, then its interfaces in registry order, until a visitor
// answers non-zero; that answer is the result. A class ID other than ours
// (null means any) visits nothing and answers 0. Either visitor may be null.
MoaError EnumerateRegistry(const MoaClassID* classID, ClassVisitor classVisitor,
                           InterfaceVisitor interfaceVisitor, void* context);

// The work behind DllGetClassForm, DllGetClassInfo and DllGetInterface.
MoaError LookUpClassForm(const MoaClassID* classID, MoaLong* objectSize, MoaCreatedProc* create,
                      MoaDestroyedProc* destroy);
MoaError BuildClassInfo(IMoaCalloc* allocator, MoaClassInterfaceInfo** records);
MoaError MakeInterface(void* object, const MoaClassID* classID, const MoaInterfaceID* interfaceID, void** out);

}  // namespace module

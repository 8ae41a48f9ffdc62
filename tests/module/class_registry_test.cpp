// The exports as the host uses them, against the statically linked core.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_host_object.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_notification.h"
#include "moa/imoa_register.h"
#include "module/class_registry.h"
#include "module/exports.h"

namespace {

using module_test::FakeCalloc;
using module_test::FakeInstance;

constexpr MoaClassID kOtherClassID = {0x240D2B9F, 0xA91D, 0x45D6, {0xAD, 0x86, 0xA6, 0xB0, 0x0B, 0x36, 0xCB, 0xEE}};
constexpr MoaInterfaceID kUnknownInterfaceID = {0x12345678, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

void* const kUntouched = reinterpret_cast<void*>(0x5A5A5A5A);

TEST(ClassForm, NullAndOwnClassIdAnswerTheOneClass) {
    for (const MoaClassID* classID : {static_cast<const MoaClassID*>(nullptr), &module::kMarlowtideClassID}) {
        MoaLong size = 0;
        MoaCreatedProc create = nullptr;
        MoaDestroyedProc destroy = nullptr;
        EXPECT_EQ(DllGetClassForm(classID, &size, &create, &destroy), kMoaErr_NoErr);
        EXPECT_EQ(size, script::InstanceObjectSize());
        EXPECT_EQ(create, &script::CreateInstance);
        EXPECT_EQ(destroy, &script::DestroyInstance);
    }
}

TEST(ClassForm, OtherClassIdWritesNothing) {
    MoaLong size = 77;
    auto create = reinterpret_cast<MoaCreatedProc>(kUntouched);
    auto destroy = reinterpret_cast<MoaDestroyedProc>(kUntouched);
    EXPECT_EQ(DllGetClassForm(&kOtherClassID, &size, &create, &destroy), kMoaErr_BadClass);
    EXPECT_EQ(size, 77);
    EXPECT_EQ(reinterpret_cast<void*>(create), kUntouched);
    EXPECT_EQ(reinterpret_cast<void*>(destroy), kUntouched);
}

TEST(ClassForm, ClassObjectsAreNeverOffered) {
    void* out = kUntouched;
    EXPECT_EQ(DllGetClassObject(&module::kMarlowtideClassID, &IID_IMoaClassFactory, &out), kMoaErr_BadClass);
    EXPECT_EQ(DllGetClassObject(nullptr, &IID_IMoaUnknown, &out), kMoaErr_BadClass);
    EXPECT_EQ(out, kUntouched);
}

bool SameBytes(const MoaID& id, const MoaID& expected) { return std::memcmp(&id, &expected, sizeof(MoaID)) == 0; }

TEST(ClassInfo, FiveRecordsInRegistryOrderEndingWithZeroIds) {
    FakeCalloc allocator;
    MoaClassInterfaceInfo* records = nullptr;
    ASSERT_EQ(DllGetClassInfo(&allocator, &records), kMoaErr_NoErr);
    ASSERT_NE(records, nullptr);
    ASSERT_EQ(allocator.requestedSizes.size(), 1u);
    EXPECT_EQ(allocator.requestedSizes[0], 5u * 40u);

    const MoaInterfaceID expectedInterfaces[] = {IID_IMoaClassFactory, IID_IMoaRegister, IID_IMoaMmXScript,
                                                 IID_IMoaNotificationClient};
    const MoaLong expectedVersions[] = {1, 0x01000C40, 0x01000C40, 0x01000C40};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(SameBytes(records[i].classID, module::kMarlowtideClassID));
        EXPECT_EQ(records[i].classVersion, 0x01000C40);
        EXPECT_TRUE(SameBytes(records[i].interfaceID, expectedInterfaces[i]));
        EXPECT_EQ(records[i].interfaceVersion, expectedVersions[i]);
    }
    EXPECT_TRUE(SameBytes(records[4].classID, IID_NULL_MOA));
    EXPECT_TRUE(SameBytes(records[4].interfaceID, IID_NULL_MOA));
    // The versions of the terminator are as the (zero-filling) allocator left them.
    EXPECT_EQ(records[4].classVersion, 0);
    EXPECT_EQ(records[4].interfaceVersion, 0);
}

TEST(ClassInfo, RecordBytesAreLittleEndianAndPacked) {
    FakeCalloc allocator;
    MoaClassInterfaceInfo* records = nullptr;
    ASSERT_EQ(DllGetClassInfo(&allocator, &records), kMoaErr_NoErr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(records);
    // Second record: the registration interface {AC3E7803-0002-8FE5-0000-080007160DC3}, version 0x01000C40.
    const unsigned char registration[] = {0x03, 0x78, 0x3E, 0xAC, 0x02, 0x00, 0xE5, 0x8F,
                                          0x00, 0x00, 0x08, 0x00, 0x07, 0x16, 0x0D, 0xC3};
    EXPECT_EQ(std::memcmp(bytes + 40 + 20, registration, sizeof registration), 0);
    const unsigned char version[] = {0x40, 0x0C, 0x00, 0x01};
    EXPECT_EQ(std::memcmp(bytes + 40 + 16, version, 4), 0);
    EXPECT_EQ(std::memcmp(bytes + 40 + 36, version, 4), 0);
}

TEST(ClassInfo, AllocationFailureAnswersOutOfMemoryWithNullArray) {
    FakeCalloc allocator;
    allocator.failAlways = true;
    auto* records = static_cast<MoaClassInterfaceInfo*>(kUntouched);
    EXPECT_EQ(DllGetClassInfo(&allocator, &records), kMoaErr_OutOfMem);
    EXPECT_EQ(records, nullptr);
}

TEST(Enumeration, ClassVisitorAnswerStopsBeforeTheInterfaces) {
    int interfacesSeen = 0;
    const auto stopAtClass = [](const MoaClassID&, MoaLong, MoaLong, MoaCreatedProc, MoaDestroyedProc,
                                void*) -> MoaError { return 7; };
    const auto countInterface = [](const MoaClassID&, MoaLong, const MoaInterfaceID&, MoaLong,
                                   module::MakeInterfaceProc, void* context) -> MoaError {
        ++*static_cast<int*>(context);
        return 0;
    };
    EXPECT_EQ(module::EnumerateRegistry(nullptr, stopAtClass, countInterface, &interfacesSeen), 7);
    EXPECT_EQ(interfacesSeen, 0);
    EXPECT_EQ(module::EnumerateRegistry(&kOtherClassID, nullptr, countInterface, &interfacesSeen), 0);
    EXPECT_EQ(interfacesSeen, 0);
    EXPECT_EQ(module::EnumerateRegistry(&module::kMarlowtideClassID, nullptr, countInterface, &interfacesSeen), 0);
    EXPECT_EQ(interfacesSeen, 3);
}

TEST(GetInterface, UnknownClassOrInterfaceLeavesOutUntouched) {
    FakeInstance instance;
    void* out = kUntouched;
    EXPECT_EQ(DllGetInterface(instance.Object(), &kOtherClassID, &IID_IMoaRegister, &out), kMoaErr_BadInterface);
    EXPECT_EQ(DllGetInterface(instance.Object(), nullptr, &kUnknownInterfaceID, &out), kMoaErr_BadInterface);
    // The instance's own IMoaUnknown is the host's, not one of the class's interfaces.
    EXPECT_EQ(DllGetInterface(instance.Object(), nullptr, &IID_IMoaUnknown, &out), kMoaErr_BadInterface);
    EXPECT_EQ(out, kUntouched);
    EXPECT_EQ(instance.RefCount(), 1);
    EXPECT_TRUE(instance.calloc.requestedSizes.empty());
}

}  // namespace

// Interface objects: their layout, reference counting on the owner, the
// module lock count, and allocation failure.
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "fake_host_object.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_notification.h"
#include "moa/imoa_register.h"
#include "module/exports.h"

namespace {

using module_test::FakeInstance;

const MoaInterfaceID* const kClassInterfaces[] = {&IID_IMoaRegister, &IID_IMoaMmXScript, &IID_IMoaNotificationClient};

IMoaUnknown* Make(FakeInstance& instance, const MoaInterfaceID& iid) {
    void* out = nullptr;
    EXPECT_EQ(DllGetInterface(instance.Object(), nullptr, &iid, &out), kMoaErr_NoErr);
    return static_cast<IMoaUnknown*>(out);
}

class InterfaceObjectTest : public ::testing::TestWithParam<const MoaInterfaceID*> {
protected:
    void SetUp() override { ASSERT_EQ(DllCanUnloadNow(), kMoaErr_NoErr) << "an earlier test left an interface"; }
    FakeInstance instance;
};

TEST_P(InterfaceObjectTest, LaidOutAsOperationsOwnerCount) {
    IMoaUnknown* object = Make(instance, *GetParam());
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(instance.calloc.live.count(object), 1u) << "lives in the owner's allocator";

    const auto* bytes = reinterpret_cast<const unsigned char*>(object);
    void* owner = nullptr;
    int32_t count = 0;
    std::memcpy(&owner, bytes + sizeof(void*), sizeof owner);
    std::memcpy(&count, bytes + 2 * sizeof(void*), sizeof count);
    EXPECT_EQ(owner, instance.Object());
    EXPECT_EQ(count, 1);
    EXPECT_EQ(object->AddRef(), 2u);
    std::memcpy(&count, bytes + 2 * sizeof(void*), sizeof count);
    EXPECT_EQ(count, 2);

    object->Release();
    object->Release();
}

TEST_P(InterfaceObjectTest, QueryInterfaceAnswersAsTheInstance) {
    IMoaUnknown* object = Make(instance, *GetParam());
    int sentinel = 0;
    instance.Header().queryAnswer = static_cast<MoaError>(0x80040123);
    instance.Header().queryResult = &sentinel;

    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(&IID_IMoaNotificationClient, &out), static_cast<MoaError>(0x80040123));
    EXPECT_EQ(out, &sentinel);
    EXPECT_EQ(instance.Header().askedID, &IID_IMoaNotificationClient);
    EXPECT_EQ(instance.Header().askedOut, &out);
    object->Release();
}

TEST_P(InterfaceObjectTest, OneMakeAndOneReleaseLeaveTheOwnerAsItWas) {
    const MoaLong before = instance.RefCount();
    IMoaUnknown* object = Make(instance, *GetParam());
    EXPECT_EQ(instance.RefCount(), before + 2);
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_XtraInUse);

    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(instance.RefCount(), before);
    EXPECT_TRUE(instance.calloc.live.empty()) << "freed through the owner's allocator";
    EXPECT_EQ(instance.calloc.foreignFrees, 0);
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_NoErr);
}

TEST_P(InterfaceObjectTest, EachReferenceHoldsOneOnTheOwner) {
    const MoaLong before = instance.RefCount();
    IMoaUnknown* object = Make(instance, *GetParam());
    EXPECT_EQ(object->AddRef(), 2u);
    EXPECT_EQ(object->AddRef(), 3u);
    EXPECT_EQ(instance.RefCount(), before + 4);

    EXPECT_EQ(object->Release(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(instance.RefCount(), before + 2);
    EXPECT_FALSE(instance.calloc.live.empty()) << "still referenced";
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_XtraInUse);

    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(instance.RefCount(), before);
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_NoErr);
}

TEST_P(InterfaceObjectTest, AllocationFailureChangesNoCount) {
    instance.calloc.failAlways = true;
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(DllGetInterface(instance.Object(), nullptr, GetParam(), &out), kMoaErr_OutOfMem);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(instance.RefCount(), 1);
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_NoErr);
}

std::string InterfaceName(const ::testing::TestParamInfo<const MoaInterfaceID*>& info) {
    const char* const names[] = {"Registration", "Script", "NotificationClient"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(EveryInterface, InterfaceObjectTest, ::testing::ValuesIn(kClassInterfaces), InterfaceName);

TEST(InterfaceObject, ObjectsOfOneInstanceAreCountedTogether) {
    FakeInstance instance;
    IMoaUnknown* registration = Make(instance, IID_IMoaRegister);
    IMoaUnknown* script = Make(instance, IID_IMoaMmXScript);
    EXPECT_NE(registration, script);
    EXPECT_EQ(instance.RefCount(), 5);

    registration->Release();
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_XtraInUse) << "the script interface still exists";
    script->Release();
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_NoErr);
    EXPECT_EQ(instance.RefCount(), 1);
}

// The new-handler is process-wide; each test puts back what it found.
class NewHandlerTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = std::get_new_handler(); }
    void TearDown() override { std::set_new_handler(previous_); }

    static int handlerCalls;

private:
    std::new_handler previous_ = nullptr;
};
int NewHandlerTest::handlerCalls = 0;

TEST_F(NewHandlerTest, AllocationIsRetriedAfterTheHandlerMakesRoom) {
    FakeInstance instance;
    instance.calloc.failuresToCome = 2;
    handlerCalls = 0;
    std::set_new_handler([] { ++handlerCalls; });

    IMoaUnknown* object = Make(instance, IID_IMoaMmXScript);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(handlerCalls, 2);
    EXPECT_EQ(instance.calloc.requestedSizes.size(), 3u);
    object->Release();
}

TEST_F(NewHandlerTest, AHandlerThatGivesUpAnswersOutOfMemoryWithoutThrowing) {
    FakeInstance instance;
    instance.calloc.failAlways = true;
    handlerCalls = 0;
    std::set_new_handler([] {
        ++handlerCalls;
        throw std::bad_alloc();
    });

    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(DllGetInterface(instance.Object(), nullptr, &IID_IMoaRegister, &out), kMoaErr_OutOfMem);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_EQ(instance.RefCount(), 1);
    EXPECT_EQ(DllCanUnloadNow(), kMoaErr_NoErr);
}

TEST(FakeHeader, MatchesTheHostLayout) {
    FakeInstance instance;
    MoaObjectHeader& header = instance.Object()->header;
    EXPECT_EQ(static_cast<void*>(&header.pCalloc), static_cast<void*>(&instance.Header().pCalloc));
    EXPECT_EQ(static_cast<void*>(&header.refCount), static_cast<void*>(&instance.Header().refCount));
    EXPECT_EQ(static_cast<void*>(header.AsUnknown()), static_cast<IMoaUnknown*>(&instance.Header()));
}

}  // namespace

// Instance objects as the host makes, counts and frees them.
#include <gtest/gtest.h>

#include "test_host.h"

namespace {

using marlowhost::HostObjects;
using marlowhost::TestHost;
using marlowhost::XtraClass;

constexpr MoaClassID kClass = {0x0BADC0DE, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
constexpr MoaInterfaceID kOwnInterface = {0x5EED5EED, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};

struct Instance {
    MoaObjectHeader header;
    int32_t created;
    int32_t marker;
};

int destroyed = 0;
MoaError createAnswer = kMoaErr_NoErr;

MoaError MOA_STDCALL CreateInstance(void* object) {
    static_cast<Instance*>(object)->created = 1;
    return createAnswer;
}
void MOA_STDCALL DestroyInstance(void*) { ++destroyed; }

// An interface holding one reference on its object, as the Xtra's do.
struct OwnInterface final : IMoaUnknown {
    explicit OwnInterface(IMoaUnknown* object) : object(object) { object->AddRef(); }
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override {
        return object->QueryInterface(iid, out);
    }
    MoaUlong MOA_STDCALL AddRef() override { return ++count; }
    MoaUlong MOA_STDCALL Release() override {
        MoaUlong left = --count;
        IMoaUnknown* owner = object;
        if (left == 0) {
            delete this;
        }
        owner->Release();
        return left;
    }
    IMoaUnknown* object;
    MoaUlong count = 1;
};

const MoaClassID* askedClass = nullptr;

MoaError MOA_STDCALL GetInterface(void* object, const MoaClassID* classID, const MoaInterfaceID* iid, void** out) {
    askedClass = classID;
    if (!MoaEqualID(*iid, kOwnInterface)) {
        return kMoaErr_BadInterface;
    }
    *out = new OwnInterface(static_cast<IMoaUnknown*>(object));
    return kMoaErr_NoErr;
}

XtraClass SampleClass() {
    XtraClass xtraClass;
    xtraClass.classID = kClass;
    xtraClass.objectSize = sizeof(Instance);
    xtraClass.create = CreateInstance;
    xtraClass.destroy = DestroyInstance;
    xtraClass.getInterface = GetInterface;
    return xtraClass;
}

class HostObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        destroyed = 0;
        createAnswer = kMoaErr_NoErr;
    }
    TestHost host;
};

TEST_F(HostObjectsTest, TheHeaderIsFilledBeforeCreateRuns) {
    IMoaUnknown* object = nullptr;
    ASSERT_EQ(host.Objects().Create(SampleClass(), &object), kMoaErr_NoErr);
    auto* instance = reinterpret_cast<Instance*>(object);
    EXPECT_EQ(static_cast<void*>(&instance->header), static_cast<void*>(object));
    EXPECT_EQ(instance->header.pCallback, host.Callback());
    EXPECT_EQ(instance->header.pCalloc, host.Calloc());
    ASSERT_NE(instance->header.pClassID, nullptr);
    EXPECT_TRUE(MoaEqualID(*instance->header.pClassID, kClass));
    EXPECT_EQ(instance->header.refCount, 1);
    EXPECT_EQ(instance->created, 1);
    EXPECT_EQ(instance->marker, 0);
    object->Release();
}

TEST_F(HostObjectsTest, InterfacesComeFromTheClassAndHoldTheObject) {
    IMoaUnknown* object = nullptr;
    ASSERT_EQ(host.Objects().Create(SampleClass(), &object), kMoaErr_NoErr);
    void* own = nullptr;
    ASSERT_EQ(object->QueryInterface(&kOwnInterface, &own), kMoaErr_NoErr);
    EXPECT_EQ(askedClass, HostObjects::Header(object)->pClassID);
    EXPECT_EQ(HostObjects::Header(object)->refCount, 2);

    void* unknown = nullptr;
    ASSERT_EQ(static_cast<IMoaUnknown*>(own)->QueryInterface(&IID_IMoaUnknown, &unknown), kMoaErr_NoErr);
    EXPECT_EQ(unknown, object);
    object->Release();

    const MoaInterfaceID other = {1, 1, 1, {1, 1, 1, 1, 1, 1, 1, 1}};
    void* none = nullptr;
    EXPECT_EQ(object->QueryInterface(&other, &none), kMoaErr_BadInterface);

    object->Release();  // the interface still holds it
    EXPECT_EQ(host.Objects().LiveObjects(), 1);
    EXPECT_EQ(destroyed, 0);
    static_cast<IMoaUnknown*>(own)->Release();
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(HostObjectsTest, ARefusedCreateLeavesNoObject) {
    createAnswer = kMoaErr_OutOfMem;
    IMoaUnknown* object = reinterpret_cast<IMoaUnknown*>(1);
    EXPECT_EQ(host.Objects().Create(SampleClass(), &object), kMoaErr_OutOfMem);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
    EXPECT_EQ(destroyed, 0);

    XtraClass tooSmall = SampleClass();
    tooSmall.objectSize = 8;
    EXPECT_EQ(host.Objects().Create(tooSmall, &object), kMoaErr_BadParam);
}

TEST_F(HostObjectsTest, AnAdoptedObjectKeepsItsMemoryWithTheCaller) {
    Instance memory = {};
    memory.marker = 42;
    IMoaUnknown* object = nullptr;
    ASSERT_EQ(host.Objects().Adopt(&memory, SampleClass(), &object), kMoaErr_NoErr);
    EXPECT_EQ(static_cast<void*>(object), static_cast<void*>(&memory));
    EXPECT_EQ(memory.header.pCallback, host.Callback());
    EXPECT_EQ(memory.created, 1);
    object->AddRef();
    object->Release();
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(memory.marker, 42);
    EXPECT_EQ(host.Objects().LiveObjects(), 0);
}

}  // namespace

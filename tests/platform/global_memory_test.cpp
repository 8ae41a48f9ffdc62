#include <gtest/gtest.h>

#include "platform/simulator/control.h"
#include "platform/windows_api.h"

class PlatformGlobalMemory : public ::testing::Test {
protected:
    void SetUp() override { marlowsim::ResetMachine(); }
};

TEST_F(PlatformGlobalMemory, MovableBlockIsZeroedAndLockedThroughItsHandle) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1049);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 1);
    EXPECT_EQ(GlobalSize(block), 1049u);

    auto* bytes = static_cast<uint8_t*>(GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_NE(static_cast<void*>(bytes), block);
    for (int i = 0; i < 1049; ++i) ASSERT_EQ(bytes[i], 0) << i;
    bytes[1048] = 0x5A;

    // Locks are counted: the block stays locked until the last unlock.
    EXPECT_EQ(GlobalLock(block), bytes);
    EXPECT_EQ(GlobalUnlock(block), TRUE);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(GlobalUnlock(block), FALSE);
    EXPECT_EQ(static_cast<uint8_t*>(GlobalLock(block))[1048], 0x5A);
    GlobalUnlock(block);

    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block);
}

TEST_F(PlatformGlobalMemory, WithoutZeroInitTheBlockIsNotZero) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(block, nullptr);
    EXPECT_NE(static_cast<uint8_t*>(GlobalLock(block))[0], 0);
    GlobalUnlock(block);
    GlobalFree(block);
}

TEST_F(PlatformGlobalMemory, FixedBlockHandleIsItsAddress) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, 8);
    EXPECT_EQ(GlobalLock(block), block);
    GlobalFree(block);
}

TEST_F(PlatformGlobalMemory, InjectedFailureAnswersNullOnceOrAlways) {
    marlowsim::InjectFault(marlowsim::Call::GlobalAlloc, E_OUTOFMEMORY);
    EXPECT_EQ(GlobalAlloc(GHND, 8), nullptr);
    HGLOBAL block = GlobalAlloc(GHND, 8);
    EXPECT_NE(block, nullptr);
    GlobalFree(block);

    marlowsim::InjectFault(marlowsim::Call::GlobalAlloc, E_OUTOFMEMORY, true);
    EXPECT_EQ(GlobalAlloc(GHND, 8), nullptr);
    EXPECT_EQ(GlobalAlloc(GHND, 8), nullptr);
    EXPECT_EQ(marlowsim::LiveGlobalBlocks(), 0);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::GlobalAlloc), 4);
}

#include <gtest/gtest.h>

#include <cstddef>

#include "platform/windows_api.h"

// The Xtra writes these records to disk and hands them to DirectSound; their
// layout must be the Windows one field for field.
TEST(PlatformRecordLayout, WaveFormatIsPacked18Bytes) {
    EXPECT_EQ(sizeof(WAVEFORMATEX), 18u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nSamplesPerSec), 4u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nAvgBytesPerSec), 8u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nBlockAlign), 12u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, wBitsPerSample), 14u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, cbSize), 16u);
}

TEST(PlatformRecordLayout, GuidAndChunkRecords) {
    EXPECT_EQ(sizeof(GUID), 16u);
    EXPECT_EQ(offsetof(GUID, Data4), 8u);
    EXPECT_EQ(sizeof(MMCKINFO), 20u);
    EXPECT_EQ(mmioFOURCC('R', 'I', 'F', 'F'), 0x46464952u);
}

// The short capture description is the long one without its effect fields.
TEST(PlatformRecordLayout, CaptureDescriptionForms) {
    EXPECT_EQ(offsetof(DSCBUFFERDESC, lpwfxFormat), offsetof(DSCBUFFERDESC1, lpwfxFormat));
    EXPECT_EQ(sizeof(DSCBUFFERDESC1), offsetof(DSCBUFFERDESC, dwFXCount));
    EXPECT_LT(sizeof(DSCBUFFERDESC1), sizeof(DSCBUFFERDESC));
    EXPECT_EQ(offsetof(DSBUFFERDESC, guid3DAlgorithm),
              offsetof(DSBUFFERDESC, lpwfxFormat) + sizeof(void*));
}

TEST(PlatformRecordLayout, ResultCodesTheEngineNames) {
    EXPECT_EQ(static_cast<uint32_t>(DSERR_OUTOFMEMORY), 0x8007000Eu);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_GENERIC), 0x80004005u);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_INVALIDPARAM), 0x80070057u);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_ALLOCATED), 0x8878000Au);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_INVALIDCALL), 0x88780032u);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_BADFORMAT), 0x88780064u);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_NODRIVER), 0x88780078u);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_UNINITIALIZED), 0x887800AAu);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_BUFFERLOST), 0x88780096u);
    EXPECT_EQ(static_cast<uint32_t>(DSERR_PRIOLEVELNEEDED), 0x88780046u);
    EXPECT_TRUE(FAILED(DSERR_BADFORMAT));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
}

#include <cstring>

#include "audio/guid_text.h"
#include "audio_test_fixture.h"

namespace {

GUID MakeGuid(uint32_t data1) {
    GUID guid{};
    guid.Data1 = data1;
    guid.Data2 = 0xBEEF;
    guid.Data3 = 0x0102;
    for (int i = 0; i < 8; ++i) {
        guid.Data4[i] = static_cast<uint8_t>(0xA0 + i);
    }
    return guid;
}

std::string GuidText(const uint8_t bytes[16]) {
    char text[37];
    FormatGuidText(bytes, text);
    return text;
}

using DeviceOpenCloseTest = AudioDeviceTest;

TEST_F(DeviceOpenCloseTest, NewDeviceIsClosedAndIdle) {
    EXPECT_FALSE(device->IsOpen());
    EXPECT_FALSE(device->IsCapturing());
    EXPECT_FALSE(device->IsPlaying());
    EXPECT_FALSE(device->IsLevelMeteringActive());
    EXPECT_TRUE(Succeeded(device->PollState()));
    EXPECT_TRUE(Succeeded(device->Close()));
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
}

TEST_F(DeviceOpenCloseTest, EmptyAndNullNamesOpenTheDefaultDevice) {
    EXPECT_TRUE(Succeeded(device->Open("")));
    EXPECT_TRUE(device->IsOpen());
    GUID guid;
    EXPECT_FALSE(marlowsim::LastCaptureCreateGuid(&guid));
    EXPECT_EQ(marlowsim::LastCooperativeWindow(), TestWindow());
    EXPECT_EQ(marlowsim::LastCooperativeLevel(), 1u);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 1);
    EXPECT_TRUE(Succeeded(device->Close()));
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);

    EXPECT_TRUE(Succeeded(device->Open(nullptr)));
    EXPECT_TRUE(device->IsOpen());
}

TEST_F(DeviceOpenCloseTest, WithoutDevicesTheListIsEmptyAndNoNameOpens) {
    marlowsim::SetCaptureDevices({});
    CaptureDeviceList list;
    list.count = 7;
    EXPECT_TRUE(Succeeded(device->EnumerateDevices(&list)));
    EXPECT_EQ(list.count, 0);
    EXPECT_TRUE(FailedWith(device->Open("Microphone"), "Cannot find user supplied audio capture device", -1));
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
}

TEST_F(DeviceOpenCloseTest, EnumerationCopiesDescriptionGuidAndModule) {
    marlowsim::SetCaptureDevices({{"Line In", true, MakeGuid(0x12345678), "line.sys"},
                                  {"Default", false, GUID{}, ""}});
    CaptureDeviceList list;
    device->EnumerateDevices(&list);
    ASSERT_EQ(list.count, 2);
    EXPECT_STREQ(list.entries[0].description, "Line In");
    EXPECT_STREQ(list.entries[0].module, "line.sys");
    EXPECT_EQ(GuidText(list.entries[0].guid), "12345678-BEEF-0102-A0A1-A2A3A4A5A6A7");
    EXPECT_EQ(GuidText(list.entries[1].guid), "00000000-0000-0000-0000-000000000000");
    // Enumeration answers a record of its own and leaves the device's alone.
    device->status.SetFailure("earlier", 5);
    device->EnumerateDevices(&list);
    EXPECT_STREQ(device->status.message, "earlier");
}

TEST_F(DeviceOpenCloseTest, OfTwoEqualDescriptionsTheLaterOpens) {
    const GUID first = MakeGuid(1);
    const GUID second = MakeGuid(2);
    marlowsim::SetCaptureDevices({{"USB Mic", true, first, "usb.sys"}, {"USB Mic", true, second, "usb.sys"}});
    EXPECT_TRUE(Succeeded(device->Open("USB Mic")));
    GUID used;
    ASSERT_TRUE(marlowsim::LastCaptureCreateGuid(&used));
    EXPECT_EQ(std::memcmp(&used, &second, sizeof used), 0);
}

TEST_F(DeviceOpenCloseTest, ElevenOfTwelveDevicesAreListedAndOnlyThoseOpen) {
    marlowsim::SetCaptureDeviceCount(12);
    CaptureDeviceList list;
    device->EnumerateDevices(&list);
    ASSERT_EQ(list.count, 11);
    EXPECT_STREQ(list.entries[10].description, "Simulated capture device 11");
    EXPECT_TRUE(FailedWith(device->Open("Simulated capture device 12"),
                           "Cannot find user supplied audio capture device", -1));
    EXPECT_TRUE(Succeeded(device->Open("Simulated capture device 11")));
}

TEST_F(DeviceOpenCloseTest, DeviceWithoutGuidOpensWithTheZeroGuid) {
    CaptureDeviceList list;
    device->EnumerateDevices(&list);
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(GuidText(list.entries[0].guid), "00000000-0000-0000-0000-000000000000");
    EXPECT_TRUE(Succeeded(device->Open(list.entries[0].description)));
    GUID used;
    ASSERT_TRUE(marlowsim::LastCaptureCreateGuid(&used));
    const GUID zero{};
    EXPECT_EQ(std::memcmp(&used, &zero, sizeof used), 0);
}

TEST_F(DeviceOpenCloseTest, NamesCompareWithLetterCase) {
    marlowsim::SetCaptureDevices({{"Line In", true, MakeGuid(3), "line.sys"}});
    EXPECT_TRUE(FailedWith(device->Open("line in"), "Cannot find user supplied audio capture device", -1));
    EXPECT_FALSE(device->IsOpen());
}

struct OpenFault {
    marlowsim::Call call;
    const char* message;
};

class OpenFaultTest : public AudioDeviceTest, public ::testing::WithParamInterface<OpenFault> {};

TEST_P(OpenFaultTest, FailedOpenLeavesTheDeviceClosedAndComBalanced) {
    const HRESULT refusal = DSERR_NODRIVER;
    marlowsim::InjectFault(GetParam().call, refusal);
    EXPECT_TRUE(FailedWith(device->Open(""), GetParam().message, refusal));
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    // A retry initialises COM no second time; Close balances it.
    EXPECT_TRUE(Succeeded(device->Open("")));
    EXPECT_TRUE(Succeeded(device->Close()));
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, OpenFaultTest,
    ::testing::Values(OpenFault{marlowsim::Call::CoInitialize, "Could not initialise COM"},
                      OpenFault{marlowsim::Call::DirectSoundCreate, "Could not access Direct Sound"},
                      OpenFault{marlowsim::Call::SetCooperativeLevel, "Could not set co-op level"},
                      OpenFault{marlowsim::Call::DirectSoundCaptureCreate, "Cannot access audio capture device"}));

TEST_F(DeviceOpenCloseTest, DestroyingAfterAFailedOpenBalancesCom) {
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCaptureCreate, DSERR_ALLOCATED);
    EXPECT_TRUE(device->Open("").failed);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 1);
    device.reset();
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
}

TEST_F(DeviceOpenCloseTest, ComAlreadyInitialisedCountsAsSuccess) {
    marlowsim::SetCoInitializeAlreadyDone(true);
    EXPECT_TRUE(Succeeded(device->Open("")));
    EXPECT_TRUE(device->comInitialised);
}

TEST_F(DeviceOpenCloseTest, SecondOpenIsRefusedAndTheDeviceStaysUsable) {
    OpenDefault();
    EXPECT_TRUE(FailedWith(device->Open(""), "Device already open", -1));
    EXPECT_TRUE(device->IsOpen());
    RecordFullTake(1000);
    EXPECT_EQ(device->takeBytes, 22050u);
}

TEST_F(DeviceOpenCloseTest, CloseDuringRecordingKeepsItsLengthAndReleasesEverything) {
    OpenDefault();
    ASSERT_TRUE(Succeeded(device->StartCapture(10000, false)));
    marlowsim::AdvanceClock(1000);
    EXPECT_TRUE(Succeeded(device->Close()));
    EXPECT_EQ(device->takeBytes, 22050u);
    EXPECT_FALSE(device->capturing);
    EXPECT_EQ(device->captureBuffer, nullptr);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);
}

TEST_F(DeviceOpenCloseTest, CloseWhilePlayingReleasesBothBuffersBeforeTheirObjects) {
    OpenDefault();
    RecordFullTake(500);
    ASSERT_TRUE(Succeeded(device->PlayStart()));
    EXPECT_TRUE(Succeeded(device->Close()));
    EXPECT_FALSE(device->playing);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);
}

TEST_F(DeviceOpenCloseTest, DestroyingAnOpenDeviceClosesIt) {
    OpenDefault();
    ASSERT_TRUE(Succeeded(device->StartCapture(1000, false)));
    device.reset();
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
    EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
}

TEST(GuidTextTest, ReadsTheRecordLittleEndianInUpperCase) {
    const uint8_t bytes[16] = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                               0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    EXPECT_EQ(GuidText(bytes), "00112233-4455-6677-8899-AABBCCDDEEFF");
}

}  // namespace

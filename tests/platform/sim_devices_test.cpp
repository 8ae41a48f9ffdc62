#include <cstring>
#include <string>

#include "platform/utf8_text.h"
#include "sim_test_support.h"

namespace {

struct Seen {
    std::vector<std::string> descriptions;
    std::vector<bool> hadGuid;
    size_t stopAfter = 100;
};

BOOL CALLBACK Collect(LPGUID guid, LPCWSTR description, LPCWSTR, LPVOID context) {
    auto* seen = static_cast<Seen*>(context);
    std::string utf8;
    marlowcp::Utf8OfWide(marlowcp::WideOfTerminated(description), &utf8);
    seen->descriptions.push_back(utf8);
    seen->hadGuid.push_back(guid != nullptr);
    return seen->descriptions.size() < seen->stopAfter ? TRUE : FALSE;
}

}  // namespace

using SimDevices = SimulatorTest;

TEST_F(SimDevices, DefaultMachineHasOneCaptureDeviceWithoutGuid) {
    Seen seen;
    EXPECT_EQ(DirectSoundCaptureEnumerateW(Collect, &seen), DS_OK);
    ASSERT_EQ(seen.descriptions.size(), 1u);
    EXPECT_FALSE(seen.hadGuid[0]);
}

TEST_F(SimDevices, EnumerationStopsWhenTheCallbackAnswersFalse) {
    marlowsim::SetCaptureDeviceCount(12);
    Seen seen;
    seen.stopAfter = 11;
    DirectSoundCaptureEnumerateW(Collect, &seen);
    ASSERT_EQ(seen.descriptions.size(), 11u);
    EXPECT_EQ(seen.descriptions[0], "Simulated capture device 1");
    EXPECT_FALSE(seen.hadGuid[0]);
    EXPECT_TRUE(seen.hadGuid[1]);
}

TEST_F(SimDevices, CaptureCreateFindsTheDeviceByGuid) {
    marlowsim::DeviceSpec second{
        "USB microphone", true, {0xA1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}}, "usbaudio.sys"};
    marlowsim::SetCaptureDevices({{"Primary Sound Capture Driver", false, {}, ""}, second});
    LPDIRECTSOUNDCAPTURE found = nullptr;
    ASSERT_EQ(DirectSoundCaptureCreate(&second.guid, &found, nullptr), DS_OK);
    found->Release();
    GUID passed{};
    ASSERT_TRUE(marlowsim::LastCaptureCreateGuid(&passed));
    EXPECT_EQ(std::memcmp(&passed, &second.guid, sizeof(GUID)), 0);

    // The zero GUID, as a device listed without GUID gives it, is the default.
    const GUID zero{};
    ASSERT_EQ(DirectSoundCaptureCreate(&zero, &found, nullptr), DS_OK);
    found->Release();

    GUID unknown = second.guid;
    unknown.Data1 = 0xDEAD;
    EXPECT_EQ(DirectSoundCaptureCreate(&unknown, &found, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(found, nullptr);

    ASSERT_EQ(DirectSoundCaptureCreate(nullptr, &found, nullptr), DS_OK);
    EXPECT_FALSE(marlowsim::LastCaptureCreateGuid(nullptr));
    found->Release();

    marlowsim::SetCaptureDevices({});
    EXPECT_EQ(DirectSoundCaptureCreate(nullptr, &found, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 1);  // the fixture's own
}

TEST_F(SimDevices, CooperativeLevelIsRecorded) {
    LPDIRECTSOUND sound = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    HWND window = reinterpret_cast<HWND>(0x4242);
    EXPECT_EQ(sound->SetCooperativeLevel(window, DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(marlowsim::LastCooperativeWindow(), window);
    EXPECT_EQ(marlowsim::LastCooperativeLevel(), DSSCL_NORMAL);
    EXPECT_EQ(sound->SetCooperativeLevel(window, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(sound->GetCaps(nullptr), E_NOTIMPL);
    sound->Release();
}

TEST_F(SimDevices, FaultsAnswerOnceOrAlways) {
    LPDIRECTSOUND sound = nullptr;
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCreate, DSERR_ALLOCATED);
    EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DSERR_ALLOCATED);
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);

    marlowsim::InjectFault(marlowsim::Call::SetCooperativeLevel, DSERR_GENERIC, true);
    EXPECT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DSERR_GENERIC);
    EXPECT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DSERR_GENERIC);
    marlowsim::ClearFaults();
    EXPECT_EQ(sound->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(marlowsim::CallCount(marlowsim::Call::SetCooperativeLevel), 3);
    sound->Release();

    marlowsim::InjectFault(marlowsim::Call::CaptureEnumerate, DSERR_NODRIVER);
    Seen seen;
    EXPECT_EQ(DirectSoundCaptureEnumerateW(Collect, &seen), DSERR_NODRIVER);
    EXPECT_TRUE(seen.descriptions.empty());
}

TEST_F(SimDevices, ObjectsAnswerTheirOwnInterfacesOnly) {
    void* same = nullptr;
    ASSERT_EQ(capture->QueryInterface(IID_IDirectSoundCapture, &same), S_OK);
    EXPECT_EQ(same, capture);
    EXPECT_EQ(capture->Release(), 1u);
    EXPECT_EQ(capture->QueryInterface(IID_IDirectSound, &same), E_NOINTERFACE);
    EXPECT_EQ(same, nullptr);
}

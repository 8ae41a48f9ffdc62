// Every DirectSound call the engine makes, failing once at each place it is
// made, with each code the engine knows by name and with one it does not:
// the movie gets the answer it is owed, the device stays usable, and no
// DirectSound object, lock or COM initialisation is left behind.
#include <cstdio>
#include <functional>
#include <ostream>

#include "loaded_xtra_fixture.h"

namespace hardening {
namespace {

using marlowsim::Call;

constexpr HRESULT kCodes[] = {
    static_cast<HRESULT>(0x8007000E), static_cast<HRESULT>(0x80004005), static_cast<HRESULT>(0x80070057),
    static_cast<HRESULT>(0x8878000A), static_cast<HRESULT>(0x88780032), static_cast<HRESULT>(0x88780064),
    static_cast<HRESULT>(0x88780078), static_cast<HRESULT>(0x887800AA), static_cast<HRESULT>(0x88780096),
    static_cast<HRESULT>(0x88780046),
    static_cast<HRESULT>(0x80004001),  // E_NOTIMPL: no part of the engine names it
};

enum class State { Closed, Open, Recording, Recorded, Metering, PlayedOnce, Playing };

const char* const kStateNames[] = {"Closed", "Open", "Recording", "Recorded", "Metering", "PlayedOnce", "Playing"};

// One Lingo call and the answer it must give; an answer starting with '~'
// only has to contain the rest.
struct Step {
    const char* method;
    std::vector<std::string> textArguments;  // "#n" passes the integer n
    std::function<std::string(HRESULT)> answer;
};

struct FaultPoint {
    const char* name;
    Call call;
    bool always;  // both capture description forms must fail
    State state;
    Step faulted;
    std::vector<Step> after;  // without a fault
};

std::string ErrorText(const std::string& message, HRESULT code) {
    return Quoted("Error :" + message + " (" + std::to_string(static_cast<int32_t>(code)) + ")");
}

std::function<std::string(HRESULT)> Is(const std::string& text) {
    return [text](HRESULT) { return text; };
}
std::function<std::string(HRESULT)> FailsWith(const std::string& message) {
    return [message](HRESULT code) { return ErrorText(message, code); };
}
std::function<std::string(HRESULT)> Refused(const std::string& message) {
    return [message](HRESULT) { return ErrorText(message, -1); };
}

std::string CaptureBufferText(HRESULT code) {
    switch (static_cast<uint32_t>(code)) {
        case 0x8007000E: return "Out of memory";
        case 0x80004005: return "Gerneric error";
        case 0x80070057: return "Invalid param";
        case 0x8878000A: return "Resource already allocated";
        case 0x88780032: return "Invalid call (DSERR_INVALIDCALL)";
        case 0x88780064: return "Bad format";
        case 0x88780078: return "No driver";
        case 0x887800AA: return "Uninitialized";
        default: break;
    }
    char text[96];
    const int32_t signedCode = static_cast<int32_t>(code);
    std::snprintf(text, sizeof text, "Some other (%x s:%x f:%x c:%d) ", static_cast<unsigned>(code),
                  static_cast<unsigned>(signedCode >> 31), static_cast<unsigned>((signedCode >> 16) & 0xFFFF),
                  static_cast<int>(signedCode & 0xFF));
    return text;
}

// A code without a name has no prefix either.
std::string CaptureBufferFailure(HRESULT code) {
    const std::string text = CaptureBufferText(code);
    return ErrorText(text.rfind("Some other", 0) == 0 ? text : "Could not create capture buffer:" + text, code);
}

bool RefusesToStartPlay(HRESULT code) {
    const uint32_t bits = static_cast<uint32_t>(code);
    return bits == 0x88780096 || bits == 0x88780032 || bits == 0x80070057 || bits == 0x88780046;
}

const std::string kOk = Quoted("Ok");
const std::string kLevelOfNothing = "[[#Left: 0, #Right: 0, #Error: \"Ok\"]]";
const std::string kSomeLevel = "~#Error: \"Ok\"";
const std::string kNamedDevice = "Simulated capture device 2";
const std::string kCopyFailed = ErrorText("Problem during copying from record to play", -1);
// A failing position or status is a lost device: the take ends there and
// keeps what came before.
const std::string kCaptureLost = "Audio capture device lost: the take keeps what was recorded before";
const std::string kPlaybackLost = "Audio playback device lost: playback stopped";

const Step kPlays = {"PlaySound", {}, Is(kOk)};
const Step kIsPlaying = {"IsSoundPlaying", {}, Is("1")};
const Step kIsNotPlaying = {"IsSoundPlaying", {}, Is("0")};
const Step kIsRecording = {"RecordingNow", {}, Is("1")};
const Step kSavesMember = {"SaveAsMember", {"take"}, Is(kOk)};
const Step kRecords = {"StartRecording", {"#1000"}, Is(kOk)};
const Step kOpensDefault = {"OpenAudio", {""}, Is(kOk)};
const Step kIsNotRecording = {"RecordingNow", {}, Is("0")};

const std::vector<FaultPoint>& FaultPoints() {
    static const std::vector<FaultPoint> points = {
        {"CoInitializeInOpen", Call::CoInitialize, false, State::Closed,
         {"OpenAudio", {""}, FailsWith("Could not initialise COM")}, {kOpensDefault, kRecords}},
        {"DirectSoundCreateInOpen", Call::DirectSoundCreate, false, State::Closed,
         {"OpenAudio", {""}, FailsWith("Could not access Direct Sound")}, {kOpensDefault, kRecords}},
        {"SetCooperativeLevelInOpen", Call::SetCooperativeLevel, false, State::Closed,
         {"OpenAudio", {""}, FailsWith("Could not set co-op level")}, {kOpensDefault, kRecords}},
        {"CaptureCreateForTheDefaultDevice", Call::DirectSoundCaptureCreate, false, State::Closed,
         {"OpenAudio", {""}, FailsWith("Cannot access audio capture device")}, {kOpensDefault, kRecords}},
        {"CaptureCreateForANamedDevice", Call::DirectSoundCaptureCreate, false, State::Closed,
         {"OpenAudio", {kNamedDevice}, FailsWith("Cannot access audio capture device")},
         {{"OpenAudio", {kNamedDevice}, Is(kOk)}, kRecords}},
        {"EnumerateInOpenByName", Call::CaptureEnumerate, false, State::Closed,
         {"OpenAudio", {kNamedDevice}, Refused("Cannot find user supplied audio capture device")},
         {{"OpenAudio", {kNamedDevice}, Is(kOk)}}},
        {"EnumerateInFindDevices", Call::CaptureEnumerate, false, State::Closed,
         {"FindAudioCaptureDevices", {}, Is("[]")},
         {{"FindAudioCaptureDevices", {}, Is("~#DeviceName: \"" + kNamedDevice + "\"")}}},
        {"CreateCaptureBufferLongFormOnly", Call::CreateCaptureBuffer, false, State::Open,
         {"StartRecording", {"#1000"}, Is(kOk)}, {kIsRecording}},
        {"CreateCaptureBufferBothForms", Call::CreateCaptureBuffer, true, State::Open,
         {"StartRecording", {"#1000"}, CaptureBufferFailure}, {kRecords, kIsRecording}},
        {"CreateCaptureBufferForMetering", Call::CreateCaptureBuffer, true, State::Open,
         {"StartGetInputLevel", {}, CaptureBufferFailure},
         {{"StartGetInputLevel", {}, Is("<Void>")}, {"IsGsilActive", {}, Is("1")}}},
        {"CaptureStartInRecording", Call::CaptureStart, false, State::Open,
         {"StartRecording", {"#1000"}, FailsWith("Could not start capture")},
         {{"RecordingNow", {}, Is("0")}, kRecords, kIsRecording}},
        {"CaptureStartInMetering", Call::CaptureStart, false, State::Open,
         {"StartGetInputLevel", {}, FailsWith("Could not start capture")},
         {{"IsGsilActive", {}, Is("0")}, {"StopGetInputLevel", {}, Is("<Void>")}, kRecords}},
        {"CaptureStopInStopRecording", Call::CaptureStop, false, State::Recording,
         {"StopRecording", {}, Is(kOk)}, {kPlays}},
        {"CaptureStopInStopMetering", Call::CaptureStop, false, State::Metering,
         {"StopGetInputLevel", {}, Is("<Void>")}, {{"IsGsilActive", {}, Is("0")}, kRecords}},
        {"CaptureStopInClose", Call::CaptureStop, false, State::Recording,
         {"CloseAudio", {}, Is(kOk)}, {kOpensDefault, kRecords}},
        {"CaptureStatusInRecordingNow", Call::CaptureGetStatus, false, State::Recording,
         kIsNotRecording, {kIsNotRecording, kPlays, {"PlayStop", {}, Is(kOk)}, kRecords, kIsRecording}},
        {"CaptureStatusAtIdle", Call::CaptureGetStatus, false, State::Recording,
         {"IsAudioOpen", {}, Is("1")}, {kIsNotRecording, kPlays, {"PlayStop", {}, Is(kOk)}, kRecords, kIsRecording}},
        {"CaptureStatusInStopRecording", Call::CaptureGetStatus, false, State::Recording,
         {"StopRecording", {}, FailsWith(kCaptureLost)}, {kPlays}},
        {"CapturePositionInLevel", Call::CaptureGetCurrentPosition, false, State::Recording,
         {"GetInputLevel", {}, FailsWith(kCaptureLost)},
         {kIsNotRecording, kPlays}},
        {"CapturePositionInStopRecording", Call::CaptureGetCurrentPosition, false, State::Recording,
         {"StopRecording", {}, FailsWith(kCaptureLost)}, {kPlays}},
        {"CaptureLockInLevel", Call::CaptureLock, false, State::Recording,
         {"GetInputLevel", {}, Is(kLevelOfNothing)}, {{"GetInputLevel", {}, Is(kSomeLevel)}}},
        // A take that has ended is read from its copy; a region of the
        // capture buffer that cannot be copied as it ends leaves the take
        // in its buffer, whole.
        {"CaptureLockInStopRecording", Call::CaptureLock, false, State::Recording,
         {"StopRecording", {}, Is(kOk)}, {kSavesMember, {"SaveAsFile", {"@take.wav"}, Is(kOk)}, kPlays}},
        {"CaptureUnlockInLevel", Call::CaptureUnlock, false, State::Recording,
         {"GetInputLevel", {}, Is(kSomeLevel)}, {{"GetInputLevel", {}, Is(kSomeLevel)}}},
        {"CaptureUnlockInStopRecording", Call::CaptureUnlock, false, State::Recording,
         {"StopRecording", {}, Is(kOk)}, {kSavesMember, {"SaveAsFile", {"@take.wav"}, Is(kOk)}, kPlays}},
        {"CreateSoundBufferInPlay", Call::CreateSoundBuffer, false, State::Recorded,
         {"PlaySound", {}, Is(kCopyFailed)}, {kPlays, kIsPlaying}},
        {"PlayLockInPlayCopy", Call::PlayLock, false, State::Recorded,
         {"PlaySound", {}, Is(kCopyFailed)}, {kPlays, kIsPlaying}},
        {"PlayUnlockInPlayCopy", Call::PlayUnlock, false, State::Recorded, kPlays, {kIsPlaying}},
        {"SetPositionInReplay", Call::PlaySetCurrentPosition, false, State::PlayedOnce, kPlays, {kIsPlaying}},
        {"PlayInPlaySound", Call::Play, false, State::Recorded,
         {"PlaySound", {},
          [](HRESULT code) { return RefusesToStartPlay(code) ? ErrorText("Problem while trying to start play", code) : kOk; }},
         {kIsNotPlaying, kPlays, kIsPlaying}},
        {"PlayInReplay", Call::Play, false, State::PlayedOnce,
         {"PlaySound", {},
          [](HRESULT code) { return RefusesToStartPlay(code) ? ErrorText("Problem while trying to start play", code) : kOk; }},
         {kIsNotPlaying, kPlays, kIsPlaying}},
        {"PlayStatusInIsSoundPlaying", Call::PlayGetStatus, false, State::Playing, kIsNotPlaying,
         {kIsNotPlaying, kPlays, kIsPlaying}},
        {"PlayStatusInPlayStop", Call::PlayGetStatus, false, State::Playing,
         {"PlayStop", {}, FailsWith(kPlaybackLost)}, {kIsNotPlaying, kPlays, kIsPlaying}},
        {"PlayStatusAtIdle", Call::PlayGetStatus, false, State::Playing,
         {"IsAudioOpen", {}, Is("1")}, {kIsNotPlaying, kPlays, kIsPlaying}},
        {"PlayStopInPlayStop", Call::PlayStop, false, State::Playing,
         {"PlayStop", {}, Is(kOk)}, {kIsPlaying, {"PlayStop", {}, Is(kOk)}, kIsNotPlaying}},
        {"PlayStopInClose", Call::PlayStop, false, State::Playing,
         {"CloseAudio", {}, Is(kOk)}, {kOpensDefault, kRecords}},
        // A take whose image has no memory is not saved, and says so.
        {"GlobalAllocInSoundImage", Call::GlobalAlloc, false, State::Recorded,
         {"SaveAsMember", {"take"}, Refused("Could not allocate enough memory for new timmed sound")},
         {kSavesMember}},
    };
    return points;
}

bool IsUnlock(Call call) { return call == Call::CaptureUnlock || call == Call::PlayUnlock; }

struct FaultCase {
    const FaultPoint* point;
    HRESULT code;
};

void PrintTo(const FaultCase& faultCase, std::ostream* out) {
    *out << faultCase.point->name << " with 0x" << std::hex << static_cast<uint32_t>(faultCase.code);
}

std::vector<FaultCase> AllCases() {
    std::vector<FaultCase> cases;
    for (const FaultPoint& point : FaultPoints()) {
        for (HRESULT code : kCodes) {
            cases.push_back({&point, code});
        }
    }
    return cases;
}

class DirectSoundFaults : public LoadedXtraTest, public ::testing::WithParamInterface<FaultCase> {
protected:
    void SetUp() override {
        LoadedXtraTest::SetUp();
        marlowsim::SetCaptureDeviceCount(2);
        MakeObject();
    }

    void Reach(State state) {
        if (state == State::Closed) {
            return;
        }
        ASSERT_EQ(Call("OpenAudio", {Text("")}), kOk);
        switch (state) {
            case State::Recording:
                ASSERT_EQ(Call("StartRecording", {Int(1000)}), kOk);
                Pass(300);
                break;
            case State::Metering:
                ASSERT_EQ(Call("StartGetInputLevel"), "<Void>");
                Pass(60);
                break;
            case State::Recorded:
            case State::PlayedOnce:
            case State::Playing:
                ASSERT_EQ(Call("StartRecording", {Int(500)}), kOk);
                Pass(600);
                ASSERT_EQ(Call("RecordingNow"), "0");
                if (state != State::Recorded) {
                    ASSERT_EQ(Call("PlaySound"), kOk);
                }
                if (state == State::PlayedOnce) {
                    ASSERT_EQ(Call("PlayStop"), kOk);
                }
                break;
            default:
                break;
        }
    }

    // Runs the step; a Lingo call that follows the idle tick when it is IsAudioOpen.
    std::string Run(const Step& step) {
        std::vector<MoaMmValue> arguments;
        for (const std::string& text : step.textArguments) {
            if (text.rfind("#", 0) == 0) {
                arguments.push_back(Int(std::stol(text.substr(1))));
            } else if (text.rfind("@", 0) == 0) {
                arguments.push_back(Text((scratch / text.substr(1)).string()));
            } else {
                arguments.push_back(Text(text));
            }
        }
        if (std::string(step.method) == "IsAudioOpen") {
            Pass(10);
        }
        return Call(step.method, std::move(arguments));
    }

    static void ExpectAnswer(const std::string& got, const std::string& wanted) {
        if (wanted.rfind("~", 0) == 0) {
            EXPECT_NE(got.find(wanted.substr(1)), std::string::npos) << "got " << got << ", wanted one with " << wanted;
            EXPECT_EQ(got.find("#Left: 0,"), std::string::npos) << got;
        } else {
            EXPECT_EQ(got, wanted);
        }
    }
};

TEST_P(DirectSoundFaults, AnswerIsOwedAndTheDeviceStaysUsable) {
    const FaultPoint& point = *GetParam().point;
    const HRESULT code = GetParam().code;
    SCOPED_TRACE(std::string("from state ") + kStateNames[static_cast<int>(point.state)]);
    Reach(point.state);
    ASSERT_FALSE(HasFatalFailure());
    const int callsBefore = marlowsim::CallCount(point.call);

    marlowsim::InjectFault(point.call, code, point.always);
    {
        SCOPED_TRACE(std::string("faulted ") + point.faulted.method);
        ExpectAnswer(Run(point.faulted), point.faulted.answer(code));
    }
    marlowsim::ClearFaults();
    EXPECT_GT(marlowsim::CallCount(point.call), callsBefore) << "the faulted call was never made";
    for (const Step& step : point.after) {
        SCOPED_TRACE(std::string("then ") + step.method);
        ExpectAnswer(Run(step), step.answer(code));
    }
    EXPECT_EQ(Call("CloseAudio"), kOk);
    ExpectNothingLeft();
    // A failed unlock leaves its region locked on DirectSound's side: the
    // engine cannot give it back a second time.
    EXPECT_EQ(marlowsim::OutstandingLocks(), IsUnlock(point.call) ? 1 : 0);
}

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info) {
    char code[16];
    std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(info.param.code));
    return std::string(info.param.point->name) + "_" + code;
}

INSTANTIATE_TEST_SUITE_P(EveryCallEveryCode, DirectSoundFaults, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace hardening

// What the fuzzer found: calls a movie may make that the host survives only
// if the object guards itself.
#include "loaded_xtra_fixture.h"

namespace hardening {
namespace {

using Reentry = LoadedXtraTest;

// A second `new` on a live object must not leak the first device or its
// idle registration: forget then gives everything back.
TEST_F(Reentry, ASecondNewLeavesNothingBehind) {
    MakeObject();
    ASSERT_EQ(Call("OpenAudio", {Text("")}), Quoted("Ok"));
    MoaMmValue ignored = marlowhost::ValueStore::Void();
    loader.CallMethod(object->Value(), 0, {}, &ignored);
    host.Values().Release(&ignored);
    EXPECT_EQ(host.Notifications().RegisteredClients(), 1);
    EXPECT_EQ(object->Forget(), kMoaErr_NoErr);
    object.reset();
    EXPECT_EQ(host.Notifications().RegisteredClients(), 0);
    ExpectNothingLeft();
}

// The internal-error handler runs inside the failing engine operation and
// may call the object back; the operation must still end as a failure.
TEST_F(Reentry, AnInternalErrorHandlerCallingBackDoesNotTurnAFailureIntoSuccess) {
    MakeObject();
    bool inside = false;
    std::string nestedAnswer;
    host.Handlers().Define("Marlowtide_InternalError", [this, &inside, &nestedAnswer](const std::vector<MoaMmValue>&) {
        if (!inside) {
            inside = true;
            MoaMmValue result = marlowhost::ValueStore::Void();
            loader.CallMethod(object->Value(), "CloseAudio", {}, &result);
            nestedAnswer = host.Values().LingoText(result);
            host.Values().Release(&result);
            inside = false;
        }
        return marlowhost::ValueStore::Void();
    });
    ASSERT_EQ(Call("PrivateInstance", {Int(1), Int(1)}), Quoted("Ok"));
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCreate, static_cast<HRESULT>(0x88780078));
    EXPECT_EQ(Call("OpenAudio", {Text("")}), Quoted("Error :Could not access Direct Sound (-2005401480)"));
    // The engine is inside Open: the nested call is refused, not run.
    EXPECT_EQ(nestedAnswer, Quoted("Error :Audio device busy reporting an error (-1)"));
    EXPECT_EQ(Call("IsAudioOpen"), "0");
    EXPECT_EQ(Call("OpenAudio", {Text("")}), Quoted("Ok"));
    // Nor does the nested call's refusal become the answer of the call the
    // handler runs in: SaveAsMember without a take still answers "Ok".
    nestedAnswer.clear();
    EXPECT_EQ(Call("SaveAsMember", {Text("take")}), Quoted("Ok"));
    EXPECT_EQ(nestedAnswer, Quoted("Error :Audio device busy reporting an error (-1)"));
    host.Handlers().Remove("Marlowtide_InternalError");
    ExpectNothingLeft();
}

// A handler that recovers by calling the object, with no guard of its own,
// runs once per engine failure: the refusal of its own call is answered to
// it and not reported to it again. The test's fuse only keeps a regression
// from overflowing the stack.
TEST_F(Reentry, AnUnguardedInternalErrorHandlerRunsOncePerFailure) {
    MakeObject();
    int runs = 0;
    std::vector<std::string> nestedAnswers;
    host.Handlers().Define("Marlowtide_InternalError", [this, &runs, &nestedAnswers](const std::vector<MoaMmValue>&) {
        if (++runs <= 50) {
            MoaMmValue result = marlowhost::ValueStore::Void();
            loader.CallMethod(object->Value(), "CloseAudio", {}, &result);
            nestedAnswers.push_back(host.Values().LingoText(result));
            host.Values().Release(&result);
        }
        return marlowhost::ValueStore::Void();
    });
    ASSERT_EQ(Call("PrivateInstance", {Int(1), Int(1)}), Quoted("Ok"));
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCaptureCreate, static_cast<HRESULT>(0x88780078));
    EXPECT_EQ(Call("OpenAudio", {Text("")}),
              Quoted("Error :Cannot access audio capture device (-2005401480)"));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(nestedAnswers, std::vector<std::string>{Quoted("Error :Audio device busy reporting an error (-1)")});
    // The next failure is reported again, once.
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCaptureCreate, static_cast<HRESULT>(0x88780078));
    EXPECT_EQ(Call("OpenAudio", {Text("")}),
              Quoted("Error :Cannot access audio capture device (-2005401480)"));
    EXPECT_EQ(runs, 2);
    host.Handlers().Remove("Marlowtide_InternalError");
    ExpectNothingLeft();
}

// Switching routing off from the handler must not reset the record of the
// operation that is failing: Open would go on without its playback object.
TEST_F(Reentry, SwitchingRoutingOffFromTheHandlerKeepsTheFailure) {
    MakeObject();
    host.Handlers().Define("Marlowtide_InternalError", [this](const std::vector<MoaMmValue>&) {
        MoaMmValue mode = Int(1);
        MoaMmValue off = Int(0);
        MoaMmValue result = marlowhost::ValueStore::Void();
        loader.CallMethod(object->Value(), "PrivateInstance", {mode, off}, &result);
        host.Values().Release(&result);
        host.Values().Release(&mode);
        host.Values().Release(&off);
        return marlowhost::ValueStore::Void();
    });
    ASSERT_EQ(Call("PrivateInstance", {Int(1), Int(1)}), Quoted("Ok"));
    marlowsim::InjectFault(marlowsim::Call::DirectSoundCreate, static_cast<HRESULT>(0x88780078));
    EXPECT_EQ(Call("OpenAudio", {Text("")}), Quoted("Error :Could not access Direct Sound (-2005401480)"));
    EXPECT_EQ(Call("IsAudioOpen"), "0");
    EXPECT_EQ(Call("OpenAudio", {Text("")}), Quoted("Ok"));
    host.Handlers().Remove("Marlowtide_InternalError");
    ExpectNothingLeft();
}

}  // namespace
}  // namespace hardening

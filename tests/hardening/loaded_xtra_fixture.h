// The built library loaded through the test host, a simulated machine on
// the manual clock, and quiet message boxes: what the hardening tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/simulator/control.h"
#include "test_host.h"
#include "xtra_instance.h"
#include "xtra_loader.h"

namespace hardening {

inline void IgnoreMessageBox(const marlowsim::MessageBoxRecord&) {}
inline void IgnoreDebugLine(const char*) {}

// Resident bytes of this process, from /proc/self/statm.
inline long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * sysconf(_SC_PAGESIZE);
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A Lingo text as LingoText shows it.
inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class LoadedXtraTest : public ::testing::Test {
protected:
    void SetUp() override {
        marlowsim::ResetMachine();
        marlowsim::SetClockMode(marlowsim::ClockMode::Manual);
        marlowsim::SetMessageBoxSink(&IgnoreMessageBox);
        marlowsim::SetDebugOutputSink(&IgnoreDebugLine);
        ASSERT_TRUE(loader.Load(MARLOWTIDE_XTRA_LIBRARY)) << loader.FailureText();
        char pattern[] = "/tmp/marlowtide-hardening-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
    }

    void TearDown() override {
        object.reset();
        std::error_code ignored;
        std::filesystem::remove_all(scratch, ignored);
        marlowsim::SetMessageBoxSink(nullptr);
        marlowsim::SetDebugOutputSink(nullptr);
    }

    void MakeObject() {
        object = std::make_unique<marlowhost::XtraInstance>(loader);
        ASSERT_EQ(object->NewResult(), kMoaErr_NoErr);
    }

    std::string Call(const std::string& method, std::vector<MoaMmValue> arguments = {}) {
        return object->CallText(method, std::move(arguments));
    }
    MoaMmValue Text(const std::string& text) { return host.Values().String(text); }
    MoaMmValue Int(MoaLong number) { return host.Values().Int(number); }

    // Advances the clock and gives the host's idle tick.
    void Pass(uint32_t milliseconds) {
        marlowsim::AdvanceClock(milliseconds);
        host.Idle();
    }

    // Forgets the object and checks that nothing of it is left anywhere.
    void ExpectNothingLeft() {
        if (object) {
            EXPECT_EQ(object->Forget(), kMoaErr_NoErr);
            object.reset();
        }
        EXPECT_EQ(loader.CanUnloadNow(), kMoaErr_NoErr);
        EXPECT_EQ(host.Objects().LiveObjects(), 0);
        EXPECT_EQ(host.Values().LiveValues(), 0);
        EXPECT_EQ(host.Values().BadUses(), 0);
        EXPECT_EQ(host.OutstandingServiceReferences(), 0);
        EXPECT_EQ(host.ServiceOverReleases(), 0);
        EXPECT_EQ(marlowsim::LiveDirectSoundObjects(), 0);
        EXPECT_EQ(marlowsim::ComInitializeBalance(), 0);
        EXPECT_EQ(marlowsim::ReleaseOrderViolations(), 0);
    }

    std::filesystem::path scratch;
    marlowhost::TestHost host;
    marlowhost::XtraLoader loader{host};
    std::unique_ptr<marlowhost::XtraInstance> object;
};

}  // namespace hardening

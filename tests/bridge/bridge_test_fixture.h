// A test host with one movie, and a bridge attached to it the way a script
// instance attaches its own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diag/trace_log.h"
#include "host/host_bridge.h"
#include "platform/simulator/control.h"
#include "test_host.h"

class BridgeTest : public ::testing::Test {
protected:
    void SetUp() override { marlowsim::ResetMachine(); }
    // The log is shared by the whole process: no test may leave it open.
    void TearDown() override { TraceLog::Instance().Close(); }

    // A call record whose pArgs[0] stands for the object, as the host gives it.
    MoaMmCallInfo CallWith(std::vector<MoaMmValue>& arguments, MoaLong nargs) {
        MoaMmCallInfo call = {};
        call.nargs = nargs;
        call.pArgs = arguments.data();
        return call;
    }

    void ReleaseAll(std::vector<MoaMmValue>& values) {
        for (MoaMmValue& value : values) {
            host.Values().Release(&value);
        }
    }

    std::string Format(const MoaMmValue& value) {
        char text[256] = {};
        std::size_t position = 0;
        bridge.FormatValue(&value, text, sizeof text, &position);
        EXPECT_EQ(position, std::string(text).size());
        return text;
    }

    marlowhost::TestHost host;
    HostBridge bridge{host.Callback()};
};

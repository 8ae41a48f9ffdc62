// IMoaAppInfo: offered only when the host plays a Director version.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_host.h"

namespace {

using marlowhost::TestHost;

IMoaAppInfo* QueryAppInfo(TestHost& host, MoaError* result) {
    void* out = reinterpret_cast<void*>(1);
    *result = host.Callback()->QueryInterface(&IID_IMoaAppInfo, &out);
    return static_cast<IMoaAppInfo*>(out);
}

std::string Answer(IMoaAppInfo* info, MoaLong key, MoaError* result) {
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    *result = info->GetInfo(key, buffer, sizeof buffer);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

TEST(AppInfo, AbsentByDefaultAndAfterPlayingNone) {
    TestHost host;
    MoaError result = kMoaErr_NoErr;
    EXPECT_EQ(QueryAppInfo(host, &result), nullptr);
    EXPECT_EQ(result, kMoaErr_BadInterface);

    host.PlayDirector("11.5");
    IMoaAppInfo* info = QueryAppInfo(host, &result);
    ASSERT_EQ(result, kMoaErr_NoErr);
    EXPECT_EQ(host.OutstandingServiceReferences(), 1);
    info->Release();

    host.PlayDirector("");
    EXPECT_EQ(QueryAppInfo(host, &result), nullptr);
    EXPECT_EQ(result, kMoaErr_BadInterface);
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
    EXPECT_EQ(host.ServiceOverReleases(), 0);
}

TEST(AppInfo, AnswersNameVersionAndRunModeOnly) {
    TestHost host;
    host.PlayDirector("8.5");
    MoaError result = kMoaErr_NoErr;
    IMoaAppInfo* info = QueryAppInfo(host, &result);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(Answer(info, kMoaAppInfo_ProductName, &result), "Director");
    EXPECT_EQ(result, kMoaErr_NoErr);
    EXPECT_EQ(Answer(info, kMoaAppInfo_ProductVersion, &result), "8.5");
    EXPECT_EQ(result, kMoaErr_NoErr);
    EXPECT_EQ(Answer(info, kMoaAppInfo_RunMode, &result), "Author");
    EXPECT_EQ(result, kMoaErr_NoErr);
    for (MoaLong key : {MoaLong{kMoaAppInfo_SerialNumber}, MoaLong{kMoaAppInfo_UserName},
                        MoaLong{kMoaAppInfo_AppFileSpec}, MoaLong{kMoaAppInfo_OSLanguage}, MoaLong{-1}, MoaLong{99}}) {
        EXPECT_EQ(Answer(info, key, &result), "") << key;
        EXPECT_EQ(result, kMoaErr_NoSuchKey) << key;
    }
    info->Release();
}

TEST(AppInfo, ABufferTooSmallIsRefusedAndLeftTerminated) {
    TestHost host;
    host.PlayDirector("12.0");
    MoaError result = kMoaErr_NoErr;
    IMoaAppInfo* info = QueryAppInfo(host, &result);
    ASSERT_NE(info, nullptr);
    char exact[5];
    EXPECT_EQ(info->GetInfo(kMoaAppInfo_ProductVersion, exact, sizeof exact), kMoaErr_NoErr);
    EXPECT_STREQ(exact, "12.0");
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(info->GetInfo(kMoaAppInfo_ProductVersion, small, sizeof small), kMoaErr_BadParam);
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(info->GetInfo(kMoaAppInfo_ProductName, nullptr, 32), kMoaErr_BadParam);
    EXPECT_EQ(info->GetInfo(kMoaAppInfo_ProductName, small, 0), kMoaErr_BadParam);
    EXPECT_EQ(info->GetInfo(kMoaAppInfo_ProductName, small, -1), kMoaErr_BadParam);
    info->Release();
}

}  // namespace

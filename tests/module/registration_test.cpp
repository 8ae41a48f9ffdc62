// Register: what reaches the host's registry, byte for byte, and what does
// not when a step fails.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fake_host_object.h"
#include "moa/imoa_mm_xscript.h"
#include "moa/imoa_register.h"
#include "module/class_registry.h"
#include "module/exports.h"
#include "module/registration_text.h"

namespace {

using module_test::FakeInstance;

struct PutRecord {
    MoaDictTypeID type;
    std::string data;
    MoaLong size;
};

class FakeDict : public IMoaDict {
public:
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID*, void**) override { return kMoaErr_BadInterface; }
    MoaUlong MOA_STDCALL AddRef() override { return ++references; }
    MoaUlong MOA_STDCALL Release() override { return --references; }
    MoaError MOA_STDCALL SetSize(MoaUlong) override { return kMoaErr_NoErr; }
    MoaError MOA_STDCALL MakeDict(IMoaDict**, const char*) override { return kMoaErr_BadParam; }
    MoaError MOA_STDCALL Get(MoaDictTypeID, void*, MoaLong, const char*) override { return kMoaDictErr_NotFound; }
    MoaError MOA_STDCALL Put(MoaDictTypeID type, const void* data, MoaLong size, const char* key) override {
        const auto failure = failures.find(key);
        if (failure != failures.end()) {
            return failure->second;
        }
        // Size 0 marks a C string, as the host reads it.
        const auto* bytes = static_cast<const char*>(data);
        std::string copy = size == 0 ? std::string(bytes) : std::string(bytes, static_cast<std::size_t>(size));
        puts[key] = PutRecord{type, copy, size};
        return kMoaErr_NoErr;
    }
    MoaError MOA_STDCALL Remove(const char*) override { return kMoaErr_NoErr; }
    MoaError MOA_STDCALL Count(MoaUlong* count) override {
        *count = static_cast<MoaUlong>(puts.size());
        return kMoaErr_NoErr;
    }
    MoaError MOA_STDCALL GetNth(MoaUlong, MoaDictTypeID*, MoaLong*, const char**) override { return kMoaErr_BadParam; }
    MoaError MOA_STDCALL GetInfo(MoaDictTypeID*, MoaLong*, const char*) override { return kMoaDictErr_NotFound; }
    const char* MOA_STDCALL FindKey(const char*) override { return nullptr; }

    std::map<std::string, PutRecord> puts;
    std::map<std::string, MoaError> failures;
    MoaUlong references = 1;
};

class FakeCache : public IMoaCache {
public:
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID*, void**) override { return kMoaErr_BadInterface; }
    MoaUlong MOA_STDCALL AddRef() override { return 1; }
    MoaUlong MOA_STDCALL Release() override { return 1; }
    MoaError MOA_STDCALL EnumerateFileEntries(void*, void*) override { return kMoaErr_NoErr; }
    MoaError MOA_STDCALL EnumerateXtraEntries(void*, void*) override { return kMoaErr_NoErr; }
    MoaError MOA_STDCALL EnumerateRegistryEntries(void*, void*) override { return kMoaErr_NoErr; }
    MoaError MOA_STDCALL SetXtraEntryNoncacheable(IMoaDict*) override { return kMoaErr_NoErr; }
    MoaError MOA_STDCALL AddRegistryEntry(IMoaDict* xtraDict, const MoaClassID* classID,
                                          const MoaInterfaceID* interfaceID, IMoaDict** entryDict) override {
        askedXtraDict = xtraDict;
        askedClassID = *classID;
        askedInterfaceID = *interfaceID;
        if (refusal != kMoaErr_NoErr) {
            return refusal;
        }
        *entryDict = &entry;
        return kMoaErr_NoErr;
    }
    MoaError MOA_STDCALL GetInstanceFromRegistry(IMoaDict*, const MoaInterfaceID*, void**) override {
        return kMoaErr_BadParam;
    }
    MoaError MOA_STDCALL CreateNewInstanceFromRegistry(IMoaDict*, const MoaInterfaceID*, void**) override {
        return kMoaErr_BadParam;
    }
    MoaError MOA_STDCALL EnumerateRegistryEntriesFromFile(void*, MoaLong, void*, void*) override {
        return kMoaErr_NoErr;
    }
    MoaError MOA_STDCALL GetFileSpecFromFileDict(IMoaDict*, char*, MoaLong) override { return kMoaErr_BadParam; }

    FakeDict entry;
    MoaError refusal = kMoaErr_NoErr;
    IMoaDict* askedXtraDict = nullptr;
    MoaClassID askedClassID = IID_NULL_MOA;
    MoaInterfaceID askedInterfaceID = IID_NULL_MOA;
};

std::string ReadGolden() {
    std::ifstream file(MARLOWTIDE_MODULE_GOLDEN_DIR "/registration.txt", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The host's rule: after the banner, every line that is neither empty nor a
// "--" comment declares the next method; its name follows the marks.
std::vector<std::string> NumberedMethodNames(const std::string& text) {
    std::vector<std::string> names;
    const std::vector<std::string> lines = Lines(text);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos || line.compare(first, 2, "--") == 0) {
            continue;
        }
        const std::size_t nameStart = line.find_first_not_of(" /+*", first);
        names.push_back(line.substr(nameStart, line.find(' ', nameStart) - nameStart));
    }
    return names;
}

class RegisterTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* out = nullptr;
        ASSERT_EQ(DllGetInterface(instance.Object(), nullptr, &IID_IMoaRegister, &out), kMoaErr_NoErr);
        registration = static_cast<IMoaRegister*>(out);
        blocksBefore = instance.calloc.live.size();
    }
    void TearDown() override {
        EXPECT_EQ(instance.calloc.live.size(), blocksBefore) << "the text block must go back";
        EXPECT_EQ(cache.entry.references, 1u) << "the entry dictionary is the cache's";
        registration->Release();
    }

    FakeInstance instance;
    FakeCache cache;
    FakeDict xtraDict;
    IMoaRegister* registration = nullptr;
    std::size_t blocksBefore = 0;
};

TEST_F(RegisterTest, RegistersTheMethodTableByteForByte) {
    ASSERT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_NoErr);
    EXPECT_EQ(cache.askedXtraDict, &xtraDict);
    EXPECT_TRUE(MoaEqualID(cache.askedClassID, module::kMarlowtideClassID));
    EXPECT_TRUE(MoaEqualID(cache.askedInterfaceID, IID_IMoaMmXScript));

    ASSERT_EQ(cache.entry.puts.count("msgTable"), 1u);
    const PutRecord& table = cache.entry.puts["msgTable"];
    EXPECT_EQ(table.type, 9u);
    EXPECT_EQ(table.size, 0);
    const std::string golden = ReadGolden();
    ASSERT_FALSE(golden.empty()) << "golden file missing";
    EXPECT_EQ(table.data, golden);
    EXPECT_EQ(Lines(table.data).size(), 40u) << "banner and 39 lines";
    EXPECT_EQ(table.data.find('\r'), std::string::npos);
    EXPECT_EQ(table.data.find('\t'), std::string::npos);
}

TEST_F(RegisterTest, BannerIsAlsoTheVersionString) {
    ASSERT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_NoErr);
    const std::string& text = cache.entry.puts["msgTable"].data;
    EXPECT_STREQ(module::VersionBanner(), "xtra Marlowtide --(WINTEL Release build) -- version 1.0.12(U)(S)\n");
    EXPECT_EQ(text.rfind(module::VersionBanner(), 0), 0u);
    EXPECT_EQ(text.compare(std::strlen(module::VersionBanner()), 38, "-- This xtra can be used in Shockwave\n"), 0);
    EXPECT_EQ(text.substr(text.size() - 4), "\n--\n");
}

TEST_F(RegisterTest, TheHostNumbersTwentyEightMethods) {
    ASSERT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_NoErr);
    const std::vector<std::string> names = NumberedMethodNames(cache.entry.puts["msgTable"].data);
    ASSERT_EQ(names.size(), 28u);
    EXPECT_EQ(names[0], "new");
    EXPECT_EQ(names[1], "forget");
    EXPECT_EQ(names[2], "GetVersionString");
    EXPECT_EQ(names[3], "OpenAudio");
    EXPECT_EQ(names[16], "SaveAsMember");
    EXPECT_EQ(names[25], "ShowErrorsAsDialogs");
    EXPECT_EQ(names[26], "PrivateGlobal");
    EXPECT_EQ(names[27], "PrivateInstance");
}

TEST_F(RegisterTest, SafeForShockwaveIsOneByteTrue) {
    ASSERT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_NoErr);
    ASSERT_EQ(cache.entry.puts.count("safeForShockwave"), 1u);
    const PutRecord& safe = cache.entry.puts["safeForShockwave"];
    EXPECT_EQ(safe.type, 6u);
    EXPECT_EQ(safe.size, 1);
    EXPECT_EQ(safe.data, std::string(1, '\x01'));
}

TEST_F(RegisterTest, RefusedEntryAnswersTheCachesCodeAndAllocatesNothing) {
    cache.refusal = static_cast<MoaError>(0x80040013);
    const std::size_t requestsBefore = instance.calloc.requestedSizes.size();
    EXPECT_EQ(registration->Register(&cache, &xtraDict), static_cast<MoaError>(0x80040013));
    EXPECT_TRUE(cache.entry.puts.empty());
    EXPECT_EQ(instance.calloc.requestedSizes.size(), requestsBefore);
}

TEST_F(RegisterTest, FailingAllocatorAnswersOutOfMemoryAndPutsNothing) {
    instance.calloc.failAlways = true;
    EXPECT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_OutOfMem);
    EXPECT_TRUE(cache.entry.puts.empty());
}

TEST_F(RegisterTest, FailedMessageTablePutSkipsSafeForShockwave) {
    cache.entry.failures["msgTable"] = static_cast<MoaError>(0x8004002C);
    EXPECT_EQ(registration->Register(&cache, &xtraDict), static_cast<MoaError>(0x8004002C));
    EXPECT_TRUE(cache.entry.puts.empty());
}

TEST_F(RegisterTest, FailedSafeForShockwavePutKeepsTheMessageTable) {
    cache.entry.failures["safeForShockwave"] = static_cast<MoaError>(0x8004002B);
    EXPECT_EQ(registration->Register(&cache, &xtraDict), static_cast<MoaError>(0x8004002B));
    EXPECT_EQ(cache.entry.puts.count("msgTable"), 1u);
    EXPECT_EQ(cache.entry.puts.count("safeForShockwave"), 0u);
}

TEST_F(RegisterTest, RegisteringTwiceGivesTheSameText) {
    ASSERT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_NoErr);
    const std::string first = cache.entry.puts["msgTable"].data;
    cache.entry.puts.clear();
    ASSERT_EQ(registration->Register(&cache, &xtraDict), kMoaErr_NoErr);
    EXPECT_EQ(cache.entry.puts["msgTable"].data, first);
}

}  // namespace

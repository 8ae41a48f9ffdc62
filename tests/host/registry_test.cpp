// What Register leaves in the registry, and its failures on order.
#include <gtest/gtest.h>

#include "moa/imoa_mm_xscript.h"
#include "test_host.h"

namespace {

using marlowhost::TestHost;

constexpr MoaClassID kClass = {0xA1B2C3D4, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};

IMoaDict* AddEntry(TestHost& host) {
    IMoaDict* entry = nullptr;
    EXPECT_EQ(host.Registry().AddRegistryEntry(&host.Registry().XtraDictionary(), &kClass, &IID_IMoaMmXScript, &entry),
              kMoaErr_NoErr);
    return entry;
}

TEST(Registry, AMessageTablePutWithSizeZeroKeepsTheWholeCString) {
    TestHost host;
    IMoaDict* entry = AddEntry(host);
    ASSERT_NE(entry, nullptr);
    char table[] = "xtra Sample\n  new object me\n";
    ASSERT_EQ(entry->Put(kMoaDictType_CString, table, 0, kMoaMmDictKey_MessageTable), kMoaErr_NoErr);
    table[0] = 'X';  // the registry has its own copy

    const marlowhost::RegistryDictionary* found = host.Registry().Find(kClass, IID_IMoaMmXScript);
    ASSERT_EQ(found, entry);
    const marlowhost::DictEntry* put = found->Find("msgTable");
    ASSERT_NE(put, nullptr);
    EXPECT_EQ(put->type, kMoaDictType_CString);
    EXPECT_EQ(put->size, 0);
    EXPECT_EQ(put->data.size(), sizeof table);
    std::string text;
    ASSERT_TRUE(found->Text("msgTable", &text));
    EXPECT_EQ(text, "xtra Sample\n  new object me\n");
}

TEST(Registry, AOneBytePutKeepsItsByte) {
    TestHost host;
    IMoaDict* entry = AddEntry(host);
    MoaBool safe = 1;
    ASSERT_EQ(entry->Put(kMoaDictType_Bool, &safe, 1, kMoaMmDictKey_SafeForShockwave), kMoaErr_NoErr);
    const marlowhost::DictEntry* put = host.Registry().Find(kClass, IID_IMoaMmXScript)->Find("safeForShockwave");
    ASSERT_NE(put, nullptr);
    EXPECT_EQ(put->type, kMoaDictType_Bool);
    EXPECT_EQ(put->size, 1);
    EXPECT_EQ(put->data, std::vector<uint8_t>{1});
}

TEST(Registry, AddAndPutFailWhenOrdered) {
    TestHost host;
    host.Registry().FailAddRegistryEntry(kMoaErr_OutOfMem);
    IMoaDict* entry = reinterpret_cast<IMoaDict*>(1);
    EXPECT_EQ(host.Registry().AddRegistryEntry(nullptr, &kClass, &IID_IMoaMmXScript, &entry), kMoaErr_OutOfMem);
    EXPECT_EQ(entry, nullptr);
    EXPECT_TRUE(host.Registry().Entries().empty());

    entry = AddEntry(host);
    host.Registry().FailPut("safeForShockwave", kMoaErr_BadParam);
    MoaBool safe = 1;
    EXPECT_EQ(entry->Put(kMoaDictType_Bool, &safe, 1, "safeForShockwave"), kMoaErr_BadParam);
    EXPECT_EQ(entry->Put(kMoaDictType_CString, "x", 0, "msgTable"), kMoaErr_NoErr);
    MoaUlong count = 0;
    entry->Count(&count);
    EXPECT_EQ(count, 1u);
}

}  // namespace

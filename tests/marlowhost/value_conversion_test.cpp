// Values crossing to the Xtra and back carry their texts in the encoding of
// the Director played, property names and symbols included.
#include <gtest/gtest.h>

#include <string>

#include "script_error.h"
#include "value_conversion.h"

namespace {

using marlowhost::DirectorText;
using marlowhost::HostEncoding;

const std::string kGerman = "Mikrofon (USB-Audioger\xC3\xA4t)";
const std::string kGermanIn1252 = "Mikrofon (USB-Audioger\xE4t)";

lingo::Value NoObject(const MoaMmValue&) { return lingo::Value(); }

std::string Property(const marlowhost::ValueStore& store, const MoaMmValue& propList, size_t index, std::string* name) {
    MoaMmSymbol symbol = 0;
    store.Symbol((*store.Keys(propList))[index], &symbol);
    store.SymbolName(symbol, name);
    return *store.String((*store.Elements(propList))[index]);
}

TEST(ValueConversion, AnOldDirectorGetsAndGivesCodePage1252) {
    marlowhost::ValueStore store;
    const DirectorText text(HostEncoding::AnsiCodePage);
    lingo::Value script =
        lingo::Value::NewPropList({{lingo::Value::String("Ger\xC3\xA4t"), lingo::Value::String(kGerman)}});
    MoaMmValue host = marlowhost::ToHostValue(store, text, script, 1);
    std::string name;
    EXPECT_EQ(Property(store, host, 0, &name), kGermanIn1252);
    EXPECT_EQ(name, "Ger\xE4t");

    lingo::Value back = marlowhost::FromHostValue(store, text, host, NoObject, 1);
    EXPECT_EQ(back.Props()[0].first.Text(), "Ger\xC3\xA4t");
    EXPECT_EQ(back.Props()[0].second.Text(), kGerman);
    store.Release(host);
    EXPECT_EQ(store.LiveValues(), 0);
}

TEST(ValueConversion, TextThatIsNotUtf8IsAScriptErrorAndNothingIsLeftBehind) {
    marlowhost::ValueStore store;
    const DirectorText text(HostEncoding::Utf8);
    MoaMmValue fromXtra = store.MakeList();
    MoaMmValue bad = store.MakeString(kGermanIn1252);
    store.Append(fromXtra, bad);
    store.Release(bad);
    try {
        marlowhost::FromHostValue(store, text, fromXtra, NoObject, 7);
        FAIL() << "text that is not UTF-8 read as UTF-8";
    } catch (const lingo::ScriptError& error) {
        EXPECT_EQ(error.Line(), 7);
        EXPECT_STREQ(error.what(), "Script error: the Xtra answered text that is not UTF-8");
    }
    store.Release(fromXtra);

    lingo::Value script = lingo::Value::NewPropList(
        {{lingo::Value::Symbol("name"), lingo::Value::NewList({lingo::Value::String(kGerman),
                                                               lingo::Value::String(kGermanIn1252)})}});
    EXPECT_THROW(marlowhost::ToHostValue(store, text, script, 3), lingo::ScriptError);
    EXPECT_EQ(store.LiveValues(), 0);
}

}  // namespace

// The native layer's code pages with Windows' counting rules: UTF-8 and
// 1252, the ANSI code page here.
#include <gtest/gtest.h>

#include <string>

#include "platform/windows_api.h"

namespace {

std::u16string ToWide(UINT codePage, DWORD flags, const std::string& bytes) {
    const int needed = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (needed <= 0) return u"<failed>";
    std::u16string wide(static_cast<size_t>(needed), u'\0');
    EXPECT_EQ(MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &wide[0], needed),
              needed);
    return wide;
}

std::string FromWide(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr) {
    const int needed = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, usedDefault);
    if (needed <= 0) return "<failed>";
    std::string bytes(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], needed, nullptr,
                        usedDefault);
    return bytes;
}

}  // namespace

TEST(PlatformCodePages, Utf8RoundTripsEveryPlaneAndRefusesWhatIsNotUtf8WhenAsked) {
    const std::string text = "J\xC3\xBCrgen \xE3\x83\x86 \xF0\x9F\x8E\x99";
    const std::u16string wide = u"J\u00FCrgen \u30C6 \U0001F399";
    EXPECT_EQ(ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text), wide);
    EXPECT_EQ(FromWide(CP_UTF8, wide), text);

    // A lone continuation byte, an overlong slash, a cut sequence, a surrogate.
    for (const std::string bad : {"a\x80", "\xC0\xAF", "\xE3\x83", "\xED\xA0\x80"}) {
        EXPECT_EQ(ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, bad), u"<failed>");
    }
    EXPECT_EQ(ToWide(CP_UTF8, 0, "a\xFF" "b"), u"a\uFFFDb");
    // A lone surrogate becomes the replacement character.
    EXPECT_EQ(FromWide(CP_UTF8, std::u16string(1, u'\xD83C')), "\xEF\xBF\xBD");
}

TEST(PlatformCodePages, TheAnsiCodePageIs1252WithItsOwnHighCharacters) {
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(ToWide(CP_ACP, MB_ERR_INVALID_CHARS, "\x80 \xE4 \x9F"), u"\u20AC \u00E4 \u0178");
    BOOL usedDefault = TRUE;
    EXPECT_EQ(FromWide(CP_ACP, u"\u20AC\u00FC", &usedDefault), "\x80\xFC");
    EXPECT_FALSE(usedDefault);
    // One "?" for each character the code page cannot hold, pairs included.
    EXPECT_EQ(FromWide(CP_ACP, u"\u30C6\U0001F399.", &usedDefault), "??.");
    EXPECT_TRUE(usedDefault);
}

TEST(PlatformCodePages, CountsFollowWindows) {
    // -1 takes the terminator along; a size of 0 asks; too small answers 0.
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab", -1, nullptr, 0), 3);
    WCHAR small[2] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, small, 2), 0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00FC", -1, nullptr, 0, nullptr, nullptr), 3);
    // UTF-8 takes no default character.
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, "?", nullptr), 0);
    EXPECT_EQ(MultiByteToWideChar(932, 0, "a", 1, nullptr, 0), 0);
}

// The text of the Director marlowhost plays: UTF-8 from 11 on, code page
// 1252 before, and nothing but UTF-8 in the transcript.
#include <gtest/gtest.h>

#include <string>

#include "director_text.h"

namespace {

using marlowhost::DirectorText;
using marlowhost::HostEncoding;

TEST(DirectorText, VersionsFrom11OnPassUtf8) {
    EXPECT_EQ(DirectorText::EncodingOfVersion("8.5"), HostEncoding::AnsiCodePage);
    EXPECT_EQ(DirectorText::EncodingOfVersion("10.1"), HostEncoding::AnsiCodePage);
    EXPECT_EQ(DirectorText::EncodingOfVersion("5.0a"), HostEncoding::AnsiCodePage);
    EXPECT_EQ(DirectorText::EncodingOfVersion(""), HostEncoding::AnsiCodePage);
    EXPECT_EQ(DirectorText::EncodingOfVersion("11"), HostEncoding::Utf8);
    EXPECT_EQ(DirectorText::EncodingOfVersion("11.5"), HostEncoding::Utf8);
    EXPECT_EQ(DirectorText::EncodingOfVersion("12.0"), HostEncoding::Utf8);
    EXPECT_EQ(DirectorText::EncodingOfVersion("99999999999.0"), HostEncoding::Utf8);
}

TEST(DirectorText, AnOldDirectorGetsCodePage1252AndQuestionMarksForTheRest) {
    const DirectorText text(HostEncoding::AnsiCodePage);
    std::string host;
    ASSERT_TRUE(text.ToHost("Mikrofon (USB-Audioger\xC3\xA4t) \xE2\x82\xAC", &host));
    EXPECT_EQ(host, "Mikrofon (USB-Audioger\xE4t) \x80");
    ASSERT_TRUE(text.ToHost("\xE3\x83\x9E\xE3\x82\xA4\xE3\x82\xAF.wav", &host));  // Japanese "mic"
    EXPECT_EQ(host, "???.wav");
    ASSERT_TRUE(text.ToHost("take \xF0\x9F\x8E\xA4", &host));  // an emoji: a surrogate pair
    EXPECT_EQ(host, "take ??");
    ASSERT_TRUE(text.ToHost("", &host));
    EXPECT_EQ(host, "");
    EXPECT_FALSE(text.ToHost("Audioger\xE4t", &host));

    std::string utf8;
    ASSERT_TRUE(text.FromHost("Micr\xF3" "fono \x80 \x81", &utf8));
    EXPECT_EQ(utf8, "Micr\xC3\xB3" "fono \xE2\x82\xAC \xC2\x81");
}

TEST(DirectorText, ANewDirectorPassesUtf8AndRefusesWhatIsNot) {
    const DirectorText text(HostEncoding::Utf8);
    const std::string japanese = "\xE3\x83\x9E\xE3\x82\xA4\xE3\x82\xAF \xF0\x9F\x8E\xA4";
    std::string host;
    ASSERT_TRUE(text.ToHost(japanese, &host));
    EXPECT_EQ(host, japanese);
    std::string utf8;
    ASSERT_TRUE(text.FromHost(japanese, &utf8));
    EXPECT_EQ(utf8, japanese);

    EXPECT_FALSE(text.FromHost("Audioger\xE4t", &utf8));
    EXPECT_FALSE(text.FromHost("\xE3\x83", &utf8));
    EXPECT_FALSE(text.ToHost("Audioger\xE4t", &host));
}

}  // namespace

// marlowhost's command line: the Director it plays and the devices it has.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"

namespace {

using marlowhost::Options;

bool Parse(std::vector<std::string> arguments, Options* options, std::string* error) {
    arguments.insert(arguments.begin(), "marlowhost");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(&argument[0]);
    return marlowhost::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(CommandLine, DirectorVersionDefaultsTo12AndNoneOffersNone) {
    std::string error;
    Options defaults;
    ASSERT_TRUE(Parse({"movie.ls"}, &defaults, &error)) << error;
    EXPECT_EQ(defaults.directorVersion, "12.0");

    for (const char* version : {"8.5", "10.1", "11.5", "5.0a"}) {
        Options options;
        ASSERT_TRUE(Parse({"--director-version", version, "movie.ls"}, &options, &error)) << error;
        EXPECT_EQ(options.directorVersion, version);
    }
    Options none;
    ASSERT_TRUE(Parse({"--director-version=none", "movie.ls"}, &none, &error)) << error;
    EXPECT_EQ(none.directorVersion, "");

    for (const char* bad : {"", "MX", "v11", "11 5", "1234567890123456"}) {
        Options options;
        EXPECT_FALSE(Parse({"--director-version", bad, "movie.ls"}, &options, &error)) << bad;
        EXPECT_NE(error.find("--director-version"), std::string::npos) << error;
    }
    Options missing;
    EXPECT_FALSE(Parse({"movie.ls", "--director-version"}, &missing, &error));
}

TEST(CommandLine, EachDeviceOptionNamesOneDeviceInAnyLanguage) {
    std::string error;
    Options options;
    const std::string japanese = "\xE3\x83\x9E\xE3\x82\xA4\xE3\x82\xAF";
    ASSERT_TRUE(Parse({"--device", "Mikrofon (USB-Audioger\xC3\xA4t)", "--device=" + japanese, "movie.ls"}, &options,
                      &error))
        << error;
    EXPECT_EQ(options.machine.deviceNames,
              (std::vector<std::string>{"Mikrofon (USB-Audioger\xC3\xA4t)", japanese}));

    Options both;
    EXPECT_FALSE(Parse({"--devices", "2", "--device", "A", "movie.ls"}, &both, &error));
    Options empty;
    EXPECT_FALSE(Parse({"--device=", "movie.ls"}, &empty, &error));
    Options latin1;
    EXPECT_FALSE(Parse({"--device", "Audioger\xE4t", "movie.ls"}, &latin1, &error));
    Options many;
    std::vector<std::string> arguments;
    for (int i = 0; i < 33; ++i) {
        arguments.push_back("--device");
        arguments.push_back("D" + std::to_string(i));
    }
    arguments.push_back("movie.ls");
    EXPECT_FALSE(Parse(arguments, &many, &error));
}

}  // namespace

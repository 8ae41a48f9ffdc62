// The text the Xtra registers under msgTable: the version banner followed by
// the method table. The host numbers the methods from these lines.
#pragma once

namespace module {

// "xtra Marlowtide --(WINTEL Release build) -- version 1.0.12(U)(S)\n";
// also the answer of GetVersionString.
const char* VersionBanner();

// The 39 lines after the banner, each ending with a line feed.
const char* MethodTableText();

}  // namespace module

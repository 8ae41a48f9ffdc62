// Which text the host speaks, asked once when an object is made: Director
// 11 and later speak UTF-8, earlier ones and hosts that do not say which
// Director they are speak the ANSI code page.
#pragma once

#include "host/host_text.h"
#include "moa/imoa_callback.h"

// The first Director whose texts are UTF-8.
constexpr int kFirstUtf8DirectorVersion = 11;

struct HostTextChoice {
    static constexpr int kVersionBytes = 32;

    HostText text = HostText::AnsiCodePage();
    // As the host answered it ("12.0"); empty when it did not say.
    char productVersion[kVersionBytes] = {};
};

HostTextChoice ChooseHostText(IMoaCallback* callback);

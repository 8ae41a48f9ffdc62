#include "host/host_text_choice.h"

#include <cstdlib>

#include "diag/bounded_text.h"
#include "moa/imoa_app_info.h"

HostTextChoice ChooseHostText(IMoaCallback* callback) {
    HostTextChoice choice;
    IMoaAppInfo* appInfo = nullptr;
    if (callback == nullptr ||
        callback->QueryInterface(&IID_IMoaAppInfo, reinterpret_cast<void**>(&appInfo)) != kMoaErr_NoErr ||
        appInfo == nullptr) {
        return choice;
    }
    char version[HostTextChoice::kVersionBytes] = {};
    const MoaError answered = appInfo->GetInfo(kMoaAppInfo_ProductVersion, version, sizeof version - 1);
    appInfo->Release();
    // The host need not terminate a text it could not give.
    version[sizeof version - 1] = '\0';
    if (answered != kMoaErr_NoErr || version[0] < '0' || version[0] > '9') {
        return choice;
    }
    CopyBounded(choice.productVersion, version);
    // Letters may follow the number ("5.0a"); only the major version counts.
    if (std::strtol(version, nullptr, 10) >= kFirstUtf8DirectorVersion) {
        choice.text = HostText::Utf8();
    }
    return choice;
}

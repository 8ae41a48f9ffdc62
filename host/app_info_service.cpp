#include "app_info_service.h"

#include <cstring>

namespace marlowhost {

MoaError MOA_STDCALL AppInfoService::GetInfo(MoaLong desiredInfo, char* buffer, MoaLong bufferLength) {
    if (buffer == nullptr || bufferLength <= 0) {
        return kMoaErr_BadParam;
    }
    // Whatever the answer, the caller reads a terminated text.
    buffer[0] = '\0';
    std::string answer;
    switch (desiredInfo) {
    case kMoaAppInfo_ProductName: answer = "Director"; break;
    case kMoaAppInfo_ProductVersion: answer = productVersion_; break;
    case kMoaAppInfo_RunMode: answer = "Author"; break;
    default: return kMoaErr_NoSuchKey;
    }
    if (answer.size() >= static_cast<size_t>(bufferLength)) {
        return kMoaErr_BadParam;
    }
    std::memcpy(buffer, answer.c_str(), answer.size() + 1);
    return kMoaErr_NoErr;
}

}  // namespace marlowhost

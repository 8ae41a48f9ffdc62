// IMoaAppInfo: which Director the host is. It answers the product's name,
// version and run mode, as Director's authoring tool does; an Xtra learns
// from the version how the host passes text.
#pragma once
#include <string>

#include "counted_service.h"
#include "moa/imoa_app_info.h"

namespace marlowhost {

class AppInfoService : public CountedService<IMoaAppInfo> {
public:
    AppInfoService() : CountedService(IID_IMoaAppInfo) {}

    MoaError MOA_STDCALL GetInfo(MoaLong desiredInfo, char* buffer, MoaLong bufferLength) override;

    // Such as "8.5" or "12.0".
    void SetProductVersion(const std::string& version) { productVersion_ = version; }
    const std::string& ProductVersion() const { return productVersion_; }

private:
    std::string productVersion_;
};

}  // namespace marlowhost

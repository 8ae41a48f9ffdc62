#include "utility_service.h"

#include "host_choices.h"

namespace marlowhost {

MoaError MOA_STDCALL UtilityService::ValueToCMRef(const MoaMmValue*, MoaDrCMRef*) { return kNotImplemented; }
MoaError MOA_STDCALL UtilityService::CMRefToValue(const MoaDrCMRef*, MoaMmValue*) { return kNotImplemented; }

MoaError MOA_STDCALL UtilityService::NewMediaInfo(MoaMmSymbol label, MoaMmSymbol format, void* mediaData,
                                                  MoaLong options, void* aux, MoaDrMediaInfo* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    if (mediaInfoRefusal_ != kMoaErr_NoErr) {
        return mediaInfoRefusal_;
    }
    out->labelSymbol = label;
    out->formatSymbol = format;
    out->mediaData = mediaData;
    out->options = options;
    out->aux = aux;
    out->refCon = nullptr;
    ++mediaInfosMade_;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL UtilityService::MediaRelease(MoaDrMediaInfo*) { return kNotImplemented; }

MoaError MOA_STDCALL UtilityService::NewScoreAccess(IMoaDrScoreAccess** out) {
    if (out != nullptr) {
        *out = nullptr;
    }
    return kNotImplemented;
}

MoaError MOA_STDCALL UtilityService::RegisterNotificationClient(void*, MoaLong, void*) { return kNotImplemented; }
MoaError MOA_STDCALL UtilityService::UnregisterNotificationClient(void*, MoaLong, void*) { return kNotImplemented; }

}  // namespace marlowhost

// IMoaDrUtils: NewMediaInfo only fills the record.
#pragma once
#include "counted_service.h"
#include "moa/imoa_dr_utils.h"

namespace marlowhost {

class UtilityService : public CountedService<IMoaDrUtils> {
public:
    UtilityService() : CountedService(IID_IMoaDrUtils) {}

    MoaError MOA_STDCALL ValueToCMRef(const MoaMmValue* value, MoaDrCMRef* out) override;
    MoaError MOA_STDCALL CMRefToValue(const MoaDrCMRef* ref, MoaMmValue* out) override;
    MoaError MOA_STDCALL NewMediaInfo(MoaMmSymbol label, MoaMmSymbol format, void* mediaData, MoaLong options,
                                      void* aux, MoaDrMediaInfo* out) override;
    MoaError MOA_STDCALL MediaRelease(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL NewScoreAccess(IMoaDrScoreAccess** out) override;
    MoaError MOA_STDCALL RegisterNotificationClient(void* client, MoaLong type, void* refCon) override;
    MoaError MOA_STDCALL UnregisterNotificationClient(void* client, MoaLong type, void* refCon) override;

    int MediaInfosMade() const { return mediaInfosMade_; }
    // From now on NewMediaInfo answers code and leaves the record alone.
    void RefuseMediaInfo(MoaError code) { mediaInfoRefusal_ = code; }

private:
    int mediaInfosMade_ = 0;
    MoaError mediaInfoRefusal_ = kMoaErr_NoErr;
};

}  // namespace marlowhost

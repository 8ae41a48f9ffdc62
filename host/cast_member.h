// IMoaDrCastMem: a member with a type, a name and media. SetMedia copies
// the bytes of the global memory block and leaves the block with the caller.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "counted_service.h"
#include "moa/imoa_dr_cast_mem.h"
#include "value_store.h"

namespace marlowhost {

class CastMember : public CountedService<IMoaDrCastMem> {
public:
    CastMember(ValueStore& store, MoaDrMemberIndex index, const std::string& type)
        : CountedService(IID_IMoaDrCastMem), store_(store), index_(index), type_(type) {}

    // "name" (a string) and "type" (a symbol); the caller releases the value.
    MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
    // Only "name", with a string value (kMoaMmErr_StringExpected otherwise).
    MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
    // A new global block with a copy of the media; the caller owns it.
    MoaError MOA_STDCALL GetMedia(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL SetMedia(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL AttachMedia(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL CallFunction(MoaMmSymbol name, MoaLong nargs, const MoaMmValue* args, MoaMmValue* result) override;
    MoaError MOA_STDCALL GetMemberIndex(MoaDrMemberIndex* out) override;
    MoaError MOA_STDCALL GetScoreAccess(IMoaDrScoreAccess** out) override;
    MoaError MOA_STDCALL CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result,
                                     MoaBool* handled) override;

    MoaDrMemberIndex Index() const { return index_; }
    const std::string& Type() const { return type_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    bool HasMedia() const { return hasMedia_; }
    const std::vector<uint8_t>& Media() const { return media_; }
    const std::string& MediaLabel() const { return mediaLabel_; }
    const std::string& MediaFormat() const { return mediaFormat_; }
    int SetMediaCalls() const { return setMediaCalls_; }
    // From now on SetMedia answers code and keeps the media it has, as
    // Director does with media it cannot take.
    void RefuseMedia(MoaError code) { mediaRefusal_ = code; }

private:
    ValueStore& store_;
    MoaDrMemberIndex index_;
    std::string type_;
    std::string name_;
    bool hasMedia_ = false;
    std::vector<uint8_t> media_;
    std::string mediaLabel_;
    std::string mediaFormat_;
    int setMediaCalls_ = 0;
    MoaError mediaRefusal_ = kMoaErr_NoErr;
};

}  // namespace marlowhost

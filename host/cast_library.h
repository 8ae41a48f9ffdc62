// IMoaDrCast: numbered member slots (from 1) with a fixed capacity.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "cast_member.h"
#include "counted_service.h"
#include "moa/imoa_dr_cast.h"
#include "value_store.h"

namespace marlowhost {

class CastLibrary : public CountedService<IMoaDrCast> {
public:
    CastLibrary(ValueStore& store, const std::string& name, int slots);

    MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
    MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
    MoaError MOA_STDCALL GetIndexInMovie(IMoaDrMovie* movie, MoaDrCastIndex* out) override;
    MoaError MOA_STDCALL GetFirstUsedMemberIndex(MoaDrMemberIndex* out) override;
    MoaError MOA_STDCALL GetNextUsedMemberIndex(MoaDrMemberIndex after, MoaDrMemberIndex* out) override;
    MoaError MOA_STDCALL GetLastUsedMemberIndex(MoaDrMemberIndex* out) override;
    // 0 and kFullCastAnswer when every slot is taken.
    MoaError MOA_STDCALL GetFirstFreeMemberIndex(MoaDrMemberIndex* out) override;
    MoaError MOA_STDCALL GetNextFreeMemberIndex(MoaDrMemberIndex after, MoaDrMemberIndex* out) override;
    MoaError MOA_STDCALL GetLastFreeMemberIndex(MoaDrMemberIndex* out) override;
    // Without case; 0 and kNoMemberOfThatName when no member has the name.
    MoaError MOA_STDCALL GetMemberIndexFromName(char* name, MoaDrMemberIndex* out) override;
    // The slot must be taken (kMoaDrErr_CastMemNotFound); AddRef'd for the caller.
    MoaError MOA_STDCALL GetCastMem(MoaDrMemberIndex index, IMoaDrCastMem** out) override;
    // Replaces a member already in the slot; the new one has no name or media.
    MoaError MOA_STDCALL CreateCastMem(MoaDrMemberIndex index, MoaMmSymbol typeSymbol) override;
    MoaError MOA_STDCALL DeleteCastMem(MoaDrMemberIndex index) override;
    MoaError MOA_STDCALL DuplicateCastMem(MoaDrMemberIndex source, IMoaDrCast* destination,
                                          MoaDrMemberIndex destinationIndex) override;
    MoaError MOA_STDCALL Save(char* path) override;

    const std::string& Name() const { return name_; }
    int Slots() const { return static_cast<int>(slots_.size()); }
    int MemberCount() const;
    // Null for an empty slot or an index outside 1..Slots().
    CastMember* Member(MoaDrMemberIndex index) const;
    // Null when no member has the name (any case).
    CastMember* MemberNamed(const std::string& name) const;
    // For tests that fill a cast: a member of that type and name in the slot.
    CastMember& PutMember(MoaDrMemberIndex index, const std::string& type, const std::string& name);
    // Members references still held by callers, over all members ever made.
    int MemberReferences() const;

private:
    bool IsSlot(MoaDrMemberIndex index) const;
    void Retire(MoaDrMemberIndex index);

    ValueStore& store_;
    std::string name_;
    std::vector<std::unique_ptr<CastMember>> slots_;
    // Replaced and deleted members stay alive: a caller may still hold one.
    std::vector<std::unique_ptr<CastMember>> retired_;
};

}  // namespace marlowhost

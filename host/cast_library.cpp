#include "cast_library.h"

#include "host_choices.h"
#include "text_fold.h"

namespace marlowhost {

CastLibrary::CastLibrary(ValueStore& store, const std::string& name, int slots)
    : CountedService(IID_IMoaDrCast), store_(store), name_(name), slots_(static_cast<size_t>(slots < 0 ? 0 : slots)) {}

MoaError MOA_STDCALL CastLibrary::GetProp(MoaMmSymbol, MoaMmValue*) { return kMoaMmErr_PropertyNotFound; }
MoaError MOA_STDCALL CastLibrary::SetProp(MoaMmSymbol, const MoaMmValue*) { return kCannotSetProperty; }
MoaError MOA_STDCALL CastLibrary::GetIndexInMovie(IMoaDrMovie*, MoaDrCastIndex*) { return kNotImplemented; }
MoaError MOA_STDCALL CastLibrary::GetFirstUsedMemberIndex(MoaDrMemberIndex*) { return kNotImplemented; }
MoaError MOA_STDCALL CastLibrary::GetNextUsedMemberIndex(MoaDrMemberIndex, MoaDrMemberIndex*) { return kNotImplemented; }
MoaError MOA_STDCALL CastLibrary::GetLastUsedMemberIndex(MoaDrMemberIndex*) { return kNotImplemented; }

MoaError MOA_STDCALL CastLibrary::GetFirstFreeMemberIndex(MoaDrMemberIndex* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    for (size_t slot = 0; slot < slots_.size(); ++slot) {
        if (slots_[slot] == nullptr) {
            *out = static_cast<MoaDrMemberIndex>(slot + 1);
            return kMoaErr_NoErr;
        }
    }
    *out = 0;
    return kFullCastAnswer;
}

MoaError MOA_STDCALL CastLibrary::GetNextFreeMemberIndex(MoaDrMemberIndex, MoaDrMemberIndex*) { return kNotImplemented; }
MoaError MOA_STDCALL CastLibrary::GetLastFreeMemberIndex(MoaDrMemberIndex*) { return kNotImplemented; }

MoaError MOA_STDCALL CastLibrary::GetMemberIndexFromName(char* name, MoaDrMemberIndex* out) {
    if (name == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    CastMember* member = MemberNamed(name);
    *out = member == nullptr ? 0 : member->Index();
    return member == nullptr ? kNoMemberOfThatName : kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastLibrary::GetCastMem(MoaDrMemberIndex index, IMoaDrCastMem** out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    CastMember* member = Member(index);
    if (member == nullptr) {
        *out = nullptr;
        return kMoaDrErr_CastMemNotFound;
    }
    member->AddRef();
    *out = member;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastLibrary::CreateCastMem(MoaDrMemberIndex index, MoaMmSymbol typeSymbol) {
    std::string type;
    if (!IsSlot(index) || !store_.SymbolName(typeSymbol, &type)) {
        return kMoaErr_BadParam;
    }
    Retire(index);
    slots_[static_cast<size_t>(index) - 1] = std::make_unique<CastMember>(store_, index, type);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastLibrary::DeleteCastMem(MoaDrMemberIndex index) {
    if (Member(index) == nullptr) {
        return kMoaDrErr_CastMemNotFound;
    }
    Retire(index);
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL CastLibrary::DuplicateCastMem(MoaDrMemberIndex, IMoaDrCast*, MoaDrMemberIndex) {
    return kNotImplemented;
}

MoaError MOA_STDCALL CastLibrary::Save(char*) { return kNotImplemented; }

int CastLibrary::MemberCount() const {
    int count = 0;
    for (const auto& slot : slots_) {
        count += slot != nullptr ? 1 : 0;
    }
    return count;
}

CastMember* CastLibrary::Member(MoaDrMemberIndex index) const {
    return IsSlot(index) ? slots_[static_cast<size_t>(index) - 1].get() : nullptr;
}

CastMember* CastLibrary::MemberNamed(const std::string& name) const {
    for (const auto& slot : slots_) {
        if (slot != nullptr && SameName(slot->Name(), name)) {
            return slot.get();
        }
    }
    return nullptr;
}

CastMember& CastLibrary::PutMember(MoaDrMemberIndex index, const std::string& type, const std::string& name) {
    CreateCastMem(index, store_.Intern(type));
    CastMember& member = *slots_.at(static_cast<size_t>(index) - 1);
    member.SetName(name);
    return member;
}

int CastLibrary::MemberReferences() const {
    int references = 0;
    for (const auto& slot : slots_) {
        references += slot != nullptr ? slot->References() : 0;
    }
    for (const auto& member : retired_) {
        references += member->References();
    }
    return references;
}

bool CastLibrary::IsSlot(MoaDrMemberIndex index) const {
    return index >= 1 && static_cast<size_t>(index) <= slots_.size();
}

void CastLibrary::Retire(MoaDrMemberIndex index) {
    std::unique_ptr<CastMember>& slot = slots_[static_cast<size_t>(index) - 1];
    if (slot != nullptr) {
        retired_.push_back(std::move(slot));
    }
}

}  // namespace marlowhost

#include "host/host_bridge.h"

#include "diag/bounded_text.h"
#include "moa/com_ptr.h"
#include "moa/imoa_dr_utils.h"

// winuser.h maps SetProp to SetPropA; the member's SetProp is the host's.
#ifdef SetProp
#undef SetProp
#endif

namespace {

// The dispatcher reads member names into this many bytes.
constexpr std::size_t kMemberNameBytes = 500;

// No member has the name: a new one of memberType takes the first free slot
// and gets the name.
StatusRecord CreateNamedMember(IMoaMmValue* values, IMoaDrCast* cast, MoaMmSymbol memberType, const char* name,
                               ComPtr<IMoaDrCastMem>* member) {
    StatusRecord result;
    result.Reset();
    // The host answers slot 0 for a full cast, possibly without an error.
    MoaDrMemberIndex slot = 0;
    MoaError code = cast->GetFirstFreeMemberIndex(&slot);
    if (code != kMoaErr_NoErr || slot == 0) {
        result.SetFailure("No free member slots", code);
        return result;
    }
    if ((code = cast->CreateCastMem(slot, memberType)) != kMoaErr_NoErr) {
        result.SetFailure("Could not create new member", code);
        return result;
    }
    if ((code = cast->GetCastMem(slot, member->Out())) != kMoaErr_NoErr) {
        result.SetFailure("Could not get access to newly created member", code);
        return result;
    }
    MoaMmSymbol nameProperty = 0;
    values->StringToSymbol("name", &nameProperty);
    MoaMmValue nameValue = {};
    values->StringToValue(name, &nameValue);
    code = (*member)->SetProp(nameProperty, &nameValue);
    values->ValueRelease(&nameValue);
    if (code != kMoaErr_NoErr) {
        result.SetFailure("Could not set name of created member", code);
    }
    return result;
}

// Finds the member called name in cast, or creates it.
StatusRecord FindOrCreateMember(IMoaMmValue* values, IMoaDrCast* cast, MoaMmSymbol memberType, const char* name,
                                ComPtr<IMoaDrCastMem>* member) {
    StatusRecord result;
    result.Reset();
    // The host's name arguments are not const.
    char memberName[kMemberNameBytes];
    CopyBounded(memberName, name);
    // Index 0 means no member of that name, whether or not the host calls it an error.
    MoaDrMemberIndex index = 0;
    const MoaError code = cast->GetMemberIndexFromName(memberName, &index);
    if (index == 0) {
        return CreateNamedMember(values, cast, memberType, memberName, member);
    }
    if (code != kMoaErr_NoErr) {
        result.SetFailure("Could not get member name from index", code);
        return result;
    }
    const MoaError found = cast->GetCastMem(index, member->Out());
    if (found != kMoaErr_NoErr) {
        result.SetFailure("Could not find member or out of memory", found);
    }
    return result;
}

}  // namespace

StatusRecord HostBridge::SaveSoundAsMember(const char* name, int32_t castLib, HGLOBAL image) {
    StatusRecord result;
    result.Reset();
    {
        // Released in this order when the block ends: utils, member, cast, movie.
        ComPtr<IMoaDrMovie> movie;
        ComPtr<IMoaDrCast> cast;
        ComPtr<IMoaDrCastMem> member;
        ComPtr<IMoaDrUtils> utils;

        MoaMmSymbol soundType = 0;
        MoaMmSymbol waveFormat = 0;
        value_->StringToSymbol("Sound", &soundType);
        value_->StringToSymbol("winWAVE", &waveFormat);

        MoaError code = player_ != nullptr ? player_->GetActiveMovie(movie.Out()) : kMoaErr_BadInterface;
        if (code != kMoaErr_NoErr) {
            result.SetFailure("could not get access to active movie", code);
        } else if ((code = movie->GetNthCast(castLib, cast.Out())) != kMoaErr_NoErr) {
            result.SetFailure("could not get access to cast", code);
        } else {
            result = FindOrCreateMember(value_, cast.Get(), soundType, name, &member);
        }
        if (!result.failed &&
            (callback_->QueryInterface(&IID_IMoaDrUtils, utils.OutVoid()) != kMoaErr_NoErr || !utils)) {
            result.SetFailure("Could not obtain Diretor utils interface", 0);
        }
        if (!result.failed) {
            MoaDrMediaInfo media = {};
            MoaError code = utils->NewMediaInfo(soundType, waveFormat, image, 0, nullptr, &media);
            if (code != kMoaErr_NoErr) {
                result.SetFailure("Could not make media descriptor", code);
            } else if ((code = member->SetMedia(&media)) != kMoaErr_NoErr) {
                result.SetFailure("Could not set media of member", code);
            }
        }
    }
    // SetMedia copied the take, and on a failure nobody took it: it is ours to free.
    if (image != nullptr) {
        GlobalFree(image);
    }
    return result;
}

#include "movie_service.h"

#include "host_choices.h"
#include "text_fold.h"

namespace marlowhost {

MovieService::MovieService(ValueStore& store, MovieHandlers& handlers, MovieContext& context)
    : CountedService(IID_IMoaDrMovie), store_(store), handlers_(handlers), context_(context) {}

MoaError MOA_STDCALL MovieService::QueryInterface(const MoaInterfaceID* iid, void** out) {
    if (iid != nullptr && out != nullptr && MoaEqualID(*iid, IID_IMoaDrMovieContext)) {
        if (contextWithheld_) {
            *out = nullptr;
            return kMoaErr_BadInterface;
        }
        context_.AddRef();
        *out = static_cast<IMoaDrMovieContext*>(&context_);
        return kMoaErr_NoErr;
    }
    return CountedService::QueryInterface(iid, out);
}

MoaError MOA_STDCALL MovieService::GetProp(MoaMmSymbol, MoaMmValue*) { return kMoaMmErr_PropertyNotFound; }
MoaError MOA_STDCALL MovieService::SetProp(MoaMmSymbol, const MoaMmValue*) { return kCannotSetProperty; }
MoaError MOA_STDCALL MovieService::GetMedia(MoaDrMediaInfo*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::SetMedia(MoaDrMediaInfo*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::AttachMedia(MoaDrMediaInfo*) { return kNotImplemented; }

MoaError MOA_STDCALL MovieService::CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result) {
    return handlers_.Call(name, nargs, args, result);
}

MoaError MOA_STDCALL MovieService::GetCastCount(MoaLong* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = CastCount();
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL MovieService::GetNthCast(MoaDrCastIndex index, IMoaDrCast** out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    CastLibrary* cast = Cast(index);
    if (cast == nullptr) {
        *out = nullptr;
        return kMoaDrErr_CastNotFound;
    }
    cast->AddRef();
    *out = cast;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL MovieService::GetCastFromName(char* name, IMoaDrCast** out) {
    MoaDrCastIndex index = 0;
    MoaError found = GetCastIndexFromName(name, &index);
    if (found != kMoaErr_NoErr) {
        if (out != nullptr) {
            *out = nullptr;
        }
        return found;
    }
    return GetNthCast(index, out);
}

MoaError MOA_STDCALL MovieService::GetCastIndexFromName(char* name, MoaDrCastIndex* out) {
    if (name == nullptr || out == nullptr) {
        return kMoaErr_BadParam;
    }
    for (size_t i = 0; i < casts_.size(); ++i) {
        if (SameName(casts_[i]->Name(), name)) {
            *out = static_cast<MoaDrCastIndex>(i + 1);
            return kMoaErr_NoErr;
        }
    }
    *out = 0;
    return kMoaDrErr_CastNotFound;
}

MoaError MOA_STDCALL MovieService::NewCast(char*, MoaBoolParam, MoaDrCastIndex*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::AddExternalCast(char*, char*, MoaDrCastIndex*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::RemoveCast(MoaDrCastIndex) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetCMRefFromMemberName(char*, MoaDrCMRef*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetCastMemFromCMRef(MoaDrCMRef*, IMoaDrCastMem**) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::UpdateStageRect(MoaRect*, MoaRect*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetStageWindowGC(IMoaMmGC**) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetStageBufferGC(IMoaMmGC**) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetFrameIndexFromLabel(char*, MoaLong*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetFrameLabelFromIndex(MoaLong, char*, MoaLong) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::SetFrameLabel(MoaLong, char*) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::GetScoreAccess(IMoaDrScoreAccess**) { return kNotImplemented; }
MoaError MOA_STDCALL MovieService::Save(char*, MoaBoolParam) { return kNotImplemented; }

MoaError MOA_STDCALL MovieService::SendSpriteMessage(MoaLong, MoaMmSymbol, MoaLong, MoaMmValue*, MoaMmValue*,
                                                     MoaBool* handled) {
    if (handled != nullptr) {
        *handled = 0;
    }
    return kNotImplemented;
}

CastLibrary& MovieService::AddCastLibrary(const std::string& name, int slots) {
    casts_.push_back(std::make_unique<CastLibrary>(store_, name, slots));
    return *casts_.back();
}

CastLibrary* MovieService::Cast(MoaDrCastIndex number) const {
    if (number < 1 || static_cast<size_t>(number) > casts_.size()) {
        return nullptr;
    }
    return casts_[static_cast<size_t>(number) - 1].get();
}

}  // namespace marlowhost

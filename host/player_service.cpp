#include "player_service.h"

#include "host_choices.h"

namespace marlowhost {

MoaError MOA_STDCALL PlayerService::GetProp(MoaMmSymbol, MoaMmValue*) { return kMoaMmErr_PropertyNotFound; }
MoaError MOA_STDCALL PlayerService::SetProp(MoaMmSymbol, const MoaMmValue*) { return kCannotSetProperty; }

MoaError MOA_STDCALL PlayerService::CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result) {
    return handlers_.Call(name, nargs, args, result);
}

MoaError MOA_STDCALL PlayerService::GetActiveMovie(IMoaDrMovie** out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    if (!movieOpen_) {
        *out = nullptr;
        return kNoActiveMovie;
    }
    movie_->AddRef();
    *out = movie_;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL PlayerService::GetMovieCount(MoaLong* out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    *out = movieOpen_ ? 1 : 0;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL PlayerService::GetNthMovie(MoaLong index, IMoaDrMovie** out) {
    if (out == nullptr) {
        return kMoaErr_BadParam;
    }
    if (index != 1) {
        *out = nullptr;
        return kMoaMmErr_ArgOutOfRange;
    }
    return GetActiveMovie(out);
}

MoaError MOA_STDCALL PlayerService::ResolveFileName(const char*, char*, MoaLong) { return kNotImplemented; }
MoaError MOA_STDCALL PlayerService::GetCastMemTypeCount(MoaLong*) { return kNotImplemented; }
MoaError MOA_STDCALL PlayerService::GetNthCastMemTypeSymbol(MoaLong, MoaMmSymbol*) { return kNotImplemented; }
MoaError MOA_STDCALL PlayerService::GetCastMemTypeDisplayName(MoaMmSymbol, char*, MoaLong) { return kNotImplemented; }
MoaError MOA_STDCALL PlayerService::GetGlobalVarValue(MoaMmSymbol, MoaMmValue*) { return kNotImplemented; }
MoaError MOA_STDCALL PlayerService::SetGlobalVarValue(MoaMmSymbol, MoaMmValue*) { return kNotImplemented; }

}  // namespace marlowhost

// IMoaDrMovie: the active movie, its cast libraries (numbered from 1) and,
// through QueryInterface, its handler-call context.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "cast_library.h"
#include "counted_service.h"
#include "moa/imoa_dr_movie.h"
#include "movie_context.h"
#include "movie_handlers.h"
#include "value_store.h"

namespace marlowhost {

class MovieService : public CountedService<IMoaDrMovie> {
public:
    MovieService(ValueStore& store, MovieHandlers& handlers, MovieContext& context);

    // Also gives IMoaDrMovieContext, unless withheld.
    MoaError MOA_STDCALL QueryInterface(const MoaInterfaceID* iid, void** out) override;

    MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
    MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
    MoaError MOA_STDCALL GetMedia(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL SetMedia(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL AttachMedia(MoaDrMediaInfo* info) override;
    MoaError MOA_STDCALL CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result) override;
    MoaError MOA_STDCALL GetCastCount(MoaLong* out) override;
    // kMoaDrErr_CastNotFound and null outside 1..count; AddRef'd for the caller.
    MoaError MOA_STDCALL GetNthCast(MoaDrCastIndex index, IMoaDrCast** out) override;
    MoaError MOA_STDCALL GetCastFromName(char* name, IMoaDrCast** out) override;
    MoaError MOA_STDCALL GetCastIndexFromName(char* name, MoaDrCastIndex* out) override;
    MoaError MOA_STDCALL NewCast(char* name, MoaBoolParam external, MoaDrCastIndex* out) override;
    MoaError MOA_STDCALL AddExternalCast(char* name, char* path, MoaDrCastIndex* out) override;
    MoaError MOA_STDCALL RemoveCast(MoaDrCastIndex index) override;
    MoaError MOA_STDCALL GetCMRefFromMemberName(char* name, MoaDrCMRef* out) override;
    MoaError MOA_STDCALL GetCastMemFromCMRef(MoaDrCMRef* ref, IMoaDrCastMem** out) override;
    MoaError MOA_STDCALL UpdateStageRect(MoaRect* window, MoaRect* buffer) override;
    MoaError MOA_STDCALL GetStageWindowGC(IMoaMmGC** out) override;
    MoaError MOA_STDCALL GetStageBufferGC(IMoaMmGC** out) override;
    MoaError MOA_STDCALL GetFrameIndexFromLabel(char* label, MoaLong* out) override;
    MoaError MOA_STDCALL GetFrameLabelFromIndex(MoaLong frame, char* buffer, MoaLong maxLength) override;
    MoaError MOA_STDCALL SetFrameLabel(MoaLong frame, char* label) override;
    MoaError MOA_STDCALL GetScoreAccess(IMoaDrScoreAccess** out) override;
    MoaError MOA_STDCALL Save(char* path, MoaBoolParam saveExternalCasts) override;
    MoaError MOA_STDCALL SendSpriteMessage(MoaLong channel, MoaMmSymbol name, MoaLong nargs, MoaMmValue* args,
                                           MoaMmValue* result, MoaBool* handled) override;

    // A new cast library numbered CastCount() after the call.
    CastLibrary& AddCastLibrary(const std::string& name, int slots);
    // number from 1; null outside 1..CastCount().
    CastLibrary* Cast(MoaDrCastIndex number) const;
    int CastCount() const { return static_cast<int>(casts_.size()); }
    void WithholdContext(bool withheld) { contextWithheld_ = withheld; }

private:
    ValueStore& store_;
    MovieHandlers& handlers_;
    MovieContext& context_;
    std::vector<std::unique_ptr<CastLibrary>> casts_;
    bool contextWithheld_ = false;
};

}  // namespace marlowhost

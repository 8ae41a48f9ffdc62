// IMoaDrPlayer: the active movie (which a test can take away or change) and
// CallHandler into the movie's handlers.
#pragma once
#include "counted_service.h"
#include "moa/imoa_dr_player.h"
#include "movie_handlers.h"
#include "movie_service.h"

namespace marlowhost {

class PlayerService : public CountedService<IMoaDrPlayer> {
public:
    PlayerService(MovieService& movie, MovieHandlers& handlers)
        : CountedService(IID_IMoaDrPlayer), movie_(&movie), handlers_(handlers) {}

    MoaError MOA_STDCALL GetProp(MoaMmSymbol property, MoaMmValue* out) override;
    MoaError MOA_STDCALL SetProp(MoaMmSymbol property, const MoaMmValue* value) override;
    MoaError MOA_STDCALL CallHandler(MoaMmSymbol name, MoaLong nargs, MoaMmValue* args, MoaMmValue* result) override;
    // AddRef'd for the caller; kNoActiveMovie and null while the movie is absent.
    MoaError MOA_STDCALL GetActiveMovie(IMoaDrMovie** out) override;
    MoaError MOA_STDCALL GetMovieCount(MoaLong* out) override;
    MoaError MOA_STDCALL GetNthMovie(MoaLong index, IMoaDrMovie** out) override;
    MoaError MOA_STDCALL ResolveFileName(const char* in, char* out, MoaLong maxLength) override;
    MoaError MOA_STDCALL GetCastMemTypeCount(MoaLong* out) override;
    MoaError MOA_STDCALL GetNthCastMemTypeSymbol(MoaLong index, MoaMmSymbol* out) override;
    MoaError MOA_STDCALL GetCastMemTypeDisplayName(MoaMmSymbol type, char* buffer, MoaLong maxLength) override;
    MoaError MOA_STDCALL GetGlobalVarValue(MoaMmSymbol name, MoaMmValue* out) override;
    MoaError MOA_STDCALL SetGlobalVarValue(MoaMmSymbol name, MoaMmValue* value) override;

    void SetMovieOpen(bool open) { movieOpen_ = open; }
    bool MovieOpen() const { return movieOpen_; }
    void SetActiveMovie(MovieService& movie) { movie_ = &movie; }

private:
    MovieService* movie_;
    MovieHandlers& handlers_;
    bool movieOpen_ = true;
};

}  // namespace marlowhost

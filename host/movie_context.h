// IMoaDrMovieContext: the handler-call context, with Push and Pop counted.
#pragma once
#include "counted_service.h"
#include "moa/imoa_dr_movie_context.h"

namespace marlowhost {

class MovieContext : public CountedService<IMoaDrMovieContext> {
public:
    MovieContext() : CountedService(IID_IMoaDrMovieContext) {}

    MoaError MOA_STDCALL PushXtraContext(DrContextState* state) override;
    // A pop without a push answers kMoaErr_BadParam and is counted.
    MoaError MOA_STDCALL PopXtraContext(DrContextState* state) override;
    MoaError MOA_STDCALL ReleaseExclusiveThread(DrContextState* state) override;
    MoaError MOA_STDCALL ReacquireExclusiveThread(DrContextState* state) override;

    int Pushes() const { return pushes_; }
    int Pops() const { return pops_; }
    int Depth() const { return pushes_ - pops_; }
    int UnbalancedPops() const { return unbalancedPops_; }

private:
    int pushes_ = 0;
    int pops_ = 0;
    int unbalancedPops_ = 0;
};

}  // namespace marlowhost

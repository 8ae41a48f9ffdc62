#include "host/host_bridge.h"

#include "moa/host_abi_choices.h"

namespace {

// The headers do not say which object offers the handler-call context; we
// ask the movie, as the interface's name suggests.
IMoaDrMovieContext* MovieContextOf(IMoaDrMovie* movie) {
    void* context = nullptr;
    if (movie->QueryInterface(&IID_IMoaDrMovieContext, &context) != kMoaErr_NoErr) {
        return nullptr;
    }
    return static_cast<IMoaDrMovieContext*>(context);
}

}  // namespace

MoaError HostBridge::CallMovieHandler(const char* name, int32_t count, MoaMmValue* args) {
    if (player_ == nullptr || value_ == nullptr) {
        return kMoaErr_BadInterface;
    }
    // Asked at each report: the movie that made the object may have gone
    // (`go to movie`), or none may have played then.
    IMoaDrMovie* movie = nullptr;
    if (player_->GetActiveMovie(&movie) != kMoaErr_NoErr || movie == nullptr) {
        return kMoaErr_NoErr;
    }
    // Held until the call is over: a handler may go to another movie, and
    // the pop belongs to the context that was pushed. A state of its own,
    // as a handler may report again inside this call.
    IMoaDrMovieContext* context = MovieContextOf(movie);
    DrContextState state = {};
    if (context != nullptr) {
        context->PushXtraContext(&state);
    }
    MoaMmSymbol handler = 0;
    value_->StringToSymbol(name, &handler);
    MoaMmValue result = {};
    MoaError code = player_->CallHandler(handler, count, args, &result);
    if (code == kMoaErr_NoErr) {
        value_->ValueRelease(&result);
    }
    // The context came from the movie: it goes first.
    if (context != nullptr) {
        context->PopXtraContext(&state);
        context->Release();
    }
    movie->Release();
    // A movie need not define the handlers it is told about.
    if (code == moa_choice::kMissingHandlerAnswer) {
        code = kMoaErr_NoErr;
    }
    return code;
}

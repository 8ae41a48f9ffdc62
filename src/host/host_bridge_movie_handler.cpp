#include "host/host_bridge.h"

#include "moa/host_abi_choices.h"

MoaError HostBridge::CallMovieHandler(const char* name, int32_t count, MoaMmValue* args) {
    if (player_ == nullptr || value_ == nullptr) {
        return kMoaErr_BadInterface;
    }
    if (movieContext_ != nullptr) {
        movieContext_->PushXtraContext(&handlerContext_);
    }
    MoaMmSymbol handler = 0;
    value_->StringToSymbol(name, &handler);
    MoaMmValue result = {};
    MoaError code = player_->CallHandler(handler, count, args, &result);
    if (code == kMoaErr_NoErr) {
        value_->ValueRelease(&result);
    }
    if (movieContext_ != nullptr) {
        movieContext_->PopXtraContext(&handlerContext_);
    }
    // A movie need not define the handlers it is told about.
    if (code == moa_choice::kMissingHandlerAnswer) {
        code = kMoaErr_NoErr;
    }
    return code;
}

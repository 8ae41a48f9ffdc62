#include "movie_context.h"

namespace marlowhost {

MoaError MOA_STDCALL MovieContext::PushXtraContext(DrContextState* state) {
    if (state == nullptr) {
        return kMoaErr_BadParam;
    }
    ++pushes_;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL MovieContext::PopXtraContext(DrContextState* state) {
    if (state == nullptr) {
        return kMoaErr_BadParam;
    }
    if (Depth() == 0) {
        ++unbalancedPops_;
        return kMoaErr_BadParam;
    }
    ++pops_;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL MovieContext::ReleaseExclusiveThread(DrContextState* state) {
    return state == nullptr ? kMoaErr_BadParam : kMoaErr_NoErr;
}

MoaError MOA_STDCALL MovieContext::ReacquireExclusiveThread(DrContextState* state) {
    return state == nullptr ? kMoaErr_BadParam : kMoaErr_NoErr;
}

}  // namespace marlowhost

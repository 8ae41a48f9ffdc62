#include "window_service.h"

namespace marlowhost {

MoaLong MOA_STDCALL WindowService::WinDialogBox(void*, const char*, void*) { return -1; }

MoaError MOA_STDCALL WindowService::WinGetParent(MoaMmHInst* instance, MoaMmHWnd* window) {
    if (instance == nullptr || window == nullptr) {
        return kMoaErr_BadParam;
    }
    *instance = instance_;
    *window = parentWindow_;
    return kMoaErr_NoErr;
}

MoaLong MOA_STDCALL WindowService::WinDialogBoxParam(void*, const char*, void*, MoaLong) { return -1; }

MoaError MOA_STDCALL WindowService::WinPrepareDialogBox(void** cookie) {
    if (cookie == nullptr) {
        return kMoaErr_BadParam;
    }
    ++preparations_;
    *cookie = this;
    return kMoaErr_NoErr;
}

MoaError MOA_STDCALL WindowService::WinUnprepareDialogBox(void* cookie) {
    if (cookie != this || preparations_ == 0) {
        return kMoaErr_BadParam;
    }
    --preparations_;
    return kMoaErr_NoErr;
}

void WindowService::SetHandles(MoaMmHInst instance, MoaMmHWnd parentWindow) {
    instance_ = instance;
    parentWindow_ = parentWindow;
}

}  // namespace marlowhost

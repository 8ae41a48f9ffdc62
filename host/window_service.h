// IMoaMmWndWin: WinGetParent gives the host's instance handle and, second,
// a distinct parent window (fixed values unless a host sets real ones).
#pragma once
#include "counted_service.h"
#include "host_choices.h"
#include "moa/imoa_mm_wnd_win.h"

namespace marlowhost {

class WindowService : public CountedService<IMoaMmWndWin> {
public:
    WindowService() : CountedService(IID_IMoaMmWndWin) {}

    MoaLong MOA_STDCALL WinDialogBox(void* cookie, const char* dialogTemplate, void* dialogProc) override;
    MoaError MOA_STDCALL WinGetParent(MoaMmHInst* instance, MoaMmHWnd* window) override;
    MoaLong MOA_STDCALL WinDialogBoxParam(void* cookie, const char* dialogTemplate, void* dialogProc, MoaLong param) override;
    MoaError MOA_STDCALL WinPrepareDialogBox(void** cookie) override;
    MoaError MOA_STDCALL WinUnprepareDialogBox(void* cookie) override;

    void SetHandles(MoaMmHInst instance, MoaMmHWnd parentWindow);
    MoaMmHInst InstanceHandle() const { return instance_; }
    MoaMmHWnd ParentWindow() const { return parentWindow_; }
    // Prepared dialog boxes not yet unprepared.
    int OpenDialogPreparations() const { return preparations_; }

private:
    MoaMmHInst instance_ = kDefaultInstanceHandle;
    MoaMmHWnd parentWindow_ = kDefaultParentWindow;
    int preparations_ = 0;
};

}  // namespace marlowhost

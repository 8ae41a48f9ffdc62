// DirectSound as the Windows SDK declares it: the entry functions, the
// interfaces with their method order and signatures, the description and
// capability records, the flags and result codes. Native build only; the
// simulator stands behind it (see simulator/control.h).
#pragma once

#include "platform/win32_layer.h"

// ---- result codes --------------------------------------------------------
constexpr HRESULT DS_OK = S_OK;
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_GENERIC = E_FAIL;
constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DSERR_NOINTERFACE = E_NOINTERFACE;

// ---- flags ---------------------------------------------------------------
constexpr DWORD DSSCL_NORMAL = 0x00000001;
constexpr DWORD DSSCL_PRIORITY = 0x00000002;
constexpr DWORD DSSCL_EXCLUSIVE = 0x00000003;
constexpr DWORD DSSCL_WRITEPRIMARY = 0x00000004;

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBCAPS_CTRLPOSITIONNOTIFY = 0x00000100;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00010000;

constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

constexpr DWORD DSCBSTART_LOOPING = 0x00000001;
constexpr DWORD DSCBSTATUS_CAPTURING = 0x00000001;
constexpr DWORD DSCBSTATUS_LOOPING = 0x00000002;

constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

// ---- records -------------------------------------------------------------
struct DSCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMinSecondarySampleRate;
    DWORD dwMaxSecondarySampleRate;
    DWORD dwPrimaryBuffers;
    DWORD dwMaxHwMixingAllBuffers;
    DWORD dwMaxHwMixingStaticBuffers;
    DWORD dwMaxHwMixingStreamingBuffers;
    DWORD dwFreeHwMixingAllBuffers;
    DWORD dwFreeHwMixingStaticBuffers;
    DWORD dwFreeHwMixingStreamingBuffers;
    DWORD dwMaxHw3DAllBuffers;
    DWORD dwMaxHw3DStaticBuffers;
    DWORD dwMaxHw3DStreamingBuffers;
    DWORD dwFreeHw3DAllBuffers;
    DWORD dwFreeHw3DStaticBuffers;
    DWORD dwFreeHw3DStreamingBuffers;
    DWORD dwTotalHwMemBytes;
    DWORD dwFreeHwMemBytes;
    DWORD dwMaxContigFreeHwMemBytes;
    DWORD dwUnlockTransferRateHwBuffers;
    DWORD dwPlayCpuOverheadSwBuffers;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
typedef DSCAPS* LPDSCAPS;

struct DSBCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwUnlockTransferRate;
    DWORD dwPlayCpuOverhead;
};
typedef DSBCAPS* LPDSBCAPS;

struct DSCCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFormats;
    DWORD dwChannels;
};
typedef DSCCAPS* LPDSCCAPS;

struct DSCBCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
};
typedef DSCBCAPS* LPDSCBCAPS;

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
};
typedef DSBUFFERDESC* LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

struct DSCEFFECTDESC {
    DWORD dwSize;
    DWORD dwFlags;
    GUID guidDSCFXClass;
    GUID guidDSCFXInstance;
    DWORD dwReserved1;
    DWORD dwReserved2;
};
typedef DSCEFFECTDESC* LPDSCEFFECTDESC;

// The description without the effect fields, as DirectSound before 8 took it.
struct DSCBUFFERDESC1 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
};
typedef DSCBUFFERDESC1* LPDSCBUFFERDESC1;

struct DSCBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    DWORD dwFXCount;
    LPDSCEFFECTDESC lpDSCFXDesc;
};
typedef DSCBUFFERDESC* LPDSCBUFFERDESC;
typedef const DSCBUFFERDESC* LPCDSCBUFFERDESC;

// ---- interfaces ----------------------------------------------------------
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

struct IDirectSound;
struct IDirectSoundBuffer;
struct IDirectSoundCapture;
struct IDirectSoundCaptureBuffer;
typedef IDirectSound* LPDIRECTSOUND;
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;
typedef IDirectSoundCapture* LPDIRECTSOUNDCAPTURE;
typedef IDirectSoundCaptureBuffer* LPDIRECTSOUNDCAPTUREBUFFER;

struct IDirectSound : IUnknown {
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC lpcDSBufferDesc,
                                      LPDIRECTSOUNDBUFFER* lplpDirectSoundBuffer,
                                      LPUNKNOWN pUnkOuter) = 0;
    virtual HRESULT GetCaps(LPDSCAPS lpDSCaps) = 0;
    virtual HRESULT DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER lpDsbOriginal,
                                         LPDIRECTSOUNDBUFFER* lplpDsbDuplicate) = 0;
    virtual HRESULT SetCooperativeLevel(HWND hwnd, DWORD dwLevel) = 0;
    virtual HRESULT Compact() = 0;
    virtual HRESULT GetSpeakerConfig(LPDWORD lpdwSpeakerConfig) = 0;
    virtual HRESULT SetSpeakerConfig(DWORD dwSpeakerConfig) = 0;
    virtual HRESULT Initialize(LPCGUID lpcGuid) = 0;
};

struct IDirectSoundBuffer : IUnknown {
    virtual HRESULT GetCaps(LPDSBCAPS lpDSBufferCaps) = 0;
    virtual HRESULT GetCurrentPosition(LPDWORD lpdwCurrentPlayCursor,
                                       LPDWORD lpdwCurrentWriteCursor) = 0;
    virtual HRESULT GetFormat(LPWAVEFORMATEX lpwfxFormat, DWORD dwSizeAllocated,
                              LPDWORD lpdwSizeWritten) = 0;
    virtual HRESULT GetVolume(LPLONG lplVolume) = 0;
    virtual HRESULT GetPan(LPLONG lplPan) = 0;
    virtual HRESULT GetFrequency(LPDWORD lpdwFrequency) = 0;
    virtual HRESULT GetStatus(LPDWORD lpdwStatus) = 0;
    virtual HRESULT Initialize(LPDIRECTSOUND lpDirectSound, LPCDSBUFFERDESC lpcDSBufferDesc) = 0;
    virtual HRESULT Lock(DWORD dwOffset, DWORD dwBytes, LPVOID* ppvAudioPtr1,
                         LPDWORD pdwAudioBytes1, LPVOID* ppvAudioPtr2, LPDWORD pdwAudioBytes2,
                         DWORD dwFlags) = 0;
    virtual HRESULT Play(DWORD dwReserved1, DWORD dwPriority, DWORD dwFlags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD dwNewPosition) = 0;
    virtual HRESULT SetFormat(LPCWAVEFORMATEX lpcfxFormat) = 0;
    virtual HRESULT SetVolume(LONG lVolume) = 0;
    virtual HRESULT SetPan(LONG lPan) = 0;
    virtual HRESULT SetFrequency(DWORD dwFrequency) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(LPVOID pvAudioPtr1, DWORD dwAudioBytes1, LPVOID pvAudioPtr2,
                           DWORD dwAudioBytes2) = 0;
    virtual HRESULT Restore() = 0;
};

struct IDirectSoundCapture : IUnknown {
    virtual HRESULT CreateCaptureBuffer(LPCDSCBUFFERDESC lpcDSCBufferDesc,
                                        LPDIRECTSOUNDCAPTUREBUFFER* lplpDSCaptureBuffer,
                                        LPUNKNOWN pUnk) = 0;
    virtual HRESULT GetCaps(LPDSCCAPS lpDSCCaps) = 0;
    virtual HRESULT Initialize(LPCGUID lpcGUID) = 0;
};

struct IDirectSoundCaptureBuffer : IUnknown {
    virtual HRESULT GetCaps(LPDSCBCAPS lpDSCBCaps) = 0;
    virtual HRESULT GetCurrentPosition(LPDWORD lpdwCapturePosition, LPDWORD lpdwReadPosition) = 0;
    virtual HRESULT GetFormat(LPWAVEFORMATEX lpwfxFormat, DWORD dwSizeAllocated,
                              LPDWORD lpdwSizeWritten) = 0;
    virtual HRESULT GetStatus(LPDWORD lpdwStatus) = 0;
    virtual HRESULT Initialize(LPDIRECTSOUNDCAPTURE lpDSC, LPCDSCBUFFERDESC lpcDSCBDesc) = 0;
    virtual HRESULT Lock(DWORD dwReadCusor, DWORD dwReadBytes, LPVOID* lplpvAudioPtr1,
                         LPDWORD lpdwAudioBytes1, LPVOID* lplpvAudioPtr2,
                         LPDWORD lpdwAudioBytes2, DWORD dwFlags) = 0;
    virtual HRESULT Start(DWORD dwFlags) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(LPVOID lpvAudioPtr1, DWORD dwAudioBytes1, LPVOID lpvAudioPtr2,
                           DWORD dwAudioBytes2) = 0;
};

extern "C" {
extern const IID IID_IUnknown;
extern const IID IID_IDirectSound;
extern const IID IID_IDirectSoundBuffer;
extern const IID IID_IDirectSoundCapture;
extern const IID IID_IDirectSoundCaptureBuffer;
}

// ---- entry functions -----------------------------------------------------
typedef BOOL(CALLBACK* LPDSENUMCALLBACKW)(LPGUID lpGuid, LPCWSTR lpcstrDescription,
                                          LPCWSTR lpcstrModule, LPVOID lpContext);

extern "C" {
HRESULT WINAPI DirectSoundCaptureEnumerateW(LPDSENUMCALLBACKW pDSEnumCallback, LPVOID pContext);
HRESULT WINAPI DirectSoundCreate(LPCGUID pcGuidDevice, LPDIRECTSOUND* ppDS, LPUNKNOWN pUnkOuter);
HRESULT WINAPI DirectSoundCaptureCreate(LPCGUID pcGuidDevice, LPDIRECTSOUNDCAPTURE* ppDSC,
                                        LPUNKNOWN pUnkOuter);
}

// The Win32 names the Xtra uses, spelled as the Windows SDK spells them, with
// the same layouts and observable results: kernel global memory and clock,
// message boxes, debugger output, COM initialisation and multimedia file I/O.
// Native build only; the win32 build includes the real headers instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>  // SEEK_SET, SEEK_CUR, SEEK_END as mmioSeek takes them; FILE

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0

// ---- basic types ---------------------------------------------------------
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int BOOL;
typedef int32_t HRESULT;
typedef size_t SIZE_T;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void* LPVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* HPSTR;
typedef BYTE* LPBYTE;
typedef WORD* LPWORD;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef BOOL* LPBOOL;
// UTF-16, as on Windows: 16-bit units whatever the compiler's wchar_t is.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;

// Handles: distinct pointer types, as a STRICT Windows build declares them.
typedef void* HANDLE;
typedef HANDLE HGLOBAL;
struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
struct HMMIO__;
typedef HMMIO__* HMMIO;
struct HTASK__;
typedef HTASK__* HTASK;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID* LPGUID;
typedef const GUID* LPCGUID;
typedef GUID IID;
typedef const IID& REFIID;
typedef const GUID& REFGUID;

// ---- result codes --------------------------------------------------------
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

inline bool SUCCEEDED(HRESULT result) { return result >= 0; }
inline bool FAILED(HRESULT result) { return result < 0; }

// ---- kernel: global memory, clock ----------------------------------------
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

extern "C" {
HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
LPVOID WINAPI GlobalLock(HGLOBAL hMem);
BOOL WINAPI GlobalUnlock(HGLOBAL hMem);
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem);
SIZE_T WINAPI GlobalSize(HGLOBAL hMem);

DWORD WINAPI GetTickCount(void);
void WINAPI Sleep(DWORD dwMilliseconds);
}

// ---- kernel: code pages --------------------------------------------------
// The ANSI code page here is always 1252.
constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

extern "C" {
UINT WINAPI GetACP(void);
int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar);
int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                               LPBOOL lpUsedDefaultChar);
}

// ---- kernel: files -------------------------------------------------------
// A file handle here is the POSIX descriptor, so that it fits the 32-bit
// field mmioOpen takes it in, as on Windows.
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

extern "C" {
HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL WINAPI CloseHandle(HANDLE hObject);
// The C runtime's wide fopen.
std::FILE* _wfopen(const WCHAR* filename, const WCHAR* mode);
}

// ---- user: message boxes; debugger output --------------------------------
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr int IDOK = 1;

extern "C" {
int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
void WINAPI OutputDebugStringW(LPCWSTR lpOutputString);
}

// ---- COM -----------------------------------------------------------------
extern "C" {
HRESULT WINAPI CoInitialize(LPVOID pvReserved);
void WINAPI CoUninitialize(void);
}

// ---- wave format ---------------------------------------------------------
constexpr WORD WAVE_FORMAT_PCM = 1;

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
typedef WAVEFORMATEX* LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

// ---- multimedia file I/O -------------------------------------------------
typedef UINT MMRESULT;
typedef DWORD FOURCC;

constexpr FOURCC mmioFOURCC(char ch0, char ch1, char ch2, char ch3) {
    return static_cast<FOURCC>(static_cast<BYTE>(ch0)) |
           (static_cast<FOURCC>(static_cast<BYTE>(ch1)) << 8) |
           (static_cast<FOURCC>(static_cast<BYTE>(ch2)) << 16) |
           (static_cast<FOURCC>(static_cast<BYTE>(ch3)) << 24);
}
constexpr FOURCC FOURCC_RIFF = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC FOURCC_LIST = mmioFOURCC('L', 'I', 'S', 'T');
// The I/O procedure of plain files: with no name, mmioOpen takes an open
// file handle from adwInfo[0], and mmioClose closes it.
constexpr FOURCC FOURCC_DOS = mmioFOURCC('D', 'O', 'S', ' ');

typedef LRESULT(CALLBACK MMIOPROC)(LPSTR lpmmioinfo, UINT uMsg, LPARAM lParam1, LPARAM lParam2);
typedef MMIOPROC* LPMMIOPROC;

struct MMIOINFO {
    DWORD dwFlags;
    FOURCC fccIOProc;
    LPMMIOPROC pIOProc;
    UINT wErrorRet;
    HTASK htask;
    LONG cchBuffer;
    HPSTR pchBuffer;
    HPSTR pchNext;
    HPSTR pchEndRead;
    HPSTR pchEndWrite;
    LONG lBufOffset;
    LONG lDiskOffset;
    DWORD adwInfo[3];
    DWORD dwReserved1;
    DWORD dwReserved2;
    HMMIO hmmio;
};
typedef MMIOINFO* LPMMIOINFO;
typedef const MMIOINFO* LPCMMIOINFO;

struct MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
};
typedef MMCKINFO* LPMMCKINFO;
typedef const MMCKINFO* LPCMMCKINFO;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;

constexpr UINT MMIOERR_BASE = 256;
constexpr UINT MMIOERR_FILENOTFOUND = MMIOERR_BASE + 1;
constexpr UINT MMIOERR_OUTOFMEMORY = MMIOERR_BASE + 2;
constexpr UINT MMIOERR_CANNOTOPEN = MMIOERR_BASE + 3;
constexpr UINT MMIOERR_CANNOTCLOSE = MMIOERR_BASE + 4;
constexpr UINT MMIOERR_CANNOTREAD = MMIOERR_BASE + 5;
constexpr UINT MMIOERR_CANNOTWRITE = MMIOERR_BASE + 6;
constexpr UINT MMIOERR_CANNOTSEEK = MMIOERR_BASE + 7;
constexpr UINT MMIOERR_CANNOTEXPAND = MMIOERR_BASE + 8;
constexpr UINT MMIOERR_CHUNKNOTFOUND = MMIOERR_BASE + 9;
constexpr UINT MMIOERR_UNBUFFERED = MMIOERR_BASE + 10;
constexpr UINT MMIOERR_PATHNOTFOUND = MMIOERR_BASE + 11;
constexpr UINT MMIOERR_ACCESSDENIED = MMIOERR_BASE + 12;
constexpr UINT MMIOERR_TOOMANYOPENFILES = MMIOERR_BASE + 15;

// Open flags.
constexpr DWORD MMIO_READ = 0x00000000;
constexpr DWORD MMIO_WRITE = 0x00000001;
constexpr DWORD MMIO_READWRITE = 0x00000002;
constexpr DWORD MMIO_RWMODE = 0x00000003;
constexpr DWORD MMIO_CREATE = 0x00001000;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;
constexpr DWORD MMIO_DIRTY = 0x10000000;
constexpr LONG MMIO_DEFAULTBUFFER = 8192;
// mmioCreateChunk and mmioDescend flags.
constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;
constexpr UINT MMIO_CREATERIFF = 0x0020;
constexpr UINT MMIO_CREATELIST = 0x0040;

extern "C" {
HMMIO WINAPI mmioOpenW(LPWSTR pszFileName, LPMMIOINFO pmmioinfo, DWORD fdwOpen);
MMRESULT WINAPI mmioClose(HMMIO hmmio, UINT fuClose);
LONG WINAPI mmioRead(HMMIO hmmio, HPSTR pch, LONG cch);
LONG WINAPI mmioWrite(HMMIO hmmio, const char* pch, LONG cch);
LONG WINAPI mmioSeek(HMMIO hmmio, LONG lOffset, int iOrigin);
MMRESULT WINAPI mmioGetInfo(HMMIO hmmio, LPMMIOINFO pmmioinfo, UINT fuInfo);
MMRESULT WINAPI mmioSetInfo(HMMIO hmmio, LPCMMIOINFO pmmioinfo, UINT fuInfo);
MMRESULT WINAPI mmioAdvance(HMMIO hmmio, LPMMIOINFO pmmioinfo, UINT fuAdvance);
MMRESULT WINAPI mmioCreateChunk(HMMIO hmmio, LPMMCKINFO pmmcki, UINT fuCreate);
MMRESULT WINAPI mmioDescend(HMMIO hmmio, LPMMCKINFO pmmcki, const MMCKINFO* pmmckiParent,
                            UINT fuDescend);
MMRESULT WINAPI mmioAscend(HMMIO hmmio, LPMMCKINFO pmmcki, UINT fuAscend);
}

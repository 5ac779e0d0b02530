// Kernel and multimedia calls of the platform layer: time, sleeping, module
// path, current directory, and the RIFF reading calls used for WAV files.
#pragma once
#include "platform/win_types.h"

DWORD GetTickCount(void);
void Sleep(DWORD ms);
DWORD GetModuleFileNameA(HMODULE module, LPSTR buf, DWORD size);
HMODULE GetModuleHandleA(LPCSTR name);
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buf);
BOOL SetCurrentDirectoryA(LPCSTR path);

// Open and save file dialogs.
typedef UINT_PTR (*LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);
typedef struct tagOFNA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
} OPENFILENAMEA, *LPOPENFILENAMEA;
#define OFN_READONLY          0x00000001
#define OFN_OVERWRITEPROMPT   0x00000002
#define OFN_HIDEREADONLY      0x00000004
#define OFN_NOCHANGEDIR       0x00000008
#define OFN_PATHMUSTEXIST     0x00000800
#define OFN_FILEMUSTEXIST     0x00001000
#define OFN_CREATEPROMPT      0x00002000
#define FNERR_INVALIDFILENAME 0x3002
#define FNERR_BUFFERTOOSMALL  0x3003
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
short GetFileTitleA(LPCSTR path, LPSTR buf, WORD size);
DWORD CommDlgExtendedError(void);

// RIFF reading.
typedef struct _MMCKINFO {
    FOURCC ckid;
    DWORD cksize;
    FOURCC fccType;
    DWORD dwDataOffset;
    DWORD dwFlags;
} MMCKINFO, *LPMMCKINFO;
typedef struct _MMIOINFO MMIOINFO;
#define mmioFOURCC(a, b, c, d)                                                                               \
    ((DWORD)(BYTE)(a) | ((DWORD)(BYTE)(b) << 8) | ((DWORD)(BYTE)(c) << 16) | ((DWORD)(BYTE)(d) << 24))
#define FOURCC_RIFF           mmioFOURCC('R', 'I', 'F', 'F')
#define FOURCC_LIST           mmioFOURCC('L', 'I', 'S', 'T')
#define MMIO_READ             0x00000000
#define MMIO_WRITE            0x00000001
#define MMIO_READWRITE        0x00000002
#define MMIO_ALLOCBUF         0x00010000
#define MMIO_FINDCHUNK        0x0010
#define MMIO_FINDRIFF         0x0020
#define MMIO_FINDLIST         0x0040
#define MMIO_DIRTY            0x10000000
#define MMSYSERR_NOERROR      0
#define MMIOERR_BASE          256
#define MMIOERR_FILENOTFOUND  (MMIOERR_BASE + 1)
#define MMIOERR_CANNOTREAD    (MMIOERR_BASE + 5)
#define MMIOERR_CANNOTSEEK    (MMIOERR_BASE + 7)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)
HMMIO mmioOpenA(LPSTR name, MMIOINFO* info, DWORD flags);
MMRESULT mmioDescend(HMMIO h, LPMMCKINFO ck, const MMCKINFO* parent, UINT flags);
LONG mmioRead(HMMIO h, char* buf, LONG count);
MMRESULT mmioAscend(HMMIO h, LPMMCKINFO ck, UINT flags);
MMRESULT mmioClose(HMMIO h, UINT flags);
LONG mmioSeek(HMMIO h, LONG offset, int origin);

// Kernel services of the emulated API: tick count, code page conversions,
// threads and process exit.
#pragma once

#include "emulation/win32_types.h"

#define CP_ACP 0
#define CP_UTF8 65001

#define MB_ERR_INVALID_CHARS 0x00000008

#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_INVALID_PARAMETER 87
#define ERROR_NO_UNICODE_TRANSLATION 1113

DWORD GetTickCount();
DWORD GetCurrentThreadId();
DWORD GetLastError();
void SetLastError(DWORD error);
[[noreturn]] void ExitProcess(UINT exitCode);

// The ANSI code page of the emulated system is 936 (simplified Chinese, GBK).
UINT GetACP();
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteLength,
                        LPWSTR wide, int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR multiByte,
                        int multiByteLength, LPCSTR defaultChar, LPBOOL usedDefaultChar);

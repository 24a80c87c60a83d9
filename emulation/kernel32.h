// Kernel services of the emulated API: tick count, waitable timers and
// waits, global memory, code page conversions, threads and process exit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "emulation/win32_types.h"

typedef std::int64_t LONGLONG;
typedef std::size_t SIZE_T;
typedef ULONG_PTR DWORD_PTR;
typedef DWORD_PTR* PDWORD_PTR;

// Modules: the emulated process has one, the program itself.
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;

typedef HANDLE HGLOBAL;

#define CP_ACP 0
#define CP_UTF8 65001

#define MB_ERR_INVALID_CHARS 0x00000008

#define ERROR_SUCCESS 0
#define ERROR_INVALID_HANDLE 6
#define ERROR_ACCESS_DENIED 5
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_NO_UNICODE_TRANSLATION 1113
#define ERROR_TIMEOUT 1460

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    };
    LONGLONG QuadPart;
};
typedef LARGE_INTEGER* PLARGE_INTEGER;

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

typedef void(CALLBACK* PTIMERAPCROUTINE)(LPVOID argument, DWORD timerLowValue,
                                         DWORD timerHighValue);

DWORD GetTickCount();
void Sleep(DWORD milliseconds);
DWORD GetCurrentThreadId();
DWORD GetLastError();
void SetLastError(DWORD error);
[[noreturn]] void ExitProcess(UINT exitCode);
HMODULE GetModuleHandleA(LPCSTR moduleName);

// Waitable timers. A negative due time is relative to now, in units of 100
// nanoseconds; a positive one is an absolute time of the system clock.
HANDLE CreateWaitableTimerA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, LPCSTR name);
BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period,
                      PTIMERAPCROUTINE completionRoutine, LPVOID argument, BOOL resume);
BOOL CancelWaitableTimer(HANDLE timer);
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
BOOL CloseHandle(HANDLE object);

// Global memory, as the clipboard takes its text.
#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);

// The ANSI code page of the emulated system is 936 (simplified Chinese, GBK).
UINT GetACP();
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteLength,
                        LPWSTR wide, int wideLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR multiByte,
                        int multiByteLength, LPCSTR defaultChar, LPBOOL usedDefaultChar);

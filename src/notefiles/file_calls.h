#pragma once
// The system calls through which a save makes, writes, flushes, cuts and replaces files, in one
// place so that a test can make any one of them fail.
#include <windows.h>

namespace notefiles {

struct FileCalls {
    // Makes the files a save makes anew (CREATE_NEW): staging files, copies, backup names.
    HANDLE(WINAPI* createFile)
    (LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) = CreateFileW;
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = WriteFile;
    BOOL(WINAPI* flushFileBuffers)(HANDLE) = FlushFileBuffers;
    BOOL(WINAPI* setEndOfFile)(HANDLE) = SetEndOfFile;
    BOOL(WINAPI* replaceFile)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) = ReplaceFileW;
    BOOL(WINAPI* moveFileEx)(LPCWSTR, LPCWSTR, DWORD) = MoveFileExW;
};

// The calls that saves make from now on; nullptr restores the system's.
void UseFileCalls(const FileCalls* calls);

} // namespace notefiles

#pragma once
// The system calls through which a save makes, writes, flushes, cuts and replaces files, in one
// place so that a test can make any one of them fail, and the way a save takes.
#include <windows.h>

namespace storage {

// Whether the program runs under Wine rather than Windows (ntdll has wine_get_version), asked
// once. Where Wine measurably behaves otherwise than Windows and a file must be made or written
// one way or the other (permissions), this says which.
bool RunsUnderWine();

struct FileCalls {
    // Makes the files a save makes anew (CREATE_NEW): staging files, copies, backup names.
    HANDLE(WINAPI* createFile)
    (LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) = CreateFileW;
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = WriteFile;
    BOOL(WINAPI* flushFileBuffers)(HANDLE) = FlushFileBuffers;
    BOOL(WINAPI* setEndOfFile)(HANDLE) = SetEndOfFile;
    BOOL(WINAPI* replaceFile)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) = ReplaceFileW;
    BOOL(WINAPI* moveFileEx)(LPCWSTR, LPCWSTR, DWORD) = MoveFileExW;
    // Whether a file that exists is written in place (after a kept copy of its old bytes) rather
    // than replaced by a new file. Under Wine a new file cannot take over the old one's Unix
    // permissions: Wine makes a file's mode from the umask or from an access list, and an access
    // list cannot say most modes (640 not at all; copying the old file's list turned 600 into
    // 770). Only the old file itself keeps its mode, so under Wine every save writes in place.
    bool writeExistingInPlace = RunsUnderWine();
};

// The calls that saves make from now on; nullptr restores the system's.
void UseFileCalls(const FileCalls* calls);

// The calls that saves make now.
const FileCalls& CurrentFileCalls();

} // namespace storage

#include "dying_saver.h"

#include "storage/file_calls.h"
#include "notefiles/kept_copies.h"
#include "notefiles/note_files.h"
#include "toolkit/base/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace soak {
namespace {

std::string g_target; // the final path of the file the child saves

// Writes as the system does, except into the target: there half of the bytes, then the process
// ends at once.
BOOL WINAPI WriteHalfThenDie(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                             LPOVERLAPPED overlapped) {
    char path[MAX_PATH * 2] = {};
    DWORD length = GetFinalPathNameByHandleA(file, path, sizeof path, FILE_NAME_NORMALIZED);
    std::string final(path, std::min<DWORD>(length, sizeof path));
    if (final.rfind("\\\\?\\", 0) == 0) final = final.substr(4);
    if (final != g_target) return WriteFile(file, bytes, count, written, overlapped);
    WriteFile(file, bytes, count / 2, written, overlapped);
    FlushFileBuffers(file);
    TerminateProcess(GetCurrentProcess(), kDiedSaving);
    return FALSE;
}

} // namespace

int SaveAndDie(const std::string& path, const std::string& keptFolder, const std::string& text) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = "\"" + std::string(self) + "\" --die-saving \"" + path + "\" \"" +
                          keptFolder + "\" \"" + text + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return -1;
    CloseHandle(info.hThread);
    tk::KernelHandle process(info.hProcess);
    if (WaitForSingleObject(process.Get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}

int RunDyingSave(int argc, char** argv) {
    if (argc < 5) return 2;
    const std::string path = argv[2];
    {
        tk::KernelHandle file(CreateFileA(path.c_str(), 0, 7, nullptr, OPEN_EXISTING, 0, nullptr));
        char final[MAX_PATH * 2] = {};
        DWORD length =
            GetFinalPathNameByHandleA(file.Get(), final, sizeof final, FILE_NAME_NORMALIZED);
        g_target.assign(final, std::min<DWORD>(length, sizeof final));
        if (g_target.rfind("\\\\?\\", 0) == 0) g_target = g_target.substr(4);
    }
    notefiles::SetKeptCopiesFolder(argv[3]);
    static storage::FileCalls calls;
    calls.writeFile = WriteHalfThenDie;
    calls.writeExistingInPlace = true;
    storage::UseFileCalls(&calls);
    notefiles::WriteNoteFile(path, argv[4]);
    return 0; // the save finished: the child was to die in it
}

} // namespace soak

#include "holder_process.h"

#include <string>

namespace soak {

HolderProcess::HolderProcess(const std::string& path, const std::string& access) {
    static int serial = 0;
    std::string tag = std::to_string(GetCurrentProcessId()) + "." + std::to_string(++serial);
    tk::KernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, ("pinlet-ready-" + tag).c_str()));
    release_ = tk::KernelHandle(CreateEventA(nullptr, TRUE, FALSE, ("pinlet-go-" + tag).c_str()));
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command =
        "\"" + std::string(self) + "\" --hold \"" + path + "\" " + access + " " + tag;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = tk::KernelHandle(info.hProcess);
    HANDLE waits[2] = {ready.Get(), process_.Get()};
    holding_ = WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
}

HolderProcess::~HolderProcess() {
    if (release_.Valid()) SetEvent(release_.Get());
    if (process_.Valid()) WaitForSingleObject(process_.Get(), 20000);
}

int RunHolder(int argc, char** argv) {
    if (argc < 5) return 2;
    std::string path = argv[2], access = argv[3], tag = argv[4];
    DWORD rights = access == "write" ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    tk::KernelHandle file(CreateFileA(path.c_str(), rights, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return 3;
    tk::KernelHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, ("pinlet-ready-" + tag).c_str()));
    tk::KernelHandle release(OpenEventA(SYNCHRONIZE, FALSE, ("pinlet-go-" + tag).c_str()));
    if (!ready.Valid() || !release.Valid()) return 4;
    SetEvent(ready.Get());
    WaitForSingleObject(release.Get(), 60000);
    return 0;
}

} // namespace soak

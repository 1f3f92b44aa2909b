#pragma once
// Another process that holds a file open, so that share modes are tested across processes.
#include "toolkit/base/win_handles.h"

#include <string>

namespace soak {

// Starts this test program again as "--hold <path> <access>" (access "write" or "read") and
// waits until the child holds the file open with no sharing; the child lets go when this
// object ends.
class HolderProcess {
public:
    HolderProcess(const std::string& path, const std::string& access);
    HolderProcess(const HolderProcess&) = delete;
    HolderProcess& operator=(const HolderProcess&) = delete;
    ~HolderProcess();
    bool Holding() const { return holding_; }

private:
    tk::KernelHandle process_;
    tk::KernelHandle release_;
    bool holding_ = false;
};

// The child's side: runs when the program was started with "--hold"; returns the exit code.
int RunHolder(int argc, char** argv);

} // namespace soak

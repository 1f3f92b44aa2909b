#include "copy_keeper.h"

#include "toolkit/base/file_time.h"
#include "toolkit/text/unicode_text.h"

#include <windows.h>

namespace recovery {
namespace {

std::uint64_t Now() {
    return GetTickCount64();
}

} // namespace

CopyKeeper::CopyKeeper(TakeSnapshot take) : take_(std::move(take)) {}

CopyKeeper::~CopyKeeper() = default;

void CopyKeeper::Changed() {
    if (!unavailable_) schedule_.Changed(Now());
}

void CopyKeeper::Tick() {
    if (schedule_.Due(Now())) Take();
}

void CopyKeeper::CopyNow() {
    if (schedule_.Pending()) Take();
    Flush();
}

void CopyKeeper::Take() {
    const std::uint64_t started = Now();
    if (!EnsureStore()) {
        schedule_.Clear();
        return;
    }
    NoteSnapshot snapshot = take_();
    snapshot.Fields.TakenAt = tk::FileTimeNow();
    store_->Write(std::move(snapshot.Fields), std::move(snapshot.Text));
    Register(true);
    const std::uint64_t now = Now();
    schedule_.Copied(now, now - started);
}

void CopyKeeper::Saved() {
    schedule_.Clear();
    if (store_) store_->Remove();
    Register(false);
}

void CopyKeeper::Adopt(RecoveryName name) {
    store_ = std::make_unique<NoteRecovery>(std::move(name));
    registered_ = false; // registered anew under this name
    Register(true);
}

void CopyKeeper::Release() {
    schedule_.Clear();
    store_.reset(); // its lock closes: the copy is an orphan a later start offers
    Register(false);
}

void CopyKeeper::Register(bool withCopy) {
    if (registered_ == withCopy) return;
    RegisterRestart(withCopy ? kRecoverArgument + store_->Name() : std::string());
    registered_ = withCopy;
}

std::string CopyKeeper::Name() const {
    return store_ ? store_->Name() : std::string();
}

void CopyKeeper::Flush() {
    if (store_) store_->Flush();
}

bool CopyKeeper::EnsureStore() {
    if (store_) return true;
    if (unavailable_) return false;
    RecoveryName name = RecoveryName::Fresh(RecoveryFolder());
    if (!name.Valid()) {
        unavailable_ = true;
        return false;
    }
    store_ = std::make_unique<NoteRecovery>(std::move(name));
    return true;
}

void RegisterRestart(const std::string& argument) {
    // Present from Windows Vista on: looked up, so that the program still starts without it.
    using Register = HRESULT(WINAPI*)(PCWSTR, DWORD);
    using Unregister = HRESULT(WINAPI*)();
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    if (argument.empty()) {
        if (auto unregister = reinterpret_cast<Unregister>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "UnregisterApplicationRestart"))))
            unregister();
        return;
    }
    if (auto reg = reinterpret_cast<Register>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "RegisterApplicationRestart"))))
        reg(tk::Wide("\"" + argument + "\"").c_str(), 0);
}

} // namespace recovery

#include "kept_copies.h"

#include "note_file_common.h"
#include "note_files.h"
#include "storage/byte_hash.h"
#include "storage/private_files.h"
#include "storage/whole_file.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/text/hex_digits.h"
#include "toolkit/text/unicode_text.h"

#include <cstdint>
#include <optional>
#include <set>

namespace notefiles {
namespace {

// A record's first line; its fourth holds the new text's size and hash, by WordHashOfBytes under
// this mark and by HashOfBytes under the mark earlier versions wrote (still read, should one of
// their saves have died).
constexpr const char* kRecordMark = "Pinlet kept copy, word hash";
constexpr const char* kByteHashRecordMark = "Pinlet kept copy";
constexpr const char* kRecordPattern = "*.where";
constexpr const char* kCopyPattern = "*.txt";
// A record names a file, a copy and a size: anything larger is not one of ours.
constexpr std::uint64_t kLargestRecord = 64 * 1024;

std::string g_folder; // a test's own

// The new text's size and hash as a record holds them: hashed a word at a time, which a save of
// many megabytes waits for, unless the record is one of the earlier versions'.
std::string SizeAndHash(std::string_view bytes, bool byteHash = false) {
    return std::to_string(bytes.size()) + " " +
           tk::HexDigits(byteHash ? storage::HashOfBytes(bytes) : storage::WordHashOfBytes(bytes), 16);
}


std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    return lines;
}

// The whole content of the file at `path`, read while others may use it; none when it cannot be
// read.
std::optional<std::string> ContentOf(const std::string& path) {
    tk::KernelHandle file(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ, storage::kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    std::uint64_t size = 0;
    if (!file.Valid() || storage::ReadWholeFile(file.Get(), ~std::uint64_t{0}, bytes, size))
        return std::nullopt;
    return bytes;
}

// Removes a file that no one holds open.
void RemoveUnheld(const std::string& path) {
    tk::KernelHandle(CreateFileW(tk::Wide(path).c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

} // namespace

std::string KeptCopiesFolder() {
    return g_folder.empty() ? storage::ProgramDataFolder("Saving") : g_folder;
}

void SetKeptCopiesFolder(const std::string& folder) {
    g_folder = folder;
}

RecordedBytes RecordedBytes::Of(std::string_view bytes) {
    return {SizeAndHash(bytes)};
}

KeptCopy::KeptCopy(const std::string& filePath, const std::string& fileName, std::string_view old)
    : filePath_(filePath), fileName_(fileName), folder_(KeptCopiesFolder()) {
    storage::MakePrivateFolder(folder_);
    storage::PrivateSecurity security(false);
    copy_ = std::make_unique<storage::NewFile>(folder_ + "\\", ".txt", FILE_SHARE_READ,
                                               security.Attributes());
    if (!copy_->Created())
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName, copy_->Reason());
    copyPath_ = copy_->Path();
    if (DWORD error = storage::WriteWhole(copy_->Handle(), old))
        RaiseFileError<tk::EWriteError>(notetext::kCannotWriteFile, copyPath_, error);
}

KeptCopy::KeptCopy(const std::string& filePath, const std::string& fileName, std::string_view old,
                   std::string_view next)
    : KeptCopy(filePath, fileName, old) {
    WriteRecord(RecordedBytes::Of(next));
}

void KeptCopy::WriteRecord(const RecordedBytes& next) {
    storage::PrivateSecurity security(false);
    record_ = std::make_unique<storage::NewFile>(folder_ + "\\", ".where", FILE_SHARE_READ,
                                                 security.Attributes());
    if (!record_->Created())
        RaiseFileError<tk::EFCreateError>(notetext::kCannotCreateFile, fileName_, record_->Reason());
    const std::string record = std::string(kRecordMark) + "\r\n" + filePath_ + "\r\n" +
                               NameOf(copyPath_) + "\r\n" + next.Line + "\r\n";
    if (DWORD error = storage::WriteWhole(record_->Handle(), record))
        RaiseFileError<tk::EWriteError>(notetext::kCannotWriteFile, record_->Path(), error);
}

KeptCopy::~KeptCopy() {
    record_.reset();
    copy_.reset();
}

void KeptCopy::Keep() {
    for (storage::NewFile* file : {record_.get(), copy_.get()})
        if (file) {
            file->Keep();
            file->Close();
        }
}

std::vector<InterruptedSave> FindInterruptedSaves() {
    std::vector<InterruptedSave> found;
    const std::string folder = KeptCopiesFolder();
    std::set<std::string> copiesNamed;
    for (const auto& [name, time] : storage::FilesIn(folder, kRecordPattern)) {
        InterruptedSave save;
        save.Record = folder + "\\" + name;
        // Held by a save under way, or by another note dealing with it: passed over.
        save.HeldRecord =
            tk::KernelHandle(CreateFileW(tk::Wide(save.Record).c_str(), GENERIC_READ | DELETE, 0,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!save.HeldRecord.Valid()) continue;
        std::string text;
        std::uint64_t size = 0;
        if (storage::ReadWholeFile(save.HeldRecord.Get(), kLargestRecord, text, size)) continue;
        const std::vector<std::string> lines = Lines(text);
        if (lines.size() < 4 || (lines[0] != kRecordMark && lines[0] != kByteHashRecordMark))
            continue; // not ours: left alone
        save.File = lines[1];
        save.Copy = folder + "\\" + NameOf(lines[2]);
        copiesNamed.insert(NameOf(lines[2]));
        // Others may read the copy, none remove it.
        save.HeldCopy =
            tk::KernelHandle(CreateFileW(tk::Wide(save.Copy).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const std::optional<std::string> old = ContentOf(save.Copy);
        if (!old) {
            ForgetInterruptedSave(save);
            continue;
        }
        // Finished (the file holds what the save wrote) or never begun (it holds the old bytes).
        const std::optional<std::string> now = ContentOf(save.File);
        if (now && (SizeAndHash(*now, lines[0] == kByteHashRecordMark) == lines[3] || *now == *old)) {
            ForgetInterruptedSave(save);
            continue;
        }
        found.push_back(std::move(save));
    }
    // A copy without a record: its save died before it began writing, or after it finished.
    for (const auto& [name, time] : storage::FilesIn(folder, kCopyPattern))
        if (!copiesNamed.count(name)) RemoveUnheld(folder + "\\" + name);
    return found;
}

void RestoreInterruptedSave(InterruptedSave& save) {
    const std::optional<std::string> old = ContentOf(save.Copy);
    if (!old) RaiseOpenError(save.Copy, GetLastError());
    WriteNoteFile(save.File, *old);
    ForgetInterruptedSave(save);
}

void ForgetInterruptedSave(InterruptedSave& save) {
    save.HeldRecord = tk::KernelHandle();
    save.HeldCopy = tk::KernelHandle();
    DeleteFileW(tk::Wide(save.Record).c_str());
    DeleteFileW(tk::Wide(save.Copy).c_str());
}

} // namespace notefiles

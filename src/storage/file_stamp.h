#pragma once
// What tells one version of a file from another, and one file from another. Needs no operating
// system.
#include <cstdint>
#include <string>

namespace storage {

// A file's size, its last-write time and which file it is. A file that another program put in
// its place is another version even with the same size and time: its index differs.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0; // FILETIME, 100 ns since 1601
    std::uint32_t volume = 0;    // the volume's serial number
    std::uint64_t index = 0;     // the file's index on the volume
    std::string finalPath;       // where the system finds it: links followed, in its own case
    // The same version of the same file: size, time, volume and index alike. Where it was found
    // does not count (another hard link is the same file).
    bool SameVersionAs(const FileStamp& other) const {
        return size == other.size && lastWrite == other.lastWrite && volume == other.volume &&
               index == other.index;
    }
};

// Whether two stamps are of one file, however it was named (in another case, through a link,
// another hard link or a short name): the same final path, or the same index on the same volume.
// A volume serial of 0 (Wine gives it to every file system mounted apart from the drive's own)
// does not tell volumes apart, so there only the path counts.
inline bool SameFile(const FileStamp& a, const FileStamp& b) {
    if (!a.finalPath.empty() && a.finalPath == b.finalPath) return true;
    return a.volume != 0 && a.volume == b.volume && a.index == b.index;
}

} // namespace storage

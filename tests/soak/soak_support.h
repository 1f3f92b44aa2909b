#pragma once
// Helpers of the soak and fault suites: answering the note's dialogs from a hook, scratch
// folders, file bytes, and the process's resource figures.
#include "support/win_test_support.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace soak {

// How the next modal windows of this thread are answered, and what was seen of them.
struct Answers {
    std::string fileName;                  // typed into a file dialog; empty cancels it
    std::wstring wideFileName;             // typed instead, when not empty
    std::function<void()> afterFileDialog; // runs as a confirmed file dialog closes
    std::string confirmButton = "&No";     // caption of the button pressed in "Confirm"
    std::vector<std::string> questions;    // what each "Confirm" asked
    int fileDialogs = 0;
    int confirmations = 0;
    int overwritePrompts = 0;
};

// Installs a CBT hook on the calling thread that answers file dialogs, their overwrite
// prompts and the confirmation as `answers` says, once per window, without waiting.
class DialogAnswerer {
public:
    explicit DialogAnswerer(Answers& answers);
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    ~DialogAnswerer();
};

// A fresh folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& under = "");
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Removes a folder and everything in it, read-only files included.
void RemoveTree(const std::string& folder);
// Names of the entries of a folder other than "." and "..", sorted.
std::string ListFolder(const std::string& folder);

using wintest::ReadBytes;
using wintest::WriteBytes;
// The trimmed system text of an error code, as the file errors quote it.
std::string SystemText(DWORD code);
// The small file system that test.sh mounts for full-disk cases, as a Windows path; empty
// when there is none.
std::string SmallFileSystem();

// Figures of this process. GDI and USER objects come from GetGuiResources where the system
// implements it; where it does not (Wine), GDI objects are counted in the process's GDI handle
// table and USER objects as the windows of the process. Handles come from
// GetProcessHandleCount, or by asking every small handle value; private bytes are the
// committed private pages.
struct ResourceFigures {
    long gdi = 0;
    long user = 0;
    long handles = 0;
    size_t privateBytes = 0;
    std::string Describe() const;
};
ResourceFigures MeasureResources();

// What `count` confirmed system open dialogs alone leave behind in this process: the dialog
// bare, without the toolkit, answered with `fileName` through an installed DialogAnswerer.
// (Wine's keeps one kernel handle per confirmed dialog.)
ResourceFigures SystemOpenDialogCost(int count, const std::string& fileName);

// What the system's multi-line edit control alone keeps when it goes through `count` rounds of
// `round` (which may resize it, or destroy and create it again): a bare control holding `text`,
// without the toolkit. (Wine's keeps memory each time it wraps its text anew.)
ResourceFigures BareEditCost(const std::string& text, int count,
                             const std::function<void(HWND& edit, int round)>& round);
// A bare multi-line edit control holding `text`, in its own top-level window.
HWND CreateBareEdit(const std::string& text, int width, int height);

// Whether the suite runs its long counts (PINLET_SOAK_LONG=1), and the count for this mode.
bool LongMode();
int Count(int bounded, int full);

} // namespace soak

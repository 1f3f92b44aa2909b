#pragma once
// The note's document, apart from its window: the file the note belongs to, the state of that
// file as the note last read or wrote it and the encoding it is written in, whether the text is
// saved, a file's text on its way into the memo, the recovery copy of unsaved text, and what the
// end of the session decided. It reaches the memo, the files, the window and the timers through
// the interfaces of document_ports.h, so that every transition runs without a window in tests.
// Needs no operating system.
#include "document_ports.h"
#include "memo_loading.h"
#include "recovery/copy_keeper.h"

#include <memory>
#include <optional>
#include <string>

namespace note {

class NoteDocument {
public:
    // While a recovery copy waits to fall due, its timer asks whether it has, this often.
    static constexpr unsigned kCopyTick = 250;
    // The note's record of its place is written this long after the last move, resize, pin,
    // zoom, open or save: once a drag ends, never for every pixel of it.
    static constexpr unsigned kPlaceDelay = 500;

    struct Ports {
        NoteMemo& Memo;
        NoteFiles& Files;
        NoteView& View;
        NoteTimers& Timers;
        recovery::CopyStore& Copies;
        recovery::Clock& Clock;
    };
    explicit NoteDocument(const Ports& ports);
    NoteDocument(const NoteDocument&) = delete;
    NoteDocument& operator=(const NoteDocument&) = delete;
    ~NoteDocument();

    bool Saved() const { return saved_; }
    const std::string& FileName() const { return fileName_; }
    // The encoding the note's file is written in.
    const notetext::TextEncoding& Encoding() const { return encoding_; }

    // The memo's text changed (the memo's change event).
    void TextChanged();

    // Whether replacing the note's text may go ahead: at once when it is saved, otherwise only
    // when the user agrees to give up the changes.
    bool MayReplaceText();
    // Writes the note to `target` in the note's encoding, or in UTF-8 if the user agrees where a
    // character has no bytes in it; only a write that went through makes it the note's file and
    // encoding, names the note after it and marks it saved. Raises what the write raises.
    void SaveTo(const std::string& target);

    // Reads `fileName` and starts handing its text to the memo; true when pieces remain to be
    // handed over (see StepOpening), false when the open is complete already (the memo held the
    // text). Raises what reading raises, and EInvalidOperation when the memo refuses the text.
    bool Open(const std::string& fileName);
    // Starts handing a recovery copy's text to the memo, as an open does: once it is in, the
    // note has the file, encoding and file state of the copy and is unsaved, and keeps the copy
    // (through `writer`) until it is saved. False when another text is going to the memo: the
    // copy is then left as it is. `pieces` says whether pieces remain (see Open).
    bool Restore(recovery::RecoveryCopy copy, std::unique_ptr<recovery::CopyWriter> writer,
                 bool& pieces);
    // Whether a text is going to the memo; meanwhile saving and opening are refused, and Esc,
    // closing and the end of the session cancel it.
    bool Opening() const { return load_ != nullptr; }
    // Hands the memo its next piece; true once the whole text is in and the open is complete.
    // `now()` gives milliseconds. When the memo refuses a piece, the open is abandoned (the memo
    // has its text back) and EInvalidOperation raised.
    bool StepOpening(double (*now)());
    // Puts back the memo's text and the note's title from before the open under way, if any.
    void CancelOpening();
    // A save or an open asked for while a text goes to the memo is refused: true then, and the
    // title says to wait.
    bool RefuseWhileOpening();
    // Shows in the title how far the open under way is.
    void ShowOpeningProgress();

    // The copy's timer fired.
    void CopyTimerFired();
    // The window moved, was resized, pinned or zoomed: the note's record follows.
    void PlaceChanged();
    // The record's timer fired.
    void PlaceTimerFired();
    // Goes on as the note that had the claimed name in `writer` (brought back to its place on
    // the desktop), its copy, if it had one, no longer wanted: its record is kept under it.
    void AdoptName(std::unique_ptr<recovery::CopyWriter> writer);
    // A note brought back whose file could not be read: it keeps the file's name, empty.
    void KeepFileName(const std::string& fileName);
    // The window was made anew (pinning makes one): the timers that were running start again.
    void TimersLost();
    // The keeper of the note's recovery copy (tests wait for its writes).
    recovery::CopyKeeper& RecoveryKeeper() { return keeper_; }

    // Closing the note: cancels an open under way; true when the note may close (it is saved, or
    // the user agrees to give up its changes). Its copy goes with changes given up, or, while the
    // end of the session is being asked about, once the session really ends.
    bool MayClose();
    // The system asks whether the session may end (until SessionQueryDone).
    void SessionQueryStarted() { endingSession_ = true; }
    void SessionQueryDone() { endingSession_ = false; }
    // The session ends (`ending`) or goes on after all.
    void SessionEnded(bool ending);

private:
    recovery::NoteSnapshot TakeSnapshot() const;
    void ForgetChanges();
    void ShowFileTitle();
    bool ChangedOnDisk(const std::string& target,
                       const std::optional<storage::FileStamp>& found) const;
    bool LoadIntoMemo(std::string text);
    void CompleteOpening();
    void AbandonOpening();
    void StartCopyTimer();

    Ports ports_;
    bool saved_ = true;
    std::string fileName_;
    // The note's file as the note last read or wrote it, and the encoding it is written in
    // (ANSI in the system's code page until a file says otherwise).
    std::optional<storage::FileStamp> fileStamp_;
    notetext::TextEncoding encoding_;
    // The open under way: the memo's load, and what the note becomes once it is complete.
    std::unique_ptr<MemoLoad<NoteMemo>> load_;
    struct PendingOpen {
        std::string FileName;
        std::optional<storage::FileStamp> Stamp;
        notetext::TextEncoding Encoding;
        std::string TitleBefore;
        bool Refused = false;   // a save or an open was asked for meanwhile
        bool Restoring = false; // the text is a recovery copy's, not the file's
    } pendingOpen_;
    // The recovery copy of the unsaved note: taken as the text changes, gone once it is saved.
    recovery::CopyKeeper keeper_;
    bool copyTimerRunning_ = false;
    bool placeTimerRunning_ = false;
    bool endingSession_ = false;  // the end of the session is being asked about
    bool changesGivenUp_ = false; // and the user agreed to give up the changes
};

} // namespace note

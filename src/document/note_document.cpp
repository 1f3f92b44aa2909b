#include "note_document.h"

#include "document_texts.h"
#include "note_title.h"
#include "notetext/error_text.h"
#include "recovery/copy_fields.h"

#include <new>
#include <utility>

namespace note {

NoteDocument::NoteDocument(const Ports& ports)
    : ports_(ports),
      keeper_([this] { return TakeSnapshot(); }, ports.Copies, ports.Clock,
              [this](const std::string& folder, const std::string& reason) {
                  ports_.View.Tell(
                      notetext::FormatMessageText(kCopiesFailMessage, {folder, reason}));
              }) {}

NoteDocument::~NoteDocument() = default;

// Only an edit marks the note unsaved: the memo also reports a change for an undo that had
// nothing to undo, which leaves its modified flag as it was.
void NoteDocument::TextChanged() {
    if (!ports_.Memo.Modified()) return;
    saved_ = false;
    keeper_.Changed();
    StartCopyTimer();
}

// The timer runs from the first change until the copy is taken; starting it again on every
// change would keep it from ever firing while the keys come faster than its interval.
void NoteDocument::StartCopyTimer() {
    if (copyTimerRunning_ || !keeper_.Pending()) return;
    ports_.Timers.Start(NoteTimer::Copy, kCopyTick);
    copyTimerRunning_ = true;
}

// The recovery copy is taken on this thread from the memo (and written by the keeper's worker),
// never while a file's text is going to the memo: the memo then holds part of it.
void NoteDocument::CopyTimerFired() {
    if (!load_) keeper_.Tick();
    if (keeper_.Pending()) return;
    ports_.Timers.Stop(NoteTimer::Copy);
    copyTimerRunning_ = false;
}

void NoteDocument::PlaceChanged() {
    ports_.Timers.Start(NoteTimer::Place, kPlaceDelay);
    placeTimerRunning_ = true;
}

void NoteDocument::PlaceTimerFired() {
    ports_.Timers.Stop(NoteTimer::Place);
    placeTimerRunning_ = false;
    recovery::NotePlace place = ports_.View.Place();
    place.FileName = fileName_;
    keeper_.Record(recovery::EncodeNotePlace(place));
}

void NoteDocument::AdoptName(std::unique_ptr<recovery::CopyWriter> writer) {
    writer->Remove(); // the copy the user did not want back
    keeper_.Adopt(std::move(writer), false);
    PlaceChanged();
}

void NoteDocument::KeepFileName(const std::string& fileName) {
    fileName_ = fileName;
    fileStamp_.reset();
    ShowFileTitle();
    PlaceChanged();
}

void NoteDocument::TimersLost() {
    if (copyTimerRunning_) ports_.Timers.Start(NoteTimer::Copy, kCopyTick);
    if (placeTimerRunning_) ports_.Timers.Start(NoteTimer::Place, kPlaceDelay);
    if (load_) ports_.Timers.Start(NoteTimer::Opening, 0);
}

recovery::NoteSnapshot NoteDocument::TakeSnapshot() const {
    return {recovery::CopyFieldsOf({fileName_, encoding_, fileStamp_}), ports_.Memo.WideText()};
}

// The note's changes are given up or saved elsewhere: its recovery copy goes, written through.
void NoteDocument::ForgetChanges() {
    keeper_.Saved();
    keeper_.Flush();
}

// The title of the task-bar button, then the window's caption: the file's name.
void NoteDocument::ShowFileTitle() {
    ports_.View.ShowTitle(FileNameWithoutFolder(fileName_), true);
}

bool NoteDocument::MayReplaceText() {
    return saved_ || ports_.View.Agrees(kOpenUnsavedQuestion);
}

// Whether `target`, as the write found it, is the note's own file, however it is spelled
// (another case, a link, a short name, another hard link), or has taken its place, and has
// changed on disk since the note last read or wrote it (another note or program saved or replaced
// it meanwhile): then it is written only if the user says so.
bool NoteDocument::ChangedOnDisk(const std::string& target,
                                 const std::optional<storage::FileStamp>& found) const {
    if (!fileStamp_ || !found) return false;
    if (target != fileName_ && !storage::SameFile(*found, *fileStamp_)) return false;
    return !found->SameVersionAs(*fileStamp_);
}

void NoteDocument::SaveTo(const std::string& target) {
    if (RefuseWhileOpening()) return;
    // The file is opened, and its old bytes kept, while the text is fetched and converted. The
    // text is handed over whole (it may become the bytes themselves) and fetched again in the
    // rare case that it is written as UTF-8 after all. Nothing is held open while the user is
    // asked a question.
    std::unique_ptr<NoteFiles::Write> write = ports_.Files.BeginWrite(target);
    if (ChangedOnDisk(target, write->Before())) {
        write.reset();
        if (!ports_.View.Agrees(kChangedOnDiskQuestion)) return;
        write = ports_.Files.BeginWrite(target);
    }
    notetext::TextEncoding encoding = encoding_;
    std::optional<std::string> bytes = ports_.Files.Encode(ports_.Memo.Text(), encoding);
    if (!bytes) {
        write.reset();
        if (!ports_.View.Agrees(kSaveAsUtf8Question)) return;
        encoding.Form = notetext::EncodingForm::Utf8; // its line breaks stay
        encoding.ByteOrderMark = false;
        encoding.CodePage = 0;
        bytes = ports_.Files.Encode(ports_.Memo.Text(), encoding);
        write = ports_.Files.BeginWrite(target);
    }
    storage::FileStamp stamp = write->Finish(*bytes);
    fileName_ = target;
    fileStamp_ = stamp;
    encoding_ = encoding;
    ShowFileTitle();
    saved_ = true;
    ports_.Memo.SetModified(false); // the next edit marks it unsaved again
    keeper_.Saved();
    PlaceChanged(); // the record names the file
}

// Once the memo holds the file's text, the note is the file's and saved. A text the memo does
// not hold yet goes to it piece by piece, with the message loop running in between; until then
// the note's file, title and saved mark stay as they were.
bool NoteDocument::Open(const std::string& fileName) {
    if (RefuseWhileOpening()) return false;
    notefiles::NoteFileText read = ports_.Files.Read(fileName);
    pendingOpen_ = {fileName, read.Stamp, read.Encoding, ports_.View.Title()};
    try {
        return LoadIntoMemo(std::move(read.Text));
    } catch (const std::bad_alloc&) {
    }
    ports_.Files.RefuseForMemory(fileName); // raises
    return false;
}

// A note that was not saved when its process ended comes back: its text goes to the memo as a
// file's would, and once it is in, the note has the file, encoding and file state it had, is
// unsaved, and keeps the copy (under its claimed name) until it is saved.
bool NoteDocument::Restore(recovery::RecoveryCopy copy,
                           std::unique_ptr<recovery::CopyWriter> writer, bool& pieces) {
    pieces = false;
    if (load_) return false; // not while another text goes to the memo: kept for the next start
    recovery::NoteFileState state = recovery::NoteFileStateOf(copy);
    keeper_.Adopt(std::move(writer));
    PlaceChanged();
    pendingOpen_ = {std::move(state.FileName), state.Stamp, state.Encoding, ports_.View.Title()};
    pendingOpen_.Restoring = true;
    pieces = LoadIntoMemo(std::move(copy.Text));
    return true;
}

// The text the memo does not hold yet goes to it piece by piece; one it holds already completes
// the open at once.
bool NoteDocument::LoadIntoMemo(std::string text) {
    if (MemoHolds(ports_.Memo, text)) {
        CompleteOpening();
        return false;
    }
    load_ = std::make_unique<MemoLoad<NoteMemo>>(ports_.Memo, std::move(text));
    return true;
}

bool NoteDocument::StepOpening(double (*now)()) {
    if (!load_) return true;
    bool done = false;
    try {
        done = load_->Step(now);
    } catch (...) {
        // The memo could not take a piece: it has its text back, and the error shows.
        AbandonOpening();
        throw;
    }
    if (done) CompleteOpening();
    return done;
}

void NoteDocument::CompleteOpening() {
    if (load_) {
        ports_.Timers.Stop(NoteTimer::Opening);
        load_->Complete();
        load_.reset();
    }
    fileName_ = pendingOpen_.FileName;
    fileStamp_ = pendingOpen_.Stamp;
    encoding_ = pendingOpen_.Encoding;
    if (pendingOpen_.Restoring) {
        if (fileName_.empty())
            ports_.View.ShowTitle(pendingOpen_.TitleBefore, false);
        else
            ShowFileTitle();
        saved_ = false;
        ports_.Memo.SetModified(true);
        return;
    }
    ShowFileTitle();
    saved_ = true;
    ports_.Memo.SetModified(false); // also when the memo already held the text
    keeper_.Saved();                // the note holds its file's text: no copy is needed
    PlaceChanged();                 // the record names the file
}

void NoteDocument::CancelOpening() {
    if (!load_) return;
    load_->Cancel();
    AbandonOpening();
}

// The open ends unfinished (the memo has its text back): the title goes back, and a copy that
// was being restored is left for a later start.
void NoteDocument::AbandonOpening() {
    ports_.Timers.Stop(NoteTimer::Opening);
    load_.reset();
    ports_.View.ShowTitle(pendingOpen_.TitleBefore, false);
    if (pendingOpen_.Restoring) keeper_.Release();
}

// The task-bar button's title tells how far the open is; once a save or an open was asked for
// meanwhile, it also says to wait for the end (or press Esc) until the open ends.
void NoteDocument::ShowOpeningProgress() {
    if (!load_) return;
    std::string title = kOpeningProgress + std::to_string(load_->Percent()) + "%";
    if (pendingOpen_.Refused) title += kOpeningRefusal;
    ports_.View.ShowTitle(title, false);
}

bool NoteDocument::RefuseWhileOpening() {
    if (!load_) return false;
    pendingOpen_.Refused = true;
    ShowOpeningProgress();
    return true;
}

// A note the user closes really goes: its record with it. One that ends with the session keeps
// its record, so that it comes back at the next sign-in.
bool NoteDocument::MayClose() {
    CancelOpening();
    const bool canClose = saved_ || ports_.View.Agrees(kCloseUnsavedQuestion);
    if (!canClose) return false;
    if (endingSession_) {
        if (!saved_) changesGivenUp_ = true;
        return true;
    }
    if (!saved_) keeper_.Saved();
    keeper_.Unrecord();
    keeper_.Flush();
    return true;
}

// Agreeing to give up the changes removes the copy only once the session really ends: another
// program may still refuse the end.
// A session that ends keeps the note's record as the note last was.
void NoteDocument::SessionEnded(bool ending) {
    if (!ending) {
        changesGivenUp_ = false; // the session goes on, and so does the note
        return;
    }
    if (placeTimerRunning_) PlaceTimerFired();
    if (changesGivenUp_)
        ForgetChanges();
    else if (!saved_)
        keeper_.CopyNow(); // ended all the same: the copy holds the last keystroke
    keeper_.Flush();
}

} // namespace note

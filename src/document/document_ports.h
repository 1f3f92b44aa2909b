#pragma once
// What the note's document needs of the world, as interfaces: the memo that shows its text, the
// files it is read from and written to, the window that shows its title and asks its questions,
// and the timers that wake it. The note window gives the real ones; tests give their own. Needs
// no operating system.
#include "recovery/note_place.h"
#include "notefiles/note_files.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace note {

// The memo: text in UTF-8 (and as the control holds it, in UTF-16), its modified flag, and what
// a text handed over in pieces needs (see memo_loading.h).
class NoteMemo {
public:
    virtual ~NoteMemo() = default;
    virtual std::string Text() const = 0;
    virtual std::wstring WideText() const = 0;
    // In UTF-16 code units, without fetching the text.
    virtual size_t TextLength() const = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool SetTextSilently(const std::string& text) = 0;
    virtual bool EmptyWithRoom(size_t units) = 0;
    virtual bool AppendSilently(std::string_view text) = 0;
    virtual void ShowStart() = 0;
    virtual void EmptyUndo() = 0;
    virtual void NotifyChange() = 0;
};

// Note files: each call raises what the file calls raise (EFOpenError, EFCreateError,
// EWriteError).
class NoteFiles {
public:
    virtual ~NoteFiles() = default;
    virtual notefiles::NoteFileText Read(const std::string& fileName) = 0;
    // The bytes of `text` in `encoding`; none when a character has none there. Takes the text
    // whole: where it is its own bytes (ASCII, or UTF-8 kept as such), they are the same string.
    virtual std::optional<std::string> Encode(std::string text,
                                              const notetext::TextEncoding& encoding) = 0;
    // A write of the file begun before its bytes are made (see notefiles::NoteFileWrite): the
    // file is opened, and its old bytes kept, while the note's text is fetched and converted.
    class Write {
    public:
        virtual ~Write() = default;
        // The file as the write found it; none for a file the write made.
        virtual std::optional<storage::FileStamp> Before() const = 0;
        virtual storage::FileStamp Finish(std::string_view bytes) = 0;
    };
    virtual std::unique_ptr<Write> BeginWrite(const std::string& fileName) = 0;
    // Raises the open error of a file whose text there is no memory for.
    [[noreturn]] virtual void RefuseForMemory(const std::string& fileName) = 0;
};

// The window: the title of the task-bar button (and the window's caption, for a file's title),
// and the questions it asks the user.
class NoteView {
public:
    virtual ~NoteView() = default;
    virtual std::string Title() const = 0;
    // The task-bar button's title; with `caption`, the window's caption too.
    virtual void ShowTitle(const std::string& title, bool caption) = 0;
    // Asks a question with Yes, No and Cancel: true for Yes.
    virtual bool Agrees(const char* question) = 0;
    // Tells the user something that needs no answer but OK.
    virtual void Tell(const std::string& message) = 0;
    // The window's place on the desktop, its pin and zoom (the file name left empty).
    virtual recovery::NotePlace Place() const = 0;
};

// The timers that wake the document: each runs from Start until Stop (a Start while it runs
// starts its interval again), and fires by calling the document back.
enum class NoteTimer { Opening, Copy, Place };
class NoteTimers {
public:
    virtual ~NoteTimers() = default;
    virtual void Start(NoteTimer timer, unsigned milliseconds) = 0;
    virtual void Stop(NoteTimer timer) = 0;
};

} // namespace note

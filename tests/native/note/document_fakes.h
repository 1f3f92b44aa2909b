#pragma once
// The world of a note's document as the native tests give it: a memo that keeps its text in a
// string, files in a map, a window that records titles and answers questions from a list, a
// clock the test moves on and timers that fire as it passes their time, and a store that keeps
// recovery copies as bytes.
#include "document/note_document.h"
#include "recovery/recovery_format.h"
#include "toolkit/base/exceptions.h"
#include "toolkit/text/unicode_text.h"
#include "notetext/line_breaks.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fakes {

struct Memo : note::NoteMemo {
    std::string text;
    bool modified = false, readOnly = false;
    int changes = 0;
    std::string Text() const override { return text; }
    std::wstring WideText() const override { return tk::Utf16FromUtf8<wchar_t>(text); }
    size_t TextLength() const override { return tk::Utf16Length(text); }
    bool Modified() const override { return modified; }
    void SetModified(bool m) override { modified = m; }
    void SetReadOnly(bool r) override { readOnly = r; }
    bool SetTextSilently(const std::string& t) override {
        text = t;
        return true;
    }
    bool EmptyWithRoom(size_t) override { return SetTextSilently(""); }
    bool AppendSilently(std::string_view piece) override {
        text += piece;
        return true;
    }
    void ShowStart() override {}
    void EmptyUndo() override {}
    void NotifyChange() override { ++changes; }
};

// UTF-8 files; "ANSI" here is ASCII, so that a character outside it asks the UTF-8 question.
struct Files : note::NoteFiles {
    std::map<std::string, std::string> disk;
    std::map<std::string, std::uint64_t> versions;
    notefiles::NoteFileText Read(const std::string& name) override {
        auto found = disk.find(name);
        if (found == disk.end()) throw tk::EFOpenError("Cannot open file \"" + name + "\".");
        notefiles::NoteFileText read;
        read.Text = notetext::NormalizeLineBreaks(found->second);
        read.Encoding = {notetext::EncodingForm::Utf8, false, 0};
        read.Stamp = *Stamp(name);
        return read;
    }
    std::optional<std::string> Encode(std::string text,
                                      const notetext::TextEncoding& encoding) override {
        if (encoding.Form == notetext::EncodingForm::Ansi)
            for (char c : text)
                if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        return text;
    }
    struct Write : note::NoteFiles::Write {
        Files& files;
        std::string name;
        Write(Files& f, const std::string& n) : files(f), name(n), before(f.Stamp(n)) {}
        std::optional<storage::FileStamp> before;
        std::optional<storage::FileStamp> Before() const override { return before; }
        storage::FileStamp Finish(std::string_view bytes) override {
            files.disk[name] = std::string(bytes);
            ++files.versions[name];
            return *files.Stamp(name);
        }
    };
    std::unique_ptr<note::NoteFiles::Write> BeginWrite(const std::string& name) override {
        return std::make_unique<Write>(*this, name);
    }
    std::optional<storage::FileStamp> Stamp(const std::string& name) {
        if (!disk.count(name)) return std::nullopt;
        return storage::FileStamp{disk[name].size(), versions[name], 1,
                                  std::hash<std::string>()(name), name};
    }
    void RefuseForMemory(const std::string& name) override {
        throw tk::EFOpenError("Cannot open file \"" + name + "\". Not enough memory.");
    }
};

struct View : note::NoteView {
    std::string title = "Pinlet", caption = "Form1";
    std::deque<bool> answers; // the user's answers, in order; No when none is left
    std::vector<std::string> asked;
    std::string Title() const override { return title; }
    void ShowTitle(const std::string& t, bool alsoCaption) override {
        title = t;
        if (alsoCaption) caption = t;
    }
    bool Agrees(const char* question) override {
        asked.push_back(question);
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::vector<std::string> told;
    void Tell(const std::string& message) override { told.push_back(message); }
    recovery::NotePlace place{"", {10, 20, 379, 297}, {0, 0, 1280, 1024}, 96, false, 100};
    recovery::NotePlace Place() const override { return place; }
};

// Milliseconds that pass only when the test says so, and timers that fire as they pass, the way
// SetTimer's do: every interval from their (last) start until stopped.
struct Time : note::NoteTimers, recovery::Clock {
    std::uint64_t now = 1000000;
    struct Running {
        std::uint64_t interval, next;
    };
    std::map<note::NoteTimer, Running> timers;
    std::function<void(note::NoteTimer)> fire;
    void Start(note::NoteTimer timer, unsigned ms) override {
        const std::uint64_t interval = ms < 10 ? 10 : ms;
        timers[timer] = {interval, now + interval};
    }
    void Stop(note::NoteTimer timer) override { timers.erase(timer); }
    std::uint64_t Milliseconds() override { return now; }
    std::uint64_t FileTime() override { return now * 10000; }
    // Moves the clock on by `ms`, firing every timer that falls due on the way.
    void Pass(std::uint64_t ms) {
        const std::uint64_t end = now + ms;
        for (;;) {
            auto due = timers.end();
            for (auto it = timers.begin(); it != timers.end(); ++it)
                if (it->second.next <= end && (due == timers.end() || it->second.next < due->second.next))
                    due = it;
            if (due == timers.end()) break;
            now = due->second.next;
            due->second.next += due->second.interval;
            if (fire) fire(due->first);
        }
        now = end;
    }
};

// Recovery copies as the bytes a copy file would hold, written at once.
struct Copies : recovery::CopyStore {
    std::map<std::string, std::string> folder, places;
    std::vector<std::string> restartArguments;
    int made = 0;
    struct Writer : recovery::CopyWriter {
        Copies& store;
        std::string name;
        Writer(Copies& s, std::string n) : store(s), name(std::move(n)) {}
        const std::string& Name() const override { return name; }
        void Write(recovery::RecoveryCopy fields, std::wstring text) override {
            fields.Text = tk::Utf8FromUtf16<wchar_t>(text);
            store.folder[name] = recovery::EncodeRecoveryCopy(fields);
        }
        void Remove() override { store.folder.erase(name); }
        void Flush() override {}
        recovery::CopyResult Result() override { return {}; }
        void Record(std::string bytes) override { store.places[name] = std::move(bytes); }
        void Unrecord() override { store.places.erase(name); }
    };
    std::unique_ptr<recovery::CopyWriter> Fresh(std::string&) override {
        return std::make_unique<Writer>(*this, "note-" + std::to_string(++made));
    }
    std::string Folder() const override { return "C:\\Copies"; }
    std::unique_ptr<recovery::CopyWriter> Adopt(const std::string& name) {
        return std::make_unique<Writer>(*this, name);
    }
    void RegisterRestart(const std::string& argument) override {
        restartArguments.push_back(argument);
    }
    // The copy under `name`, read back as a later start would.
    recovery::RecoveryCopy Claim(const std::string& name) {
        recovery::RecoveryCopy copy;
        if (recovery::DecodeRecoveryCopy(folder.at(name), copy) != recovery::DecodeFailure::None)
            throw std::runtime_error("a damaged copy");
        return copy;
    }
};

// A document with all of the above.
struct Note {
    Memo memo;
    View view;
    Time& time;
    Files& files;
    Copies& copies;
    std::unique_ptr<note::NoteDocument> document;
    Note(Time& t, Files& f, Copies& c) : time(t), files(f), copies(c) {
        document = std::make_unique<note::NoteDocument>(
            note::NoteDocument::Ports{memo, files, view, time, copies, time});
        time.fire = [this](note::NoteTimer timer) {
            if (timer == note::NoteTimer::Copy) document->CopyTimerFired();
            if (timer == note::NoteTimer::Place) document->PlaceTimerFired();
        };
    }
    ~Note() { time.fire = nullptr; }
    // Types `text` at the end, as a key press would.
    void Type(const std::string& text) {
        memo.text += text;
        memo.modified = true;
        document->TextChanged();
    }
    // Hands the memo every piece of an open under way.
    void FinishOpening() {
        while (document->Opening())
            document->StepOpening([] { return 0.0; });
    }
};

} // namespace fakes

#pragma once
// A note window with its dialogs answered by a hook, in a scratch folder, and what the note
// shows of its state.
#include "soak_support.h"
#include "support/win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace soak {

// What a failed open or save must leave as it was.
struct NoteState {
    std::string text, title, caption, fileName;
    bool saved = true;
    bool operator==(const NoteState&) const = default;
};
std::ostream& operator<<(std::ostream& out, const NoteState& state);

class NoteFixture : public ::testing::Test {
protected:
    // The copies that saves keep of old bytes go to a folder of the test's own, which must be
    // empty again when the test ends: no save leaves one behind unless it says so.
    void SetUp() override;
    void TearDown() override;

    NoteState State();
    // Puts text into the memo as typing would: the change event marks the note unsaved.
    void SetMemoText(const std::string& text);
    void Save() { form_->Label3Click(form_); }
    void SaveAs() {
        bool handled = false;
        form_->Label3ContextPopup(form_, tk::TPoint{}, handled);
    }
    // Opens through the open dialog and waits until the note holds the text.
    void Open() {
        form_->Label4Click(form_);
        wintest::WaitWhileOpening(*form_);
    }

    wintest::AppFixture fixture_;
    note::TForm1* form_ = nullptr;
    Answers answers_;
    DialogAnswerer answerer_{answers_};
    ScratchFolder folder_;
    ScratchFolder kept_;
};

using wintest::MessageOf;

// "Cannot create file "<path>". <system text>" and its open and write counterparts.
std::string CannotCreate(const std::string& path, DWORD code);
std::string CannotOpen(const std::string& path, DWORD code);
// The refusal of a file larger than the note opens, naming its size and the limit.
std::string CannotOpenTooLarge(const std::string& path, unsigned long long size,
                               unsigned long long limit, const char* unit);
std::string CannotWrite(const std::string& path, DWORD code);

} // namespace soak

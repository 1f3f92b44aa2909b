#include "note_fixture.h"

#include "notefiles/kept_copies.h"

#include <ostream>

namespace soak {

std::ostream& operator<<(std::ostream& out, const NoteState& state) {
    std::string shown = state.text.size() > 40 ? state.text.substr(0, 40) + "..." : state.text;
    return out << "{text \"" << shown << "\" (" << state.text.size() << " bytes), title \""
               << state.title << "\", caption \"" << state.caption << "\", file \""
               << state.fileName << "\", saved " << state.saved << "}";
}

void NoteFixture::SetUp() {
    form_ = fixture_.CreateNote();
    notefiles::SetKeptCopiesFolder(kept_.Path());
}

void NoteFixture::TearDown() {
    notefiles::SetKeptCopiesFolder("");
    EXPECT_EQ(ListFolder(kept_.Path()), "") << "a kept copy was left behind";
}

NoteState NoteFixture::State() {
    char caption[256] = {};
    GetWindowTextA(form_->Handle(), caption, sizeof caption);
    return {form_->Memo1->Text(), fixture_.App().Title(), caption, form_->NoteFileName(),
            form_->IsSaved()};
}

void NoteFixture::SetMemoText(const std::string& text) {
    form_->Memo1->SetTextSilently(text);
    form_->Memo1->SetModified(true); // as an edit leaves it
    form_->Memo1->NotifyChange();
}

std::string CannotCreate(const std::string& path, DWORD code) {
    return "Cannot create file \"" + path + "\". " + SystemText(code);
}

std::string CannotOpen(const std::string& path, DWORD code) {
    return "Cannot open file \"" + path + "\". " + SystemText(code);
}

std::string CannotOpenTooLarge(const std::string& path, unsigned long long size,
                               unsigned long long limit, const char* unit) {
    return "Cannot open file \"" + path + "\". The file holds " + std::to_string(size) + " " +
           unit + "; the note opens at most " + std::to_string(limit) + " " + unit;
}

std::string CannotWrite(const std::string& path, DWORD code) {
    return "Cannot write file \"" + path + "\". " + SystemText(code);
}

} // namespace soak

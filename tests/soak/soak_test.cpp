// Soak under Wine through the note's handlers: save and open cycles of notes from 0 bytes to
// 1 MB, pin toggles with text in the memo, confirmations answered No, and full repaints at
// changing sizes. The process's GDI and USER objects, handles and private bytes are measured
// after one warm-up round and at the end: they must not have grown (a leak grows them; the
// system may free some of its own meanwhile, on a busy machine more than on an idle one). Counts
// are bounded here; PINLET_SOAK_LONG=1 (tests/soak/run.sh --long) runs the full ones.
#include "note_fixture.h"
#include "toolkit/system/system_library.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>
#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace soak {
namespace {

// Private bytes may move by heap slack and the edit control's buffer, never by a leak per round.
constexpr size_t kPrivateBytesSlack = 4u << 20;

// Long runs print their figures this often, so that a run stopped early still tells how far it
// came and how the figures moved.
constexpr int kProgressEvery = 250;

class Soak : public NoteFixture {
protected:
    // Runs `round` once to warm caches, then `count` times between two measurements.
    // `allowed`: what the system itself keeps per run of `count` rounds, measured apart.
    template <typename F>
    void ExpectSteady(const char* what, int count, F&& round, ResourceFigures allowed = {}) {
        round(0);
        // A shown note starts keeping the record of its place half a second on, and its writer
        // (a thread, a lock) is made once then: before the measuring starts.
        for (int i = 0; i < 100 && IsWindowVisible(form_->Handle()) &&
                        form_->RecoveryKeeper().Name().empty();
             ++i) {
            Sleep(20);
            wintest::PumpMessages();
        }
        form_->RecoveryKeeper().Flush();
        wintest::PumpMessages();
        ResourceFigures before = MeasureResources();
        for (int i = 1; i <= count && !HasFatalFailure(); ++i) {
            round(i);
            if (LongMode() && i % kProgressEvery == 0) {
                std::printf("  %s: %d of %d done, %s\n", what, i, count,
                            MeasureResources().Describe().c_str());
                std::fflush(stdout);
            }
        }
        wintest::PumpMessages();
        ResourceFigures after = MeasureResources();
        std::printf("%s x %d\n  before: %s\n  after:  %s\n", what, count, before.Describe().c_str(),
                    after.Describe().c_str());
        if (allowed.gdi || allowed.user || allowed.handles || allowed.privateBytes)
            std::printf("  the system's own share: %s\n", allowed.Describe().c_str());
        EXPECT_LE(after.gdi, before.gdi + allowed.gdi) << what;
        EXPECT_LE(after.user, before.user + allowed.user) << what;
        EXPECT_LE(after.handles, before.handles + allowed.handles) << what;
        EXPECT_LE(after.privateBytes,
                  before.privateBytes + allowed.privateBytes + kPrivateBytesSlack)
            << what;
    }

    // A note whose file has `size` bytes: lines of what notes hold (letters, the code page's
    // accented ones among them, digits, spaces and punctuation), ended by CR LF. Every byte value
    // goes through the hostile-input suite; here the volume is the point, and text of every byte
    // value makes the system's edit control several times slower to take.
    struct Note {
        std::string Text;  // as the memo holds it (UTF-8)
        std::string Bytes; // as its file holds it (the ANSI code page's bytes)
    };
    Note NoteOfSize(size_t size) {
        static const std::wstring kAlphabet =
            L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789     .,;:!?-'\"()"
            L"\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB";
        std::wstring text;
        text.reserve(size);
        std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
        std::uniform_int_distribution<int> line(0, 120);
        while (text.size() < size) {
            int length = line(random_);
            for (int i = 0; i < length && text.size() < size; ++i)
                text += kAlphabet[pick(random_)];
            if (text.size() + 2 <= size)
                text += L"\r\n";
            else if (text.size() < size)
                text += L'x';
        }
        // The system's own conversions say what the memo and the file hold.
        auto convert = [&](UINT codePage) {
            const int units = static_cast<int>(text.size());
            std::string out(static_cast<size_t>(
                                WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0,
                                                    nullptr, nullptr)),
                            '\0');
            WideCharToMultiByte(codePage, 0, text.data(), units, out.data(),
                                static_cast<int>(out.size()), nullptr, nullptr);
            return out;
        };
        return {convert(CP_UTF8), convert(CP_ACP)};
    }

    // Sizes from 0 to 1 MB, evenly spread over their orders of magnitude.
    size_t SizeFor(int round) {
        if (round == 0) return 1u << 20; // the warm-up takes the largest
        if (round % 97 == 1) return 0;
        std::uniform_real_distribution<double> exponent(0.0, 20.0);
        return static_cast<size_t>(std::pow(2.0, exponent(random_)));
    }

    std::mt19937 random_{20261207};
};

TEST_F(Soak, SaveAndOpenCyclesKeepEveryByteAndTheirResources) {
    std::string target = folder_ / "soak.txt";
    answers_.fileName = target;
    WriteBytes(target, "");
    int count = Count(12, 10000);
    // The note is made about as wide as the screen, so that hardly a line of these notes wraps:
    // wrapping is most of the edit control's time for a large text (the repaint round is about
    // it); here the volume of text going through the handlers is the point.
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 1260, 400,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ResourceFigures system = SystemOpenDialogCost(count, target);
    ExpectSteady(
        "save/open cycles", count,
        [&](int round) {
            Note note = NoteOfSize(SizeFor(round));
            SetMemoText(note.Text);
            if (round == 0)
                SaveAs(); // through the save dialog; later saves go to the same name
            else
                Save();
            ASSERT_TRUE(ReadBytes(target) == note.Bytes)
                << "round " << round << ", " << note.Bytes.size() << " bytes";
            ASSERT_TRUE(form_->IsSaved());
            form_->Memo1->SetTextSilently(""); // so that the open changes the memo
            Open();                            // through the open dialog
            ASSERT_EQ(form_->Memo1->Text().size(), note.Text.size()) << "round " << round;
            ASSERT_TRUE(form_->Memo1->Text() == note.Text) << "round " << round;
            ASSERT_TRUE(form_->IsSaved()) << "round " << round; // it holds the file's text
            if (round == 0) Open(); // the dialog's second show keeps a few objects once
        },
        system);
    EXPECT_EQ(ListFolder(folder_.Path()), "soak.txt");
}

// The same two handlers apart, with small notes, to tell which one a change in the figures
// comes from.
TEST_F(Soak, SavesWithoutADialogKeepTheirResources) {
    std::string target = folder_ / "save.txt";
    answers_.fileName = target;
    ExpectSteady("saves", Count(100, 1000), [&](int round) {
        Note note = NoteOfSize(round * 37 % 3000);
        SetMemoText(note.Text);
        if (round == 0)
            SaveAs();
        else
            Save();
        ASSERT_TRUE(ReadBytes(target) == note.Bytes);
    });
}

// Wine's open dialog keeps one kernel handle per confirmed use, with or without the toolkit: the
// bare system dialog is measured first, and the note's opens may leave no more than it does.
TEST_F(Soak, OpensThroughTheDialogKeepTheirResources) {
    std::string source = folder_ / "open.txt";
    const Note note = NoteOfSize(3000);
    WriteBytes(source, note.Bytes);
    answers_.fileName = source;
    int count = Count(30, 1000);
    ResourceFigures system = SystemOpenDialogCost(count, source);
    ExpectSteady(
        "opens", count,
        [&](int) {
            form_->Memo1->SetTextSilently(""); // so that the open changes the memo
            Open();
            ASSERT_TRUE(form_->Memo1->Text() == note.Text);
        },
        system);
}

// Wine's edit control keeps memory each time it wraps its text anew: the same rounds on a bare
// control are measured first, and the note may keep no more than that beyond the slack.
TEST_F(Soak, PinTogglesKeepTheTextAndTheirResources) {
    SetMemoText(NoteOfSize(20000).Text);
    std::string text = form_->Memo1->Text();
    int count = Count(100, 1000);
    tk::TRect memo = form_->Memo1->BoundsRect();
    ResourceFigures system = BareEditCost(text, count, [&](HWND& edit, int) {
        DestroyWindow(edit); // a pin toggle makes the memo's control anew
        edit = CreateBareEdit(text, memo.Width(), memo.Height());
    });
    ExpectSteady(
        "pin toggles", count,
        [&](int) {
            form_->Label2Click(form_);
            ASSERT_EQ(form_->Memo1->Text(), text);
            ASSERT_FALSE(form_->IsSaved());
        },
        system);
}

// What a screen reader asks, over and over: the note's object and its glyphs' names, states and
// places, each answer released.
TEST_F(Soak, AccessibilityQueriesKeepTheirResources) {
    tk::EnsureComApartment();
    ExpectSteady("accessibility queries", Count(100, 1000), [&](int) {
        IAccessible* client = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(form_->Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&client)),
                  S_OK);
        for (long id = 1; id <= 5; ++id) {
            VARIANT child, state;
            child.vt = VT_I4;
            child.lVal = id;
            BSTR name = nullptr;
            client->get_accName(child, &name);
            SysFreeString(name);
            client->get_accState(child, &state);
            long left, top, width, height;
            client->accLocation(&left, &top, &width, &height, child);
        }
        client->Release();
    });
}

TEST_F(Soak, ConfirmationsAnsweredNoKeepTheNoteAndTheirResources) {
    answers_.confirmButton = "&No";
    ExpectSteady("confirmations answered No", Count(100, 1000), [&](int round) {
        SetMemoText("unsaved " + std::to_string(round));
        form_->Label1Click(form_);
        ASSERT_FALSE(fixture_.App().Terminated());
        ASSERT_EQ(form_->Memo1->Text(), "unsaved " + std::to_string(round));
    });
    EXPECT_EQ(answers_.confirmations, Count(100, 1000) + 1);
}

int WidthFor(int round) {
    return 60 + (round * 37) % 700;
}
int HeightFor(int round) {
    return 45 + (round * 53) % 500;
}

TEST_F(Soak, RepaintsAtChangingSizesKeepTheirResources) {
    SetMemoText(NoteOfSize(5000).Text);
    HWND note = form_->Handle();
    int count = Count(100, 1000);
    std::string text = form_->Memo1->Text();
    ResourceFigures system = BareEditCost(text, count, [](HWND& edit, int round) {
        // The memo is 5 pixels narrower and 40 pixels shorter than the note.
        SetWindowPos(edit, nullptr, 0, 0, std::max(WidthFor(round) - 5, 0),
                     std::max(HeightFor(round) - 40, 0),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    });
    ExpectSteady(
        "full repaints", count,
        [&](int round) {
            int width = WidthFor(round), height = HeightFor(round);
            SetWindowPos(note, nullptr, 0, 0, width, height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            RedrawWindow(note, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            RECT client;
            GetClientRect(note, &client);
            ASSERT_EQ(client.right, width);
        },
        system);
}

} // namespace
} // namespace soak

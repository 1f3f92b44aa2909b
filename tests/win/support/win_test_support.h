#pragma once
// Helpers for tests that run real windows under Wine.
#include "noteform_unit/NoteForm.h"
#include "toolkit/forms/application.h"
#include "toolkit/base/exceptions.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace wintest {

// Opens a note file into the memo as the note's open does, without naming the note after it.
storage::FileStamp ReadIntoMemo(tk::TMemo& memo, const std::string& fileName);

// Opens a note file as the note's open does and handles messages until the note holds its text
// (or the open failed or was cancelled).
void OpenAndWait(note::TForm1& form, const std::string& fileName);
void WaitWhileOpening(note::TForm1& form);

// Handles every pending message, several rounds, so that posted follow-ups are handled too.
void PumpMessages();

// Window rectangle of `child` relative to the client area of `parent`.
tk::TRect RectIn(HWND child, HWND parent);

// Whether the shell would give the window a task-bar button.
bool HasTaskbarButton(HWND hwnd);

// The note window's stored layout text, from the test program's resources.
std::string StoredNoteLayout();

// A window's text, UTF-8.
std::string WindowText(HWND hwnd);

// The question a confirmation dialog asks: the text of its "Message" label.
std::string QuestionOf(HWND dialog);

// Replaces the first occurrence of `from` in `text`; fails the test when absent.
std::string ReplaceOnce(std::string text, const std::string& from, const std::string& to);

// A file's bytes ("(unreadable)" when it cannot be read), and a file made to hold `bytes`.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Removes a folder with everything in it, by wide names (so that entries the ANSI code page
// cannot spell go too), links to folders removed and not followed.
void RemoveTreeW(const std::wstring& folder);

// A running application with the title "Pinlet", destroyed with its forms at the end. Its
// application data (%LOCALAPPDATA%: the recovery copies of unsaved notes, the old bytes a save
// keeps) is a temporary folder of its own, removed at the end.
// The process's GDI objects. Where the system does not count them (Wine answers 0), the
// objects that 16-bit handles (which Wine still accepts) name are counted.
unsigned GdiObjectCount();

class AppFixture {
public:
    AppFixture();
    ~AppFixture();
    tk::TApplication& App() { return *app_; }
    const std::wstring& AppData() const { return appData_; }

    // Creates the note window as start-up does (from the stored layout or the given text) and
    // shows it by the given show command.
    note::TForm1* CreateNote(int showCommand = SW_SHOWNORMAL);
    note::TForm1* CreateNoteFromText(const std::string& layout, int showCommand = SW_SHOWNORMAL);

private:
    std::wstring appData_, appDataBefore_;
    std::unique_ptr<tk::TApplication> app_;
};

// Reads 32-bit pixels of a window's image: as it is on the screen, or as `render` draws it
// into a client-sized 32-bit DIB.
class ScreenPixels {
public:
    explicit ScreenPixels(HWND hwnd);
    ScreenPixels(HWND hwnd, const std::function<void(HDC memory, const RECT& client)>& render);
    COLORREF At(int x, int y) const; // client coordinates
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<unsigned[]> pixels_;
};

// A 32-bit DIB section selected into a memory DC, with a canvas on it, filled with `fill`.
class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    ~DibCanvas();

    tk::TCanvas& Canvas() { return *canvas_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const; // flushes pending drawing first
    // How many pixels of `rect` (clipped to the bitmap) have exactly `color`.
    int Count(const tk::TRect& rect, COLORREF color) const;

private:
    int width_, height_;
    tk::WindowDC screen_;
    tk::MemoryDC memory_;
    tk::BitmapHandle section_;
    std::unique_ptr<tk::SelectedObject> selected_;
    std::unique_ptr<tk::TCanvas> canvas_;
    unsigned* bits_ = nullptr;
};

// The message of the exception of type E that `action` raises, or a description of what
// happened instead.
template <typename E, typename F> std::string MessageOf(F&& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return std::string("other exception: ") + e.what();
    }
    return "no exception";
}

} // namespace wintest

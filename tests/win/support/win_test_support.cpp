#include "win_test_support.h"

#include "document/memo_loading.h"
#include "toolkit/text/unicode_text.h"

#include "toolkit/system/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace wintest {

storage::FileStamp ReadIntoMemo(tk::TMemo& memo, const std::string& fileName) {
    notefiles::NoteFileText read = notefiles::ReadNoteFile(fileName);
    if (!note::MemoHolds(memo, read.Text)) {
        note::MemoLoad<tk::TMemo> load(memo, std::move(read.Text));
        while (!load.Step([] { return static_cast<double>(GetTickCount64()); })) {
        }
        load.Complete();
    }
    return read.Stamp;
}

void OpenAndWait(note::TForm1& form, const std::string& fileName) {
    form.OpenChosenFile(fileName);
    WaitWhileOpening(form);
}

void WaitWhileOpening(note::TForm1& form) {
    while (form.Opening()) {
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
}

void PumpMessages() {
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

tk::TRect RectIn(HWND child, HWND parent) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return tk::ToRect(rc);
}

bool HasTaskbarButton(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) return false;
    LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
    if (ex & WS_EX_APPWINDOW) return true;
    return GetWindow(hwnd, GW_OWNER) == nullptr && !(ex & WS_EX_TOOLWINDOW);
}

std::string WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return tk::Utf8(text);
}

std::string QuestionOf(HWND dialog) {
    auto* form = dynamic_cast<tk::TCustomForm*>(tk::TWinControl::FromHandle(dialog));
    auto* label = form ? dynamic_cast<tk::TLabel*>(form->FindComponent("Message")) : nullptr;
    return label ? label->Caption() : std::string("(no message label)");
}

std::string StoredNoteLayout() {
    std::string text;
    EXPECT_TRUE(tk::FindResourceData(GetModuleHandleA(nullptr), "TFORM1", text));
    return text;
}

std::string ReplaceOnce(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at == std::string::npos) return text;
    return text.substr(0, at) + to + text.substr(at + from.size());
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "(unreadable)";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void RemoveTreeW(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTreeW(path);
            else if (!DeleteFileW(path.c_str()))
                RemoveDirectoryW(path.c_str()); // a link to a folder
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

AppFixture::AppFixture() {
    static unsigned made = 0;
    wchar_t temp[MAX_PATH] = {}, before[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    appData_ = std::wstring(temp) + L"pinlet-appdata-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + std::to_wstring(made++);
    RemoveTreeW(appData_);
    CreateDirectoryW(appData_.c_str(), nullptr);
    if (GetEnvironmentVariableW(L"LOCALAPPDATA", before, MAX_PATH) < MAX_PATH)
        appDataBefore_ = before;
    SetEnvironmentVariableW(L"LOCALAPPDATA", appData_.c_str());
    note::RegisterNoteClasses();
    app_ = std::make_unique<tk::TApplication>();
    app_->Initialize();
    app_->SetTitle("Pinlet");
}

AppFixture::~AppFixture() {
    app_.reset();
    PumpMessages();
    RemoveTreeW(appData_);
    SetEnvironmentVariableW(L"LOCALAPPDATA", appDataBefore_.empty() ? nullptr : appDataBefore_.c_str());
}

note::TForm1* AppFixture::CreateNote(int showCommand) {
    auto* form = app_->CreateForm<note::TForm1>();
    app_->ShowMainForm(showCommand);
    PumpMessages();
    return form;
}

note::TForm1* AppFixture::CreateNoteFromText(const std::string& layout, int showCommand) {
    auto* form = new note::TForm1(app_.get(), layout);
    app_->AddForm(form);
    app_->ShowMainForm(showCommand);
    PumpMessages();
    return form;
}

ScreenPixels::ScreenPixels(HWND hwnd)
    : ScreenPixels(hwnd, [hwnd](HDC memory, const RECT& client) {
          POINT origin{0, 0};
          ClientToScreen(hwnd, &origin);
          tk::WindowDC screen(nullptr);
          BitBlt(memory, 0, 0, client.right, client.bottom, screen.Get(), origin.x, origin.y,
                 SRCCOPY);
      }) {}

ScreenPixels::ScreenPixels(HWND hwnd,
                           const std::function<void(HDC memory, const RECT& client)>& render) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    void* bits = nullptr;
    tk::BitmapHandle section = tk::CreateDib32(width_, height_, &bits);
    tk::WindowDC screen(nullptr);
    tk::MemoryDC memory(screen.Get());
    {
        tk::SelectedObject selected(memory.Get(), section.Get());
        render(memory.Get(), rc);
        GdiFlush();
    }
    pixels_ = std::make_unique<unsigned[]>(static_cast<size_t>(width_) * height_);
    std::copy_n(static_cast<unsigned*>(bits), static_cast<size_t>(width_) * height_, pixels_.get());
}

COLORREF ScreenPixels::At(int x, int y) const {
    return tk::ColorFromBgra(pixels_[static_cast<size_t>(y) * width_ + x]);
}

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), screen_(nullptr), memory_(screen_.Get()) {
    void* bits = nullptr;
    section_ = tk::CreateDib32(width, height, &bits);
    bits_ = static_cast<unsigned*>(bits);
    selected_ = std::make_unique<tk::SelectedObject>(memory_.Get(), section_.Get());
    canvas_ = std::make_unique<tk::TCanvas>(memory_.Get());
    RECT all{0, 0, width, height};
    tk::BrushHandle brush(CreateSolidBrush(fill));
    FillRect(memory_.Get(), &all, brush.Get());
}

DibCanvas::~DibCanvas() = default;

COLORREF DibCanvas::At(int x, int y) const {
    GdiFlush();
    return tk::ColorFromBgra(bits_[static_cast<size_t>(y) * width_ + x]);
}

int DibCanvas::Count(const tk::TRect& rect, COLORREF color) const {
    int n = 0;
    for (int y = std::max(0, rect.Top); y < std::min(height_, rect.Bottom); ++y)
        for (int x = std::max(0, rect.Left); x < std::min(width_, rect.Right); ++x)
            n += At(x, y) == color;
    return n;
}

unsigned GdiObjectCount() {
    if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
    unsigned objects = 0;
    for (ULONG_PTR handle = 1; handle <= 0xFFFF; ++handle)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle))) ++objects;
    return objects;
}

} // namespace wintest

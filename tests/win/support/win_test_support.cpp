#include "win_test_support.h"

#include "toolkit/resources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wintest {

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

AppFixture::AppFixture() {
    note::RegisterNoteClasses();
    app_ = std::make_unique<tk::TApplication>();
    app_->Initialize();
    app_->SetTitle("Pinlet");
}

AppFixture::~AppFixture() {
    app_.reset();
    PumpMessages();
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

ScreenPixels::ScreenPixels(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    tk::WindowDC screen(nullptr);
    tk::BitmapHandle section(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    tk::MemoryDC memory(screen.Get());
    {
        tk::SelectedObject selected(memory.Get(), section.Get());
        BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), origin.x, origin.y, SRCCOPY);
        GdiFlush();
    }
    pixels_ = std::make_unique<unsigned[]>(static_cast<size_t>(width_) * height_);
    std::copy_n(static_cast<unsigned*>(bits), static_cast<size_t>(width_) * height_,
                pixels_.get());
}

COLORREF ScreenPixels::At(int x, int y) const {
    unsigned bgra = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

} // namespace wintest

#pragma once
// The owners of the system handles the program makes, one UniqueOwner kind each. Every owner
// keeps whatever its release needs (the window for ReleaseDC, the old object for SelectObject)
// and can be moved, so that objects can hold them by value.
#include "unique_owner.h"

#include <windows.h>

namespace tk {

// A GDI object (HFONT, HBRUSH, HPEN, HBITMAP, HRGN) released with DeleteObject.
template <typename T> struct GdiObjectTraits : NullIsEmpty<T> {
    static void Close(T handle) { DeleteObject(handle); }
};
template <typename T> using GdiObject = UniqueOwner<GdiObjectTraits<T>>;
using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;

// An icon or cursor made at run time (not a shared one), destroyed with DestroyIcon.
struct IconTraits : NullIsEmpty<HICON> {
    static void Close(HICON icon) { DestroyIcon(icon); }
};
using IconHandle = UniqueOwner<IconTraits>;

// An open registry key, closed with RegCloseKey.
struct RegistryKeyTraits : NullIsEmpty<HKEY> {
    static void Close(HKEY key) { RegCloseKey(key); }
};
using RegistryKey = UniqueOwner<RegistryKeyTraits>;

// Fonts added from memory with AddFontMemResourceEx, removed with RemoveFontMemResourceEx.
struct MemoryFontTraits : NullIsEmpty<HANDLE> {
    static void Close(HANDLE fonts) { RemoveFontMemResourceEx(fonts); }
};
using MemoryFontHandle = UniqueOwner<MemoryFontTraits>;

// A kernel handle (file, event, process) closed with CloseHandle. The system's calls return
// either null or INVALID_HANDLE_VALUE for none.
struct KernelHandleTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
class KernelHandle : public UniqueOwner<KernelHandleTraits> {
public:
    using UniqueOwner::UniqueOwner;
    bool Valid() const { return static_cast<bool>(*this); }
};

// Movable global memory from GlobalAlloc, freed with GlobalFree unless handed on with Release
// (to the clipboard, which then owns it).
struct GlobalMemoryTraits : NullIsEmpty<HGLOBAL> {
    static void Close(HGLOBAL memory) { GlobalFree(memory); }
};
class GlobalMemory : public UniqueOwner<GlobalMemoryTraits> {
public:
    GlobalMemory() = default;
    GlobalMemory(UINT flags, SIZE_T bytes) : UniqueOwner(GlobalAlloc(flags, bytes)) {}
};

// A memory device context from CreateCompatibleDC, released with DeleteDC.
struct MemoryDCTraits : NullIsEmpty<HDC> {
    static void Close(HDC dc) { DeleteDC(dc); }
};
class MemoryDC : public UniqueOwner<MemoryDCTraits> {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : UniqueOwner(CreateCompatibleDC(compatibleWith)) {}
};

// A device context from GetDC, released with ReleaseDC on the same window.
struct WindowDCTraits {
    struct Value {
        HWND window = nullptr;
        HDC dc = nullptr;
    };
    static Value Invalid() { return {}; }
    static bool IsValid(const Value& v) { return v.dc != nullptr; }
    static void Close(const Value& v) { ReleaseDC(v.window, v.dc); }
    static HDC Raw(const Value& v) { return v.dc; }
};
class WindowDC : public UniqueOwner<WindowDCTraits> {
public:
    WindowDC() = default;
    explicit WindowDC(HWND window) : UniqueOwner({window, GetDC(window)}) {}
};

// A device context from BeginPaint, ended with EndPaint.
struct PaintDCTraits {
    struct Value {
        HWND window = nullptr;
        PAINTSTRUCT paint{};
    };
    static Value Invalid() { return {}; }
    static bool IsValid(const Value& v) { return v.window != nullptr; }
    static void Close(const Value& v) { EndPaint(v.window, &v.paint); }
    static HDC Raw(const Value& v) { return v.paint.hdc; }
};
class PaintDC : public UniqueOwner<PaintDCTraits> {
public:
    PaintDC() = default;
    explicit PaintDC(HWND window) : UniqueOwner(Begin(window)) {}
    const RECT& PaintRect() const { return Stored().paint.rcPaint; }

private:
    static Value Begin(HWND window) {
        Value v{window, {}};
        BeginPaint(window, &v.paint);
        return v;
    }
};

// An object selected into a device context; the previous object is selected back on release.
struct SelectionTraits {
    struct Value {
        HDC dc = nullptr;
        HGDIOBJ previous = nullptr;
    };
    static Value Invalid() { return {}; }
    static bool IsValid(const Value& v) { return v.previous && v.previous != HGDI_ERROR; }
    static void Close(const Value& v) { SelectObject(v.dc, v.previous); }
};
class SelectedObject : public UniqueOwner<SelectionTraits> {
public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object) : UniqueOwner({dc, SelectObject(dc, object)}) {}
};

// The saved state of a device context (clip, origin, modes), restored on release.
struct SavedDCStateTraits {
    struct Value {
        HDC dc = nullptr;
        int id = 0;
    };
    static Value Invalid() { return {}; }
    static bool IsValid(const Value& v) { return v.id != 0; }
    static void Close(const Value& v) { RestoreDC(v.dc, v.id); }
};
class SavedDCState : public UniqueOwner<SavedDCStateTraits> {
public:
    SavedDCState() = default;
    explicit SavedDCState(HDC dc) : UniqueOwner({dc, SaveDC(dc)}) {}
};

// The clipboard opened for a window, closed again on release.
struct ClipboardTraits {
    using Value = bool; // whether it is open
    static Value Invalid() { return false; }
    static bool IsValid(bool open) { return open; }
    static void Close(bool) { CloseClipboard(); }
};
class OpenedClipboard : public UniqueOwner<ClipboardTraits> {
public:
    explicit OpenedClipboard(HWND owner) : UniqueOwner(OpenClipboard(owner) != FALSE) {}
};

} // namespace tk

#include "note_accessible.h"

#include "NoteForm.h"
#include "note_texts.h"
#include "toolkit/system/system_library.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>
#include <string>

namespace note {
namespace {

struct Glyph {
    tk::TLabel* TForm1::*label;
    const char* name;
    const wchar_t* shortcut;
    NoteCommand command;
};

// From left to right on the caption strip.
const Glyph kGlyphs[kGlyphCount] = {
    {&TForm1::Label2, kPinGlyphName, L"Ctrl+T", NoteCommand::Pin},
    {&TForm1::Label4, kOpenGlyphName, L"Ctrl+O", NoteCommand::Open},
    {&TForm1::Label3, kSaveGlyphName, L"Ctrl+S", NoteCommand::Save},
    {&TForm1::Label1, kCloseGlyphName, L"Ctrl+W", NoteCommand::Close},
};

// What a note that is gone answers.
constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

// COM's strings and the accessibility library are loaded when a tool first asks.
HRESULT Text(BSTR* out, const wchar_t* text) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!text) return S_FALSE;
    using AllocProc = BSTR(WINAPI*)(const OLECHAR*);
    auto alloc = tk::SystemFunction<AllocProc>("oleaut32.dll", "SysAllocString");
    *out = alloc ? alloc(text) : nullptr;
    return *out ? S_OK : E_OUTOFMEMORY;
}

template <typename T> HRESULT WindowObject(HWND hwnd, LONG id, REFIID iid, T** out) {
    using FromWindowProc = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
    auto fromWindow =
        tk::SystemFunction<FromWindowProc>("oleacc.dll", "AccessibleObjectFromWindow");
    *out = nullptr;
    if (!fromWindow || !hwnd) return E_FAIL;
    return fromWindow(hwnd, static_cast<DWORD>(id), iid, reinterpret_cast<void**>(out));
}

void SetChild(VARIANT* out, long child) {
    out->vt = VT_I4;
    out->lVal = child;
}

void SetEmpty(VARIANT* out) {
    out->vt = VT_EMPTY;
}

bool IsChild(const VARIANT& child, long id) {
    return child.vt == VT_I4 && child.lVal == id;
}

RECT ScreenRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

HRESULT Location(const RECT& r, long* left, long* top, long* width, long* height) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

// Asks the memo's own object (`memo`, released here) about itself.
template <typename Ask> HRESULT AskMemo(IAccessible* memo, Ask&& ask) {
    if (!memo) return E_FAIL;
    VARIANT self;
    SetChild(&self, CHILDID_SELF);
    HRESULT hr = ask(*memo, self);
    memo->Release();
    return hr;
}

} // namespace

HRESULT NoteAccessible::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG NoteAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG NoteAccessible::Release() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT NoteAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT NoteAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT NoteAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT NoteAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

IAccessible* NoteAccessible::MemoClient() const {
    IAccessible* memo = nullptr;
    if (form_ && form_->Memo1->HandleAllocated())
        WindowObject(form_->Memo1->Handle(), OBJID_CLIENT, __uuidof(IAccessible), &memo);
    return memo;
}

int NoteAccessible::GlyphOf(const VARIANT& child) const {
    if (child.vt != VT_I4) return -1;
    long glyph = child.lVal - kFirstGlyphChild;
    return glyph >= 0 && glyph < kGlyphCount ? static_cast<int>(glyph) : -1;
}

RECT NoteAccessible::GlyphScreenRect(int glyph) const {
    tk::TRect bounds = (form_->*kGlyphs[glyph].label)->BoundsRect();
    RECT r{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    MapWindowPoints(form_->panel->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HRESULT NoteAccessible::ChildText(TextGetter get, VARIANT child, BSTR* text,
                                  const wchar_t* otherwise) {
    if (!form_) return kGone;
    if (IsChild(child, kMemoChild))
        return AskMemo(MemoClient(),
                       [&](IAccessible& memo, VARIANT self) { return (memo.*get)(self, text); });
    return Text(text, otherwise);
}

HRESULT NoteAccessible::MemoWindow(VARIANT* out) const {
    IDispatch* memo = nullptr;
    HRESULT hr = WindowObject(form_->Memo1->Handle(), OBJID_WINDOW, __uuidof(IDispatch), &memo);
    if (FAILED(hr)) return hr;
    out->vt = VT_DISPATCH;
    out->pdispVal = memo;
    return S_OK;
}

HRESULT NoteAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    if (!form_) return kGone;
    return WindowObject(form_->Handle(), OBJID_WINDOW, __uuidof(IDispatch), parent);
}

HRESULT NoteAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    if (!form_) return kGone;
    *count = 1 + kGlyphCount;
    return S_OK;
}

HRESULT NoteAccessible::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!form_) return kGone;
    if (IsChild(child, kMemoChild))
        return WindowObject(form_->Memo1->Handle(), OBJID_WINDOW, __uuidof(IDispatch), object);
    return GlyphOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT NoteAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!form_) return kGone;
    // While the text is zoomed the memo's name says so: "Nagyítás 120%".
    if (IsChild(child, kMemoChild) && form_->ZoomPercent() != 100)
        return Text(name,
                    tk::Wide(kZoomName + std::to_string(form_->ZoomPercent()) + "%").c_str());
    if (IsChild(child, kMemoChild))
        return AskMemo(MemoClient(), [&](IAccessible& memo, VARIANT self) {
            return memo.get_accName(self, name);
        });
    int glyph = GlyphOf(child);
    if (glyph >= 0) return Text(name, tk::Wide(kGlyphs[glyph].name).c_str());
    if (!IsChild(child, CHILDID_SELF)) return E_INVALIDARG;
    // The note's own name is the task-bar button's: "Pinlet" or the file's name.
    std::string title = tk::Application ? tk::Application->Title() : std::string();
    return Text(name, tk::Wide(title).c_str());
}

HRESULT NoteAccessible::get_accValue(VARIANT child, BSTR* value) {
    return ChildText(&IAccessible::get_accValue, child, value);
}

HRESULT NoteAccessible::get_accDescription(VARIANT child, BSTR* description) {
    // The note itself tells the key that makes a new note; its glyphs tell their own.
    return ChildText(&IAccessible::get_accDescription, child, description,
                     IsChild(child, CHILDID_SELF) ? tk::Wide(kNoteDescription).c_str() : nullptr);
}

HRESULT NoteAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    if (!form_) return kGone;
    if (IsChild(child, kMemoChild))
        return AskMemo(MemoClient(), [&](IAccessible& memo, VARIANT self) {
            return memo.get_accRole(self, role);
        });
    if (GlyphOf(child) >= 0) {
        SetChild(role, ROLE_SYSTEM_PUSHBUTTON);
        return S_OK;
    }
    if (!IsChild(child, CHILDID_SELF)) return E_INVALIDARG;
    SetChild(role, ROLE_SYSTEM_CLIENT);
    return S_OK;
}

HRESULT NoteAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    if (!form_) return kGone;
    if (IsChild(child, kMemoChild))
        return AskMemo(MemoClient(), [&](IAccessible& memo, VARIANT self) {
            return memo.get_accState(self, state);
        });
    int glyph = GlyphOf(child);
    if (glyph < 0 && !IsChild(child, CHILDID_SELF)) return E_INVALIDARG;
    long flags = 0;
    if (!form_->HandleAllocated() || !IsWindowVisible(form_->Handle()))
        flags |= STATE_SYSTEM_INVISIBLE;
    // While a dialog of the note is up, the glyphs cannot be used.
    if (glyph >= 0 && form_->HandleAllocated() && !IsWindowEnabled(form_->Handle()))
        flags |= STATE_SYSTEM_UNAVAILABLE;
    if (glyph >= 0 && kGlyphs[glyph].command == NoteCommand::Pin && form_->Tag == 1)
        flags |= STATE_SYSTEM_PRESSED;
    SetChild(state, flags);
    return S_OK;
}

HRESULT NoteAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return ChildText(&IAccessible::get_accHelp, child, help);
}

HRESULT NoteAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return form_ ? DISP_E_MEMBERNOTFOUND : kGone;
}

HRESULT NoteAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    int glyph = GlyphOf(child);
    return ChildText(&IAccessible::get_accKeyboardShortcut, child, shortcut,
                     glyph >= 0 ? kGlyphs[glyph].shortcut : nullptr);
}

HRESULT NoteAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    SetEmpty(child);
    if (!form_) return kGone;
    if (!form_->HandleAllocated() || GetActiveWindow() != form_->Handle()) return S_FALSE;
    if (form_->Memo1->Focused() && SUCCEEDED(MemoWindow(child))) return S_OK;
    SetChild(child, CHILDID_SELF);
    return S_OK;
}

HRESULT NoteAccessible::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    SetEmpty(children);
    return form_ ? S_FALSE : kGone;
}

HRESULT NoteAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return ChildText(&IAccessible::get_accDefaultAction, child, action,
                     GlyphOf(child) >= 0 ? L"Press" : nullptr);
}

HRESULT NoteAccessible::accSelect(long, VARIANT) {
    return form_ ? DISP_E_MEMBERNOTFOUND : kGone;
}

HRESULT NoteAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
    if (!form_) return kGone;
    if (!form_->HandleAllocated()) return E_FAIL;
    if (IsChild(child, kMemoChild))
        return AskMemo(MemoClient(), [&](IAccessible& memo, VARIANT self) {
            return memo.accLocation(left, top, width, height, self);
        });
    int glyph = GlyphOf(child);
    if (glyph >= 0) return Location(GlyphScreenRect(glyph), left, top, width, height);
    if (!IsChild(child, CHILDID_SELF)) return E_INVALIDARG;
    return Location(ScreenRectOf(form_->Handle()), left, top, width, height);
}

HRESULT NoteAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    SetEmpty(end);
    if (!form_) return kGone;
    const long last = kFirstGlyphChild + kGlyphCount - 1;
    long target = 0;
    if (IsChild(start, CHILDID_SELF)) {
        if (direction == NAVDIR_FIRSTCHILD) target = kMemoChild;
        if (direction == NAVDIR_LASTCHILD) target = last;
    } else if (start.vt == VT_I4 && start.lVal >= kMemoChild && start.lVal <= last) {
        if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) target = start.lVal + 1;
        if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) target = start.lVal - 1;
    } else {
        return E_INVALIDARG;
    }
    if (target < kMemoChild || target > last) return S_FALSE;
    if (target == kMemoChild) return MemoWindow(end);
    SetChild(end, target);
    return S_OK;
}

HRESULT NoteAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    SetEmpty(child);
    if (!form_) return kGone;
    if (!form_->HandleAllocated()) return S_FALSE;
    POINT p{x, y};
    for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
        RECT r = GlyphScreenRect(glyph);
        if (PtInRect(&r, p)) {
            SetChild(child, kFirstGlyphChild + glyph);
            return S_OK;
        }
    }
    RECT memoRect = ScreenRectOf(form_->Memo1->Handle());
    if (PtInRect(&memoRect, p) && SUCCEEDED(MemoWindow(child))) return S_OK;
    RECT own = ScreenRectOf(form_->Handle());
    if (!PtInRect(&own, p)) return S_FALSE;
    SetChild(child, CHILDID_SELF);
    return S_OK;
}

// The handler runs from the message loop, after the tool's call has returned: a save or an open
// shows a modal dialog, which must not hold the tool waiting.
HRESULT NoteAccessible::accDoDefaultAction(VARIANT child) {
    if (!form_) return kGone;
    if (IsChild(child, kMemoChild))
        return AskMemo(MemoClient(), [&](IAccessible& memo, VARIANT self) {
            return memo.accDoDefaultAction(self);
        });
    int glyph = GlyphOf(child);
    if (glyph < 0) return IsChild(child, CHILDID_SELF) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    if (!form_->HandleAllocated() || !IsWindowEnabled(form_->Handle())) return E_FAIL;
    PostMessageW(form_->Handle(), TForm1::kRunCommandMessage,
                 static_cast<WPARAM>(kGlyphs[glyph].command), 0);
    return S_OK;
}

HRESULT NoteAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT NoteAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace note

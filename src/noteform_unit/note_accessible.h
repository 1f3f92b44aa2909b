#pragma once
// What accessibility tools (screen readers) find in the note: its client area, holding the memo
// (the system's own object) and the four glyphs as push buttons, each with a name, a role, a
// state, a place on the screen and a default action that runs the glyph's handler.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

namespace note {

class TForm1;

// One for the note's life; it outlives the note's system windows, which pinning makes anew. COM
// reference counting keeps it alive while a tool holds it; once the note is gone it answers
// every question as a disconnected object.
class NoteAccessible final : public IAccessible {
public:
    explicit NoteAccessible(TForm1& form) : form_(&form) {}
    NoteAccessible(const NoteAccessible&) = delete;
    NoteAccessible& operator=(const NoteAccessible&) = delete;
    void Detach() { form_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: no type information; tools use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~NoteAccessible() = default;
    // The memo's own object (its client area) for questions about child 1, or null.
    IAccessible* MemoClient() const;
    // The glyph a child id names: 0 to 3, or -1 when it names none.
    int GlyphOf(const VARIANT& child) const;
    RECT GlyphScreenRect(int glyph) const;
    // A text of a child: the memo's own for the memo, `otherwise` (null: none) for the rest.
    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT ChildText(TextGetter get, VARIANT child, BSTR* text,
                      const wchar_t* otherwise = nullptr);
    // The memo's window object, into `out`.
    HRESULT MemoWindow(VARIANT* out) const;

    LONG refs_ = 1;
    TForm1* form_;
};

// Child ids: the memo, then the glyphs from left to right.
inline constexpr long kMemoChild = 1;
inline constexpr long kFirstGlyphChild = 2;
inline constexpr int kGlyphCount = 4;

} // namespace note

#include "stdctrls.h"

#include "toolkit/components/component_reader.h"
#include "toolkit/text/edit_word_breaks.h"
#include "toolkit/components/property_table.h"
#include "toolkit/base/scope_exit.h"
#include "toolkit/text/unicode_text.h"

#include <algorithm>
#include <memory>
#include <new>

#include <vector>

namespace tk {
namespace {

constexpr EnumName<TAlignment> kAlignmentNames[] = {{"taLeftJustify", TAlignment::taLeftJustify},
                                                    {"taRightJustify", TAlignment::taRightJustify},
                                                    {"taCenter", TAlignment::taCenter}};
constexpr EnumName<TTextLayout> kTextLayoutNames[] = {{"tlTop", TTextLayout::tlTop},
                                                      {"tlCenter", TTextLayout::tlCenter},
                                                      {"tlBottom", TTextLayout::tlBottom}};
constexpr EnumName<TScrollStyle> kScrollStyleNames[] = {
    {"ssNone", TScrollStyle::ssNone},
    {"ssHorizontal", TScrollStyle::ssHorizontal},
    {"ssVertical", TScrollStyle::ssVertical},
    {"ssBoth", TScrollStyle::ssBoth}};

// Bevels are drawn only around memos with a border of their own; accepted and ignored here, as
// the note's memo has none.
// Hands a text to a window (WM_SETTEXT); false when the window refuses it.
bool SendText(HWND window, const std::string& text) {
    const std::wstring wide = Wide(text);
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) != 0;
}

void AcceptBevel(TMemo&, const LayoutValue& value, LayoutReader& reader) {
    reader.Enum<int>(value, {{"bvNone", 0}, {"bvLowered", 1}, {"bvRaised", 2}, {"bvSpace", 3}});
}

} // namespace

// ---- TLabel ----

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetCaption(const std::string& caption) {
    if (StoreChanged(caption_, caption)) Invalidate();
}

void TLabel::Paint(TCanvas& canvas) {
    TRect box = ClientRect();
    if (!Transparent && Color() != clNone) {
        canvas.BrushColor = Color();
        canvas.FillRect(box);
    }
    canvas.Font.Assign(Font());
    UINT format = DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0);
    format |= Alignment == TAlignment::taCenter         ? DT_CENTER
              : Alignment == TAlignment::taRightJustify ? DT_RIGHT
                                                        : DT_LEFT;
    TRect target = box;
    if (!WordWrap && caption_.find_first_of("\r\n") == std::string::npos) {
        // One line: the system places it vertically in the same call that draws it.
        format |= DT_SINGLELINE | (Layout == TTextLayout::tlCenter   ? DT_VCENTER
                                   : Layout == TTextLayout::tlBottom ? DT_BOTTOM
                                                                     : DT_TOP);
    } else if (Layout != TTextLayout::tlTop) {
        // Several lines: placed from the measured text block.
        TRect measured = box;
        canvas.DrawTextIn(caption_, measured, format | DT_CALCRECT);
        const int offset = Layout == TTextLayout::tlCenter ? (box.Height() - measured.Height()) / 2
                                                           : box.Height() - measured.Height();
        target = {box.Left, box.Top + offset, box.Right, box.Top + offset + measured.Height()};
    }
    if (!Enabled()) {
        TRect shifted{target.Left + 1, target.Top + 1, target.Right + 1, target.Bottom + 1};
        canvas.Font.SetColor(clBtnHighlight);
        canvas.DrawTextIn(caption_, shifted, format);
        canvas.Font.SetColor(clBtnShadow);
    }
    canvas.DrawTextIn(caption_, target, format);
}

bool TLabel::ReadProperty(std::string_view name, const LayoutValue& value, LayoutReader& reader) {
    static const PropertyTable<TLabel> properties{
        {"Caption", Set<&TLabel::SetCaption>},
        {"Alignment", Set<&TLabel::Alignment, ReadEnum<kAlignmentNames>>},
        {"Layout", Set<&TLabel::Layout, ReadEnum<kTextLayoutNames>>},
        {"Transparent", Set<&TLabel::Transparent>},
        {"WordWrap", Set<&TLabel::WordWrap>},
        {"AutoSize", Set<&TLabel::AutoSize>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TGraphicControl::ReadProperty(name, value, reader);
}

// ---- TImage ----

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetIcon(HICON icon) {
    icon_ = icon;
    Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
    if (icon_)
        DrawIconEx(canvas.Handle(), 0, 0, icon_, 0, 0, 0, nullptr, DI_NORMAL);
    else
        canvas.Draw(0, 0, picture_);
}

bool TImage::DrawsNothing() const {
    return !icon_ && picture_.Empty();
}

TPersistent* TImage::SubObject(std::string_view name) {
    if (name == "Picture") return &picture_;
    return TGraphicControl::SubObject(name);
}

// ---- TMemo ----

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 89);
    TabStop = true;
    SetColor(clWindow);
}

void TMemo::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClassName = "EDIT";
    p.WinClassName = "TkMemo";
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0) | WS_TABSTOP |
              ES_MULTILINE | ES_AUTOVSCROLL;
    if (!WordWrap) p.Style |= ES_AUTOHSCROLL;
    if (ScrollBars == TScrollStyle::ssVertical || ScrollBars == TScrollStyle::ssBoth)
        p.Style |= WS_VSCROLL;
    if (ScrollBars == TScrollStyle::ssHorizontal || ScrollBars == TScrollStyle::ssBoth)
        p.Style |= WS_HSCROLL;
    if (Alignment == TAlignment::taCenter) p.Style |= ES_CENTER;
    if (Alignment == TAlignment::taRightJustify) p.Style |= ES_RIGHT;
    if (ReadOnly) p.Style |= ES_READONLY;
    if (!HideSelection) p.Style |= ES_NOHIDESEL;
    if (WantReturns) p.Style |= ES_WANTRETURN;
    if (BorderStyle == TBorderStyle::bsSingle) {
        if (Ctl3D)
            p.ExStyle |= WS_EX_CLIENTEDGE;
        else
            p.Style |= WS_BORDER;
    }
}

void TMemo::HandleCreated() {
    // MaxLength 0 asks for the system's largest limit.
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
    // The memo's own word breaks: the system's procedure works out the break opportunities of
    // the whole text after every change, in one allocation of the text's size that a large
    // note can fail (and then crash).
    if (WordWrap)
        SendMessageW(Handle(), EM_SETWORDBREAKPROC, 0,
                     reinterpret_cast<LPARAM>(EditWordBreakProc()));
    if (!savedText_.empty()) {
        suppressChange_ = true;
        SendText(Handle(), savedText_);
        suppressChange_ = false;
    }
    SendMessageW(Handle(), EM_SETMODIFY, savedModified_ ? TRUE : FALSE, 0);
    savedText_.clear();
}

void TMemo::HandleDestroying() {
    savedText_ = Text();
    savedModified_ = Modified();
}

size_t TMemo::TextLength() const {
    if (!HandleAllocated()) return Utf16Length(savedText_);
    return static_cast<size_t>(SendMessageW(Handle(), WM_GETTEXTLENGTH, 0, 0));
}

// The control's text, fetched into a buffer that is not first filled with zeros: a large note's
// text is fetched for every save, and filling tens of megabytes first costs as much as the fetch.
class TMemo::FetchedText {
public:
    explicit FetchedText(HWND edit) {
        const auto length = static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
        units_.reset(new wchar_t[length + 1]);
        const auto got = static_cast<size_t>(
            SendMessageW(edit, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(units_.get())));
        length_ = std::min(got, length);
    }
    std::wstring_view View() const { return {units_.get(), length_}; }

private:
    std::unique_ptr<wchar_t[]> units_;
    size_t length_ = 0;
};

std::string TMemo::Text() const {
    if (!HandleAllocated()) return savedText_;
    return Utf8(FetchedText(Handle()).View(), LoneSurrogate::Keep);
}

std::wstring TMemo::WideText() const {
    if (!HandleAllocated()) return Wide(savedText_);
    return std::wstring(FetchedText(Handle()).View());
}

void TMemo::SetText(const std::string& text) {
    if (!HandleAllocated()) {
        savedText_ = text;
        Change();
        return;
    }
    SendText(Handle(), text);
}

bool TMemo::SetTextSilently(const std::string& text) {
    if (!HandleAllocated()) {
        savedText_ = text.substr(0, text.find('\0'));
        return true;
    }
    suppressChange_ = true;
    const bool accepted = SendText(Handle(), text);
    suppressChange_ = false;
    return accepted;
}

bool TMemo::EmptyWithRoom(size_t units) {
    if (!HandleAllocated()) return SetTextSilently("");
    const HWND edit = Handle();
    // A buffer of the control's own kind, handed to it whole; the one it had is freed.
    HLOCAL room = units < (SIZE_MAX / sizeof(wchar_t)) - 1
                      ? LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, (units + 1) * sizeof(wchar_t))
                      : nullptr;
    if (!room) return SetTextSilently(""); // it grows as it goes, then
    const auto old = reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0));
    suppressChange_ = true;
    SendMessageW(edit, EM_SETHANDLE, reinterpret_cast<WPARAM>(room), 0);
    suppressChange_ = false;
    if (old && old != room) LocalFree(old);
    return true;
}

bool TMemo::AppendSilently(std::string_view text) {
    if (!HandleAllocated()) {
        savedText_ += text;
        return true;
    }
    const std::wstring wide = Wide(text);
    const HWND edit = Handle();
    const auto length = static_cast<WPARAM>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
    DWORD selStart = 0, selEnd = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                 reinterpret_cast<LPARAM>(&selEnd));
    const LRESULT firstLine = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    suppressChange_ = true;
    SendMessageW(edit, WM_SETREDRAW, FALSE, 0);
    ScopeExit restore([&] {
        // Taking the text scrolled the control to its end: the view and the selection go back.
        SendMessageW(edit, EM_SETSEL, selStart, static_cast<LPARAM>(selEnd));
        const LRESULT nowFirst = SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
        if (nowFirst != firstLine) SendMessageW(edit, EM_LINESCROLL, 0, firstLine - nowFirst);
        SendMessageW(edit, WM_SETREDRAW, TRUE, 0);
        // What was taken with redrawing off is painted at the next repaint. (Once the text is
        // taller than the view, scrolling to its end and back asks for the whole view anyway.)
        InvalidateRect(edit, nullptr, FALSE);
        suppressChange_ = false;
    });
    SendMessageW(edit, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    return static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) == length + wide.size();
}

void TMemo::ShowStart() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), EM_SETSEL, 0, 0);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

void TMemo::SetReadOnly(bool readOnly) {
    ReadOnly = readOnly;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TMemo::EmptyUndo() {
    if (HandleAllocated()) SendMessageW(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

void TMemo::BeginUpdate() {
    if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TMemo::EndUpdate() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    // Turning redrawing on shows the window; a hidden memo stays hidden.
    ShowWindow(Handle(), Visible() ? SW_SHOWNA : SW_HIDE);
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TMemo::Modified() const {
    if (!HandleAllocated()) return savedModified_;
    return SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TMemo::SetModified(bool modified) {
    if (!HandleAllocated()) {
        savedModified_ = modified;
        return;
    }
    SendMessageW(Handle(), EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void TMemo::SetLimits(const MemoLimits& limits) {
    MaxLength = static_cast<int>(limits.MaxLength);
    longestLine_ = limits.LongestLine;
    if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
}

namespace {

struct Selection {
    size_t Start = 0, End = 0;
};

Selection SelectionOf(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {std::min(start, end), std::max(start, end)};
}

// The clipboard's text as a paste would insert it (up to its first NUL).
std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

namespace {

// Where the line of the text (from break to break) that holds `at` starts and ends, told by the
// control's shown lines (a wrapped line is several, with no units between them; a line break
// lies between two): false when the line spans more shown lines than are worth asking about.
bool TextLineAround(HWND edit, size_t at, size_t& start, size_t& end) {
    constexpr int kMostShownLines = 64;
    auto index = [edit](LRESULT line) {
        return SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    };
    auto length = [edit](LRESULT first) {
        return static_cast<size_t>(
            SendMessageW(edit, EM_LINELENGTH, static_cast<WPARAM>(first), 0));
    };
    const LRESULT line = SendMessageW(edit, EM_LINEFROMCHAR, at, 0);
    LRESULT first = line;
    start = static_cast<size_t>(index(first));
    for (int shown = 0;; ++shown) {
        if (first == 0) break;
        const auto above = static_cast<size_t>(index(first - 1));
        if (above + length(static_cast<LRESULT>(above)) < start)
            break; // a break ends the line above
        if (shown == kMostShownLines) return false;
        --first;
        start = above;
    }
    LRESULT last = line;
    const auto lastStart = static_cast<size_t>(index(last));
    end = lastStart + length(static_cast<LRESULT>(lastStart));
    for (int shown = 0;; ++shown) {
        const LRESULT below = index(last + 1);
        if (below < 0 || static_cast<size_t>(below) > end) break; // the end, or a break
        if (shown == kMostShownLines) return false;
        ++last;
        end = static_cast<size_t>(below) + length(below);
    }
    return true;
}

} // namespace

bool TMemo::MayEdit(size_t start, size_t end, std::wstring_view inserted) {
    const HWND edit = Handle();
    // The lines the edit touches, from the control's shown lines where that is cheap; else from a
    // copy of the text (a line of many shown lines).
    auto lines = [&] {
        size_t firstStart = 0, firstEnd = 0, lastStart = 0, lastEnd = 0;
        if (TextLineAround(edit, start, firstStart, firstEnd) &&
            TextLineAround(edit, end, lastStart, lastEnd))
            return EditedLines{start - firstStart, lastEnd - end, lastStart > start};
        const std::wstring text = WideText();
        return EditedLinesOf(std::wstring_view(text), start, end);
    };
    EditRefusal refusal = EditRefusal::None;
    try {
        refusal = CheckEdit<wchar_t>(
            TextLength(), start, end, inserted,
            MemoLimits{static_cast<size_t>(std::max(MaxLength, 0)), longestLine_}, lines);
    } catch (const std::bad_alloc&) {
        // No memory for a copy of a very large text: the edit is left to the control, which
        // still holds the whole text to its size limit.
        return true;
    }
    if (refusal == EditRefusal::None) return true;
    if (OnEditRefused) OnEditRefused(this, refusal);
    return false;
}

bool TMemo::MayReplaceSelection(std::wstring_view inserted) {
    const Selection selection = SelectionOf(Handle());
    return MayEdit(selection.Start, selection.End, inserted);
}

namespace {

// A line as the control shows it (a wrapped line is several): where it starts, and its units
// without its line break.
struct ShownLine {
    size_t Start = 0;
    std::wstring Units;
};

ShownLine ShownLineAt(HWND edit, LRESULT line) {
    ShownLine shown;
    const LRESULT start = SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    if (start < 0) return shown;
    shown.Start = static_cast<size_t>(start);
    const auto length = static_cast<size_t>(SendMessageW(edit, EM_LINELENGTH, shown.Start, 0));
    // EM_GETLINE takes the buffer's size in its first unit and adds no NUL.
    shown.Units.assign(std::max<size_t>(length, 1), L'\0');
    shown.Units[0] = static_cast<wchar_t>(std::min<size_t>(length, 0xFFFF));
    const auto got = static_cast<size_t>(SendMessageW(
        edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(shown.Units.data())));
    shown.Units.resize(std::min(got, length));
    return shown;
}

} // namespace

bool TMemo::PrepareDeletion(bool backspace) {
    const HWND edit = Handle();
    const Selection selection = SelectionOf(edit);
    if (selection.Start != selection.End) return MayEdit(selection.Start, selection.End, {});
    // Only the shown lines at the caret are read: a key costs what the control's own work costs.
    const size_t caret = selection.Start;
    const LRESULT lineIndex = SendMessageW(edit, EM_LINEFROMCHAR, caret, 0);
    const ShownLine line = ShownLineAt(edit, lineIndex);
    const size_t column = caret - std::min(caret, line.Start);
    size_t start = caret, end = caret;
    if (backspace) {
        if (caret == 0) return true;
        start = caret - 1;
        if (column >= 2) {
            start = line.Start + BackspaceStart(std::wstring_view(line.Units), column);
        } else if (column == 0 && lineIndex > 0) {
            const ShownLine before = ShownLineAt(edit, lineIndex - 1);
            const size_t beforeEnd = before.Start + before.Units.size();
            // A line break (CR LF) goes whole; after a wrap, the last character of the line above.
            start = beforeEnd < caret
                        ? beforeEnd
                        : before.Start +
                              BackspaceStart(std::wstring_view(before.Units), before.Units.size());
        }
    } else {
        const size_t lineEnd = line.Start + line.Units.size();
        if (caret < lineEnd) {
            end = line.Start + DeleteEnd(std::wstring_view(line.Units), column);
        } else {
            const LRESULT next =
                SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(lineIndex + 1), 0);
            if (next < 0) return true; // at the end of the text
            end = std::max(caret + 1, static_cast<size_t>(next));
        }
    }
    if (!MayEdit(start, end, {})) return false;
    // Both halves of a character go together: the control then removes the selection.
    SendMessageW(edit, EM_SETSEL, start, static_cast<LPARAM>(end));
    return true;
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ReadOnly) return TWinControl::WndProc(msg, wParam, lParam);
    switch (msg) {
    case WM_CHAR: {
        const auto c = static_cast<wchar_t>(wParam);
        if (c == VK_BACK) {
            if (!PrepareDeletion(true)) return 0;
        } else if (c == L'\r') {
            if (WantReturns && !MayReplaceSelection(L"\r\n")) return 0;
        } else if (c >= 0x20 || c == L'\t') {
            if (!MayReplaceSelection(std::wstring_view(&c, 1))) return 0;
        }
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
            !PrepareDeletion(false))
            return 0;
        break;
    case WM_PASTE:
        if (!MayReplaceSelection(ClipboardText(Handle()))) return 0;
        break;
    case WM_CUT:
    case WM_CLEAR:
        if (!MayReplaceSelection({})) return 0;
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

HBRUSH TMemo::CtlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(Font().Color()));
    const COLORREF color = ColorToRGB(Color());
    SetBkColor(dc, color);
    if (!brush_ || brushColor_ != color) {
        brush_.Reset(CreateSolidBrush(color));
        brushColor_ = color;
    }
    return brush_.Get();
}

void TMemo::SetColor(TColor color) {
    brush_.Reset();
    TWinControl::SetColor(color);
}

void TMemo::CommandNotify(WORD code) {
    if (code == EN_CHANGE && !suppressChange_) Change();
}

void TMemo::Change() {
    if (OnChange) OnChange(this);
}

bool TMemo::ReadProperty(std::string_view name, const LayoutValue& value, LayoutReader& reader) {
    static const PropertyTable<TMemo> properties{
        {"BorderStyle", Set<&TMemo::BorderStyle, ReadEnum<kBorderStyleNames>>},
        {"BevelInner", AcceptBevel},
        {"BevelOuter", AcceptBevel},
        {"ScrollBars", Set<&TMemo::ScrollBars, ReadEnum<kScrollStyleNames>>},
        {"Alignment", Set<&TMemo::Alignment, ReadEnum<kAlignmentNames>>},
        {"WordWrap", Set<&TMemo::WordWrap>},
        {"WantReturns", Set<&TMemo::WantReturns>},
        {"WantTabs", Set<&TMemo::WantTabs>},
        {"ReadOnly", Set<&TMemo::ReadOnly>},
        {"HideSelection", Set<&TMemo::HideSelection>},
        {"Ctl3D", Set<&TMemo::Ctl3D>},
        {"MaxLength", Set<&TMemo::MaxLength>},
        {"OnChange", Set<&TMemo::OnChange>},
    };
    return properties.Apply(*this, name, value, reader) ||
           TWinControl::ReadProperty(name, value, reader);
}

} // namespace tk

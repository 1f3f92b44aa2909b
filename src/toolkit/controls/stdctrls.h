#pragma once
// Labels, images and the memo over the system multi-line EDIT control.
#include "toolkit/components/component_reader.h"
#include "toolkit/text/memo_edits.h"
#include "win_control.h"

namespace tk {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// A windowless text label.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TAlignment Alignment = TAlignment::taLeftJustify;
    TTextLayout Layout = TTextLayout::tlTop;
    bool Transparent = false;
    bool WordWrap = false;
    bool AutoSize = true;

    void Paint(TCanvas& canvas) override;

protected:
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;

private:
    std::string caption_;
};

// A windowless image; without a picture it draws nothing and only shows its cursor.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    const char* ClassName() const override { return "TImage"; }

    TBitmap& Picture() { return picture_; }
    // Shows a system icon instead of the picture (not owned; shared icons only).
    void SetIcon(HICON icon);
    void Paint(TCanvas& canvas) override;
    bool DrawsNothing() const override;

protected:
    TPersistent* SubObject(std::string_view name) override;

private:
    TBitmap picture_;
    HICON icon_ = nullptr;
};

enum class TBorderStyle { bsNone, bsSingle };
inline constexpr EnumName<TBorderStyle> kBorderStyleNames[] = {
    {"bsNone", TBorderStyle::bsNone}, {"bsSingle", TBorderStyle::bsSingle}};
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line text editor over the system EDIT control. Its text, modified state and settings
// survive re-creation of its window, without a change notification.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);
    const char* ClassName() const override { return "TMemo"; }

    // The text, UTF-8 as every text of the program. Half a character (a surrogate without its
    // partner, which the control can hold) is kept in a form that is not UTF-8 (see
    // LoneSurrogate::Keep): what is written of the text can refuse it, SetText gives it back.
    std::string Text() const;
    // The text as the control holds it, in UTF-16: the cheapest copy of it to take.
    std::wstring WideText() const;
    // The length of the text in UTF-16 code units (as the system counts it), without fetching it.
    size_t TextLength() const;
    void SetText(const std::string& text);
    // Replaces the whole text without a change notification; false when the control refuses it.
    bool SetTextSilently(const std::string& text);
    // Empties the text without a change notification, with room made for `units` UTF-16 code
    // units at once, so that appending up to that much never moves the text (the system's
    // control otherwise grows its buffer, copying the whole text, on every append); false when
    // the control refuses even to be emptied.
    bool EmptyWithRoom(size_t units);
    // Appends a text at the end without a change notification, leaving the caret, the selection
    // and the view where they were; false when the control did not take all of it.
    bool AppendSilently(std::string_view text);
    // Puts the caret at the start and the view at the top.
    void ShowStart();
    // Read-only or not, at once.
    void SetReadOnly(bool readOnly);
    // Forgets what Undo would undo.
    void EmptyUndo();
    // Raises the change notification (OnChange).
    void NotifyChange() { Change(); }
    // Between the two the memo does not redraw; EndUpdate shows the result at once.
    void BeginUpdate();
    void EndUpdate();
    void SetColor(TColor color) override;
    bool Modified() const;
    void SetModified(bool modified);

    TBorderStyle BorderStyle = TBorderStyle::bsSingle;
    TScrollStyle ScrollBars = TScrollStyle::ssNone;
    TAlignment Alignment = TAlignment::taLeftJustify;
    bool WordWrap = true;
    bool WantReturns = true;
    bool WantTabs = false;
    bool ReadOnly = false;
    bool HideSelection = true;
    bool Ctl3D = true;
    int MaxLength = 0;

    // The limits typing, pasting and deleting are held to (MaxLength is the whole text's). An
    // edit that would pass one is not made, and OnEditRefused says which.
    void SetLimits(const MemoLimits& limits);

    bool WantsTab() const override { return WantTabs; }
    TNotifyEvent OnChange;
    std::function<void(TObject* sender, EditRefusal refusal)> OnEditRefused;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;
    HBRUSH CtlColor(HDC dc) override;
    void CommandNotify(WORD code) override;
    bool ReadProperty(std::string_view name, const LayoutValue& value,
                      LayoutReader& reader) override;
    virtual void Change();
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class FetchedText;
    std::string savedText_; // the text while no window exists
    bool savedModified_ = false;
    bool suppressChange_ = false;
    size_t longestLine_ = 0;

    // Whether units [start, end) may be replaced by `inserted` within the limits; when not,
    // OnEditRefused is told.
    bool MayEdit(size_t start, size_t end, std::wstring_view inserted);
    // Whether the selection may be replaced by `inserted`.
    bool MayReplaceSelection(std::wstring_view inserted);
    // Before Backspace or Delete: with no selection, what the key removes is selected when it is
    // a whole character of two units; false when the removal would pass a limit.
    bool PrepareDeletion(bool backspace);
    BrushHandle brush_;
    COLORREF brushColor_ = 0; // what brush_ was made with: a system colour may change
};

} // namespace tk

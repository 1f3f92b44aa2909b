#pragma once
// The note's memo as its document sees it.
#include "document/document_ports.h"
#include "toolkit/controls/stdctrls.h"

namespace note {

class TMemoPort : public NoteMemo {
public:
    explicit TMemoPort(tk::TMemo& memo) : memo_(memo) {}
    std::string Text() const override { return memo_.Text(); }
    std::wstring WideText() const override { return memo_.WideText(); }
    size_t TextLength() const override { return memo_.TextLength(); }
    bool Modified() const override { return memo_.Modified(); }
    void SetModified(bool modified) override { memo_.SetModified(modified); }
    void SetReadOnly(bool readOnly) override { memo_.SetReadOnly(readOnly); }
    bool SetTextSilently(const std::string& text) override { return memo_.SetTextSilently(text); }
    bool EmptyWithRoom(size_t units) override { return memo_.EmptyWithRoom(units); }
    bool AppendSilently(std::string_view text) override { return memo_.AppendSilently(text); }
    void ShowStart() override { memo_.ShowStart(); }
    void EmptyUndo() override { memo_.EmptyUndo(); }
    void NotifyChange() override { memo_.NotifyChange(); }

private:
    tk::TMemo& memo_;
};

} // namespace note

// A plain window with a window-action image over its top strip, for end-to-end drags with either
// ShowWndContent value: wndact_host 0|1. The window is titled "WndActHost".
#include "AdvPanel/AdvPanel.h"
#include "WndActImg/WndActImg.h"
#include "toolkit/forms/application.h"

#include <cstring>

int main(int argc, char** argv) {
    tk::TApplication app;
    try {
        app.Initialize();
        app.SetTitle("WndActHostApp");
        auto* form = new tk::TForm(&app);
        form->SetBorderStyle(tk::TFormBorderStyle::bsNone);
        form->SetCaption("WndActHost");
        form->SetBounds(100, 100, 300, 200);
        auto* panel = new advpanel::TAdvPanel(form);
        panel->SetParent(form);
        panel->SetAlign(tk::TAlign::alClient);
        panel->SetColor(tk::RGBColor(200, 220, 255));
        auto* handle = new wndact::TWndActImage(form);
        handle->SetParent(panel);
        handle->SetBounds(0, 0, 300, 30);
        handle->ShowWndContent = argc > 1 && std::strcmp(argv[1], "1") == 0;
        app.AddForm(form);
        app.Run(SW_SHOWNORMAL);
    } catch (...) {
        app.HandleException();
        return 1;
    }
    return 0;
}

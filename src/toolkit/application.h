#pragma once
// The application object: a hidden zero-size window that carries the title and the task-bar
// button and owns every form and dialog, the message loop, and the exception display.
#include "forms.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tk {

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    // Initialises COM for this thread and creates the application's window.
    void Initialize();
    HWND Handle() const;

    std::string Title() const;
    void SetTitle(const std::string& title);

    // Whether the application's dialogs read right to left.
    bool RightToLeftReading = false;

    TCustomForm* MainForm() const { return mainForm_; }
    // Creates a form owned by the application; the first one becomes the main form. Its system
    // window is created, not shown.
    template <typename TFormClass> TFormClass* CreateForm() {
        auto* form = new TFormClass(this);
        AddForm(form);
        return form;
    }
    // Takes a form built elsewhere (owned by this application) as CreateForm does.
    void AddForm(TCustomForm* form);

    // Shows the main form by the process's show command, then runs the message loop until
    // Terminate.
    void Run();
    void Run(int showCommand);
    // Shows the main form as the message loop does when it starts: SW_SHOWMAXIMIZED maximised,
    // SW_SHOWMINNOACTIVE minimised with the application, anything else normally.
    void ShowMainForm(int showCommand);
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles one message, waiting for it; returns false once WM_QUIT arrived.
    bool HandleMessage();
    // Handles every message already queued, without waiting.
    void ProcessMessages();

    void Minimize();
    void Restore();

    // Pinned forms leave the topmost layer while the application's window is disabled (a modal
    // window is up) and return to it when it is enabled again.
    void NormalizeTopMosts();
    void RestoreTopMosts();

    // Shows the exception being handled (inside a catch block); EAbort shows nothing.
    void HandleException() noexcept;
    // The display used for exceptions from event handlers; a default box when unset.
    std::function<void(const std::exception&)> OnException;
    void ShowException(const std::string& message);

private:
    bool PreprocessMessage(MSG& msg);
    bool DispatchOne(MSG& msg);

    class Window;
    Window* window_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    std::vector<HWND> unownedForms_; // pinned forms taken from their owner while disabled
    bool terminated_ = false;
};

// The process's application object, created by the start-up code.
extern TApplication* Application;

} // namespace tk

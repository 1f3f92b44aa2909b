#pragma once
// The application object: a hidden zero-size window that carries the title and the task-bar
// button and owns every form and dialog, the message loop, and the exception display.
#include "forms.h"

#include <deque>
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

    // A modeless dialog (the system's Find, say) gets its keys (Tab, Enter, Esc) through the
    // loop's IsDialogMessage while it lives; it is forgotten when it is gone.
    void AddModelessDialog(HWND dialog);

    // Pinned forms leave the topmost layer while the application's window is disabled (a modal
    // window is up) and return to it when it is enabled again.
    void NormalizeTopMosts();
    void RestoreTopMosts();

    // Shows the exception being handled (inside a catch block) at once; EAbort shows nothing.
    // For failures outside the message loop (before it starts, say).
    void HandleException() noexcept;
    // Keeps the exception being handled (inside a catch block) and shows it once control is back
    // in a message loop: a box shown from inside a window procedure would run its modal loop in
    // the middle of the paint or the mouse capture that failed. A failure already waiting or on
    // screen is not queued again, and a paint's failure that was just shown is not shown again
    // until the user presses a key or a button: closing its box repaints what it covered, which
    // would fail again, for ever.
    void QueueException(bool duringPaint = false) noexcept;
    // The display used for exceptions from event handlers; a default box when unset.
    std::function<void(const std::exception&)> OnException;
    void ShowException(const std::string& message);

private:
    struct QueuedError {
        std::exception_ptr Error;
        std::string Text;
        bool DuringPaint = false;
    };
    bool PreprocessMessage(MSG& msg);
    bool PreprocessFormMessage(MSG& msg);
    void ShowQueuedExceptions();
    bool DispatchOne(MSG& msg);

    class Window;
    Window* window_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    std::vector<HWND> modelessDialogs_;
    std::vector<HWND> unownedForms_; // pinned forms taken from their owner while disabled
    bool terminated_ = false;
    std::deque<QueuedError> queuedErrors_;
    std::vector<std::string> errorsOnScreen_;
    std::string lastPaintError_; // shown, and not shown again until the user acts
    bool errorsPosted_ = false;
};

// The process's application object, created by the start-up code.
extern TApplication* Application;

} // namespace tk

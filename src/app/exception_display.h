#pragma once
// The application's default exception display: an error box captioned with the current
// application title, while every other window of the application is disabled.
#include "toolkit/forms/application.h"

#include <exception>

namespace app {

// Makes ShowExceptionBox the application's display for exceptions from event handlers.
void InstallExceptionDisplay(tk::TApplication& application);

// Shows the exception's message in an error box owned by the application's window; returns when
// the user has closed it. The window that was active and the focused control are restored.
void ShowExceptionBox(tk::TApplication& application, const std::exception& error);

} // namespace app

#pragma once
// The single place where an exception that left an event handler ends up: the application's
// exception display. Window procedures call it from their catch-all, so no exception crosses
// back into the system.

namespace tk {

// Shows the exception currently being handled (call only inside a catch block).
void HandleEventException() noexcept;

} // namespace tk

#pragma once
// The single place where an exception that left an event handler ends up: the application's
// exception display, once control is back in the message loop. Window procedures call it from
// their catch-all, so no exception crosses back into the system.

namespace tk {

// Queues the exception currently being handled for display (call only inside a catch block);
// `duringPaint` when it left a paint.
void HandleEventException(bool duringPaint = false) noexcept;

} // namespace tk

#pragma once
// Handing work to the UI thread. Widgets are touched there only; other
// threads post a callable, which runs on the UI thread in posting order.

#include <functional>

namespace ui {

// Queues call for the UI thread; safe from any thread. The application
// object must exist for the event loop to pick the calls up; RunPostedNow
// runs them in any case.
void PostToUiThread(std::function<void()> call);

// On the UI thread: runs every call posted so far, in order, before it
// returns (also calls posted by those calls). Used when a stop must not
// leave handed-over work behind.
void RunPostedNow();

bool IsUiThread();

} // namespace ui

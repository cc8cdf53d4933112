#pragma once
// The application-wide error hook: no C++ exception may leave a Qt event handler. Every entry point
// from the event loop (timer tick, socket notification, paint, mouse, button) runs inside RunGuarded.
#include <exception>
#include <functional>

using TErrorHandler = std::function<void(const std::exception &)>;

// Installs the handler that receives every escaping exception; an unset handler drops them, logged.
void SetApplicationErrorHandler(TErrorHandler handler);

// Runs work; an exception that escapes it goes to the application's handler and stops there.
void RunGuarded(const std::function<void()> &work);

#include "ErrorHook.h"

#include "ChattleError.h"

namespace {
TErrorHandler &Handler()
{
    static TErrorHandler handler;
    return handler;
}

void Report(const std::exception &e)
{
    if (Handler()) {
        try {
            Handler()(e);
        } catch (...) {
            // A failing handler must not take the event loop down with it.
        }
    }
}
} // namespace

void SetApplicationErrorHandler(TErrorHandler handler) { Handler() = std::move(handler); }

void RunGuarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (const std::exception &e) {
        Report(e);
    } catch (...) {
        Report(EChattleError("unknown error"));
    }
}

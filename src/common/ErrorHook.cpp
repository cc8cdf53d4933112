#include "ErrorHook.h"

#include "ChattleLog.h"
#include "CommonLog.h"

namespace {
TErrorHandler &Handler()
{
    static TErrorHandler handler;
    return handler;
}

void Report(const std::exception &e)
{
    if (!Handler()) {
        // What nobody takes is logged, unless the layer that gave up on it already said why.
        LogAbandoned(lcCommon, QStringLiteral("Dropped an error"), e);
        return;
    }
    try {
        Handler()(e);
    } catch (...) {
        // A failing handler must not take the event loop down with it.
        LogAbandoned(lcCommon, QStringLiteral("Dropped an error whose handler failed"), e);
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

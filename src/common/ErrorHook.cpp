#include "ErrorHook.h"

#include "ChattleError.h"
#include "ChattleLog.h"
#include "CommonLog.h"

namespace {
TErrorHandler &Handler()
{
    static TErrorHandler handler;
    return handler;
}

// What nobody takes is logged, unless the layer that gave up on it already said why.
void Drop(const std::exception &e, const QString &why)
{
    if (const auto *error = dynamic_cast<const EChattleError *>(&e))
        LogAbandoned(lcCommon, why, *error);
    else
        LogWarning(lcCommon, why + QStringLiteral(": ") + QString::fromUtf8(e.what()));
}

void Report(const std::exception &e)
{
    if (!Handler()) {
        Drop(e, QStringLiteral("Dropped an error"));
        return;
    }
    try {
        Handler()(e);
    } catch (...) {
        // A failing handler must not take the event loop down with it.
        Drop(e, QStringLiteral("Dropped an error whose handler failed"));
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

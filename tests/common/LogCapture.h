#pragma once
// Catches what is logged while it lives as "category: text" lines, under the given filter rules
// ("chattle.*=true" for everything), with the warning limits counted afresh.
#include <QLoggingCategory>
#include <QStringList>

#include "ChattleLog.h"

class TLogCapture {
public:
    explicit TLogCapture(const QString &rules = QString())
    {
        ResetWarningLimits();
        QLoggingCategory::setFilterRules(rules);
        Current() = this;
        FPrevious = qInstallMessageHandler(Catch);
    }
    ~TLogCapture()
    {
        qInstallMessageHandler(FPrevious);
        Current() = nullptr;
        QLoggingCategory::setFilterRules(QString());
    }
    QStringList Lines;

private:
    static TLogCapture *&Current()
    {
        static TLogCapture *current = nullptr;
        return current;
    }
    static void Catch(QtMsgType, const QMessageLogContext &context, const QString &text)
    {
        Current()->Lines << QString::fromLatin1(context.category) + QStringLiteral(": ") + text;
    }
    QtMessageHandler FPrevious = nullptr;
};

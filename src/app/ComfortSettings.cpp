#include "ComfortSettings.h"

#include <QSettings>

namespace {
const QString TimestampsKey = QStringLiteral("Options/Show Timestamps");
const QString KeepLogsKey = QStringLiteral("Options/Keep Logs");
const QString PlacementKey = QStringLiteral("Main Window/Placement");

const QString Organisation = QStringLiteral("Fernhill Software");
const QString Application = QStringLiteral("Pagewalker");
} // namespace

TComfortOptions LoadComfortOptions()
{
    QSettings store(Organisation, Application);
    TComfortOptions options;
    options.Timestamps = store.value(TimestampsKey, false).toBool();
    options.KeepLogs = store.value(KeepLogsKey, false).toBool();
    return options;
}

void SaveComfortOptions(const TComfortOptions &Options)
{
    QSettings store(Organisation, Application);
    store.setValue(TimestampsKey, Options.Timestamps);
    store.setValue(KeepLogsKey, Options.KeepLogs);
}

QByteArray LoadWindowPlacement()
{
    QSettings store(Organisation, Application);
    return store.value(PlacementKey).toByteArray();
}

void SaveWindowPlacement(const QByteArray &Placement)
{
    QSettings store(Organisation, Application);
    store.setValue(PlacementKey, Placement);
}

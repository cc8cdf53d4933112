#pragma once
// The per-user settings beside the three original values: the conversation options and where the main
// window stood. They live in the same per-user store, in groups of their own.
#include <QByteArray>

struct TComfortOptions {
    bool Timestamps = false;
    bool KeepLogs = false;
};

TComfortOptions LoadComfortOptions();
void SaveComfortOptions(const TComfortOptions &Options);
// The main window's size, position and maximised state as QWidget::saveGeometry wrote them; empty
// before the first close.
QByteArray LoadWindowPlacement();
void SaveWindowPlacement(const QByteArray &Placement);

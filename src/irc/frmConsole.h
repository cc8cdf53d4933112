#pragma once
// The console window: the server messages the connection manager passes on, one line each.
#include <QWidget>

class QPlainTextEdit;

class TfrmConsole : public QWidget {
    Q_OBJECT
public:
    explicit TfrmConsole(QWidget *Parent = nullptr);

    // Appends Msg as the new last line; matches the connection manager's console event.
    void AddLine(QObject *Sender, const QString &Msg);

    QPlainTextEdit *memConsole;
};

#pragma once
// The lines sent from one window, walked with Up and Down as a shell does: Up steps back from the
// line being typed, which is kept and comes back when Down steps past the newest line.
#include <QString>
#include <QStringList>
#include <optional>

class TInputHistory {
public:
    static constexpr int Capacity = 100;

    // A sent line becomes the newest (a repeat of the newest is kept once); the walk starts afresh.
    void Add(const QString &line);
    // The older line, or none at the oldest. current is the text in the input line now.
    std::optional<QString> Up(const QString &current);
    // The newer line, the kept draft past the newest, or none when not walking.
    std::optional<QString> Down();
    const QStringList &Lines() const { return FLines; }

private:
    QStringList FLines;
    int FIndex = 0; // FLines.size() while on the draft
    QString FDraft;
};

#include "InputHistory.h"

void TInputHistory::Add(const QString &line)
{
    if (FLines.isEmpty() || FLines.last() != line)
        FLines << line;
    while (FLines.size() > Capacity)
        FLines.removeFirst();
    FIndex = FLines.size();
    FDraft.clear();
}

std::optional<QString> TInputHistory::Up(const QString &current)
{
    if (FIndex == 0)
        return std::nullopt;
    if (FIndex == FLines.size())
        FDraft = current;
    return FLines.at(--FIndex);
}

std::optional<QString> TInputHistory::Down()
{
    if (FIndex >= FLines.size())
        return std::nullopt;
    ++FIndex;
    return FIndex == FLines.size() ? FDraft : FLines.at(FIndex);
}

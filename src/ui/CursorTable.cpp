#include "CursorTable.h"

#include <QGuiApplication>
#include <array>
#include <optional>

namespace {
constexpr int FirstCursor = crTalk;
constexpr int LastCursor = crPrivateChat;

std::array<std::optional<QCursor>, LastCursor + 1> &Table()
{
    static std::array<std::optional<QCursor>, LastCursor + 1> table;
    return table;
}

bool InRange(int number) { return number >= FirstCursor && number <= LastCursor; }
} // namespace

void RegisterCursor(int number, const QCursor &cursor)
{
    if (InRange(number))
        Table()[static_cast<std::size_t>(number)] = cursor;
}

QCursor LookupCursor(int number)
{
    if (InRange(number) && Table()[static_cast<std::size_t>(number)])
        return *Table()[static_cast<std::size_t>(number)];
    return QCursor(Qt::ArrowCursor);
}

void ClearCursors()
{
    for (auto &entry : Table())
        entry.reset();
}

void ResetScreenCursor()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

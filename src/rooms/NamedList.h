#pragma once
// An ordered list of values keyed by name, looked up ignoring letter case: the connection manager's
// window registry and its remembered room backgrounds.
#include <QList>
#include <QString>
#include <utility>

template <typename T>
class TNamedList {
public:
    struct TEntry {
        QString Name;
        T Value;
    };

    // The index of name, or -1.
    qsizetype IndexOf(const QString &name) const
    {
        for (qsizetype i = 0; i < FEntries.size(); ++i)
            if (FEntries[i].Name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    bool Contains(const QString &name) const { return IndexOf(name) >= 0; }
    // The value stored under name, or a default value.
    T Value(const QString &name) const
    {
        const qsizetype i = IndexOf(name);
        return i < 0 ? T() : FEntries[i].Value;
    }
    // Appends name, or replaces the value of an entry already there.
    void Put(const QString &name, T value)
    {
        const qsizetype i = IndexOf(name);
        if (i < 0)
            FEntries.append({name, std::move(value)});
        else
            FEntries[i].Value = std::move(value);
    }
    void Remove(const QString &name)
    {
        const qsizetype i = IndexOf(name);
        if (i >= 0)
            FEntries.removeAt(i);
    }
    // Gives the entry of name a new name, keeping its place.
    void Rename(const QString &name, const QString &newName)
    {
        const qsizetype i = IndexOf(name);
        if (i >= 0)
            FEntries[i].Name = newName;
    }
    void Clear() { FEntries.clear(); }
    // Removes and returns the last entry; the list must not be empty.
    TEntry TakeLast() { return FEntries.takeLast(); }
    bool IsEmpty() const { return FEntries.isEmpty(); }
    qsizetype Count() const { return FEntries.size(); }
    const QList<TEntry> &Entries() const { return FEntries; }

private:
    QList<TEntry> FEntries;
};

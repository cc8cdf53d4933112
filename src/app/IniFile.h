#pragma once
// TIniFile: a small INI file of sections and "key=value" lines, read the way the classic Windows
// profile functions read them: section and key names ignore letter case and surrounding blanks,
// values are raw text (no quotes, no escapes, no list splitting) without surrounding blanks, and the
// first of duplicate sections or keys wins. Lines that are neither stay in the file as they are.
// The file is read once at construction (UTF-8, or Latin-1 when it is not valid UTF-8); changes stay
// in memory until UpdateFile writes the whole file anew.
#include <QList>
#include <QString>
#include <QStringList>

class TIniFile {
public:
    // Reads FileName; a missing or unreadable file reads as empty.
    explicit TIniFile(const QString &FileName);

    const QString &FileName() const { return FFileName; }

    QString ReadString(const QString &Section, const QString &Key, const QString &Default = QString()) const;
    // Sets the value, adding the key (and the section) at the end when missing. Line breaks in the
    // value become blanks, so one value can never turn into several lines.
    void WriteString(const QString &Section, const QString &Key, const QString &Value);
    // The keys of a section in file order (the first of duplicates only).
    QStringList ReadSection(const QString &Section) const;
    bool SectionExists(const QString &Section) const;
    // Removes the section with all its lines.
    void EraseSection(const QString &Section);

    // Writes the whole file through a temporary file in the same folder, which then replaces the old
    // one, so the file on disk is always either the old or the new one. Throws EFileError naming the
    // file when it cannot be written.
    void UpdateFile() const;

private:
    struct TLine {
        QString Key;   // empty for a line that holds no key
        QString Value;
        QString Raw;   // the line as read, for the lines that hold no key
    };
    struct TSection {
        QString Name; // the first section holds the lines before any "[name]" line
        QList<TLine> Lines;
    };

    void Parse(const QString &Text);
    const TSection *FindSection(const QString &Name) const;
    TSection *FindSection(const QString &Name);
    // The index of the first line holding Key, or -1.
    static qsizetype KeyIndex(const TSection &Section, const QString &Key);

    QString FFileName;
    QList<TSection> FSections;
};

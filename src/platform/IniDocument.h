#pragma once
// One INI file in the format QSettings reads and writes, held line by line so that a change
// rewrites only the line it concerns and every other byte of the file stays as it was.
//
// Reading follows QSettings: "[Section]" headers ("[General]" for the top, "%General" for a
// group of that name), keys whose '\' or '/' separate groups, %XX and %UXXXX escapes in names,
// quoted and back-slash-escaped values, ';' comments. Unlike QSettings it reads one line at a
// time and every well-formed line whatever else the file holds: a line it cannot parse (no
// '=', an unterminated quote, bytes that are not UTF-8 text) is kept verbatim and skipped, an
// unquoted comma is part of the text rather than a list separator. Names match without regard
// to case, and of two entries for one name the later wins.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace bpd::platform {

class IniDocument {
public:
    // What the file holds under one name.
    struct Entry {
        bool exists = false;
        bool isText = false;  // false: a value of another kind that QSettings wrote (@Variant...)
        QString text;
    };

    IniDocument() = default;
    explicit IniDocument(const QByteArray& bytes);

    // The file holds something, but not one line of it reads as a section or a value.
    bool unreadable() const;

    // `key`: the groups and the name, e.g. {"SOFTWARE", "Pelgro", "Bearing Pad Design", "Company"}.
    Entry value(const QStringList& key) const;
    // Whether any value lies below the group.
    bool holdsKeysBelow(const QStringList& group) const;
    // Replaces the text of the entry that value() reads, or adds one to the group's section.
    void setText(const QStringList& key, const QString& text);

    QByteArray bytes() const;

private:
    struct Line {
        enum Kind { Blank, Section, BrokenSection, Value, Malformed };
        QByteArray text;  // without its line end
        QByteArray end;   // "\n", "\r\n", or empty for a last line without one
        Kind kind = Blank;
        QStringList key;        // a section's groups, or a value's groups and name
        qsizetype equals = -1;  // a value line: where its '=' stands
        QString value;          // a value line: the text after unescaping
    };

    static Line parse(QByteArray text, QByteArray end, const QStringList& section);
    qsizetype find(const QStringList& key) const;
    QStringList spelledAsStored(const QStringList& key) const;
    QByteArray lineEnd() const;
    void insert(qsizetype at, Line line);

    QByteArray bom_;
    QList<Line> lines_;
};

}  // namespace bpd::platform

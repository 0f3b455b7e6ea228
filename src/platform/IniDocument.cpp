#include "IniDocument.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <optional>
#include <utility>

namespace bpd::platform {

namespace {

const QByteArray kByteOrderMark("\xef\xbb\xbf");

bool isHexDigit(uint ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

int hexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

int octalValue(char ch) {
    return (ch >= '0' && ch <= '7') ? ch - '0' : -1;
}

char upperHex(uint digit) {
    return "0123456789ABCDEF"[digit & 0xF];
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

// Text that QSettings could have written: UTF-8 with no control bytes but tabs.
bool isText(QByteArrayView text) {
    for (const char ch : text)
        if (static_cast<uchar>(ch) < 0x20 && ch != '\t') return false;
    return text.isValidUtf8();
}

// A name as it stands in the file: '/' becomes '\', anything but letters, digits and "_-."
// becomes %XX (up to U+00FF) or %UXXXX.
QByteArray escapedKey(const QString& key) {
    QByteArray out;
    for (const QChar qch : key) {
        const uint ch = qch.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += upperHex(ch >> 4);
            out += upperHex(ch);
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) out += upperHex(ch >> shift);
        }
    }
    return out;
}

QString unescapedKey(const QString& key) {
    QString out;
    const qsizetype size = key.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar ch = key.at(i);
        if (ch == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (ch != u'%' || i == size - 1) {
            out += ch;
            ++i;
            continue;
        }
        const bool wide = key.at(i + 1) == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code =
            first + digits <= size ? QStringView(key).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            out += u'%';
            ++i;
            continue;
        }
        out += QChar(code);
        i = first + digits;
    }
    return out;
}

// The escapes QSettings writes for characters of their own.
const char* namedEscape(uint ch) {
    static constexpr std::pair<char, const char*> kNamed[] = {
        {'\0', "\\0"}, {'\a', "\\a"}, {'\b', "\\b"}, {'\f', "\\f"}, {'\n', "\\n"},
        {'\r', "\\r"}, {'\t', "\\t"}, {'\v', "\\v"}, {'"', "\\\""}, {'\\', "\\\\"}};
    for (const auto& [character, escape] : kNamed)
        if (ch == uchar(character)) return escape;
    return nullptr;
}

// A value as it stands in the file, quoted where QSettings quotes it.
QByteArray escapedValue(const QString& text) {
    QByteArray out;
    QString plain;  // a run of characters written as UTF-8
    auto flushPlain = [&] {
        out += plain.toUtf8();
        plain.clear();
    };
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;  // after "\0" or "\xN" a hex digit must not run on
    for (const QChar qch : text) {
        const uint ch = qch.unicode();
        if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(ch)) {
            flushPlain();
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        if (const char* escape = namedEscape(ch)) {
            flushPlain();
            out += escape;
            escapeNextIfDigit = ch == 0;
        } else if (ch <= 0x1F) {
            flushPlain();
            out += "\\x" + QByteArray::number(ch, 16);
            escapeNextIfDigit = true;
        } else {
            plain += qch;
        }
    }
    flushPlain();
    if (needsQuotes || (!out.isEmpty() && (out.front() == ' ' || out.back() == ' ')))
        out = '"' + out + '"';
    return out;
}

// The character that a backslash escape in a value stands for, read from just after the
// backslash; none for an unknown escape, which QSettings drops.
std::optional<QChar> readEscape(QByteArrayView raw, qsizetype& i) {
    static constexpr char kSimple[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                          {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                          {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    const char code = raw.at(i++);
    for (const auto& [letter, character] : kSimple)
        if (code == letter) return QLatin1Char(character);
    const bool hex = code == 'x' && i < raw.size() && hexValue(raw.at(i)) >= 0;
    if (!hex && octalValue(code) < 0) return std::nullopt;
    const auto digitAt = [&](qsizetype at) {
        return hex ? hexValue(raw.at(at)) : octalValue(raw.at(at));
    };
    char16_t number = hex ? 0 : char16_t(octalValue(code));
    for (; i < raw.size() && digitAt(i) >= 0; ++i)
        number = char16_t(number * (hex ? 16 : 8) + digitAt(i));
    return QChar(number);
}

// The value's text as QSettings reads it, except that a comma outside quotes is part of the
// text (QSettings would make a list of it).
QString unescapedValue(QByteArrayView raw) {
    QString out;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const qsizetype n = raw.size();
    qsizetype i = 0;
    bool inQuotes = false;
    bool quoted = false;
    auto skipBlanks = [&] {
        while (i < n && isBlank(raw.at(i))) ++i;
    };
    skipBlanks();
    qsizetype chopLimit = 0;  // trailing blanks after this point were not quoted
    while (i < n) {
        const char ch = raw.at(i);
        if (ch == '\\') {
            if (++i >= n) break;
            if (const std::optional<QChar> escaped = readEscape(raw, i)) out += *escaped;
            chopLimit = out.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = out.size();
            }
        } else {
            qsizetype j = i + 1;
            while (j < n && raw.at(j) != '\\' && raw.at(j) != '"') ++j;
            out += fromUtf8(raw.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted) {
        while (out.size() > chopLimit && isBlank(out.back().toLatin1())) out.chop(1);
    }
    return out;
}

// The groups a section header names.
QStringList sectionGroups(const QByteArray& name) {
    if (name.compare("general", Qt::CaseInsensitive) == 0) return {};
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return {QString::fromLatin1(name.mid(1))};
    return unescapedKey(QString::fromUtf8(name)).split(u'/', Qt::SkipEmptyParts);
}

bool samePath(const QStringList& a, const QStringList& b, qsizetype count) {
    if (a.size() < count || b.size() < count) return false;
    for (qsizetype i = 0; i < count; ++i)
        if (a.at(i).compare(b.at(i), Qt::CaseInsensitive) != 0) return false;
    return true;
}

}  // namespace

IniDocument::IniDocument(const QByteArray& bytes) {
    QByteArrayView data(bytes);
    if (data.startsWith(kByteOrderMark)) {
        bom_ = kByteOrderMark;
        data = data.sliced(kByteOrderMark.size());
    }
    QStringList section;
    qsizetype pos = 0;
    while (pos < data.size()) {
        const qsizetype newline = data.indexOf('\n', pos);
        const qsizetype stop = newline < 0 ? data.size() : newline;
        QByteArray text = data.sliced(pos, stop - pos).toByteArray();
        QByteArray end = newline < 0 ? QByteArray() : QByteArray("\n");
        if (text.endsWith('\r')) {
            text.chop(1);
            end.prepend('\r');
        }
        Line line = parse(std::move(text), std::move(end), section);
        // Like QSettings, a header without its ']' still opens its section.
        if (line.kind == Line::Section || line.kind == Line::BrokenSection) section = line.key;
        lines_.append(std::move(line));
        pos = stop + 1;
    }
}

IniDocument::Line IniDocument::parse(QByteArray text, QByteArray end, const QStringList& section) {
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const QByteArray& t = line.text;
    if (!isText(t)) {
        line.kind = Line::Malformed;
        return line;
    }
    qsizetype start = 0;
    while (start < t.size() && isBlank(t.at(start))) ++start;
    if (start == t.size() || t.at(start) == ';') return line;  // blank or a comment

    bool inQuotes = false;
    qsizetype equals = -1;
    qsizetype stop = t.size();  // a ';' outside quotes starts a comment
    for (qsizetype i = start; i < t.size(); ++i) {
        const char ch = t.at(i);
        if (ch == '\\') {
            if (i + 1 == t.size()) inQuotes = true;  // a continued line: not ours to read
            ++i;
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == '=' && !inQuotes && equals < 0) {
            equals = i;
        } else if (ch == ';' && !inQuotes) {
            stop = i;
            break;
        }
    }
    if (inQuotes) {
        line.kind = Line::Malformed;
        return line;
    }
    const QByteArray content = t.mid(start, stop - start);
    if (content.startsWith('[')) {
        const qsizetype close = content.indexOf(']');
        line.kind = close < 0 ? Line::BrokenSection : Line::Section;
        line.key = sectionGroups(content.mid(1, close < 0 ? -1 : close - 1).trimmed());
        return line;
    }
    const QStringList names =
        equals < 0 ? QStringList()
                   : unescapedKey(QString::fromUtf8(t.mid(start, equals - start).trimmed()))
                         .split(u'/', Qt::SkipEmptyParts);
    if (names.isEmpty()) {
        line.kind = Line::Malformed;
        return line;
    }
    line.kind = Line::Value;
    line.key = section + names;
    line.equals = equals;
    line.value = unescapedValue(QByteArrayView(t).sliced(equals + 1, stop - equals - 1));
    return line;
}

bool IniDocument::unreadable() const {
    bool damaged = false;
    for (const Line& line : lines_) {
        if (line.kind == Line::Section || line.kind == Line::Value) return false;
        damaged = damaged || line.kind != Line::Blank;
    }
    return damaged;
}

qsizetype IniDocument::find(const QStringList& key) const {
    for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
        const Line& line = lines_.at(i);
        if (line.kind == Line::Value && line.key.size() == key.size() &&
            samePath(line.key, key, key.size()))
            return i;
    }
    return -1;
}

IniDocument::Entry IniDocument::value(const QStringList& key) const {
    const qsizetype at = find(key);
    if (at < 0) return {};
    // QSettings' own marks: "@String(...)" for a text holding NULs, "@@" for a leading '@',
    // "@Variant(...)" and the like for values that are not texts.
    const QString& stored = lines_.at(at).value;
    if (stored.startsWith(u'@')) {
        if (stored.endsWith(u')')) {
            if (stored.startsWith(u"@String("_qs)) return {true, true, stored.sliced(8).chopped(1)};
            for (const char16_t* mark : {u"@ByteArray(", u"@Variant(", u"@DateTime(", u"@Rect(",
                                         u"@Size(", u"@Point(", u"@Invalid("})
                if (stored.startsWith(QStringView(mark))) return {true, false, {}};
        }
        if (stored.startsWith(u"@@"_qs)) return {true, true, stored.sliced(1)};
    }
    return {true, true, stored};
}

bool IniDocument::holdsKeysBelow(const QStringList& group) const {
    for (const Line& line : lines_)
        if (line.kind == Line::Value && line.key.size() > group.size() &&
            samePath(line.key, group, group.size()))
            return true;
    return false;
}

// The key with each group spelled as the file first spells it, so a new entry joins the
// groups that are there rather than starting a second spelling of them.
QStringList IniDocument::spelledAsStored(const QStringList& key) const {
    QStringList spelled = key;
    for (qsizetype depth = 0; depth + 1 < key.size(); ++depth) {
        for (const Line& line : lines_) {
            const qsizetype groups =
                line.kind == Line::Value ? line.key.size() - 1 : line.key.size();
            if ((line.kind == Line::Value || line.kind == Line::Section) && groups > depth &&
                samePath(line.key, spelled, depth + 1)) {
                spelled[depth] = line.key.at(depth);
                break;
            }
        }
    }
    return spelled;
}

QByteArray IniDocument::lineEnd() const {
    return lines_.isEmpty() || lines_.first().end.isEmpty() ? QByteArray("\n") : lines_.first().end;
}

void IniDocument::insert(qsizetype at, Line line) {
    if (at > 0 && lines_.at(at - 1).end.isEmpty()) lines_[at - 1].end = lineEnd();
    line.end = lineEnd();
    lines_.insert(at, std::move(line));
}

void IniDocument::setText(const QStringList& key, const QString& text) {
    // QSettings marks a text holding NULs, and one that starts with '@', the same way.
    const QString stored = text.contains(QChar::Null) ? u"@String("_qs + text + u')'
                           : text.startsWith(u'@')    ? u'@' + text
                                                      : text;
    const QByteArray escaped = escapedValue(stored);
    const qsizetype existing = find(key);
    if (existing >= 0) {
        Line& line = lines_[existing];
        line.text = line.text.left(line.equals + 1) + escaped;
    } else {
        const QStringList spelled = spelledAsStored(key);
        const qsizetype groups = key.size() - 1;
        // The section that holds most of the key's groups; values of the top level go under
        // "[General]". A header without its ']' is no place to add to.
        qsizetype header = -1;
        qsizetype depth = -1;
        for (qsizetype i = 0; i < lines_.size(); ++i) {
            const Line& line = lines_.at(i);
            if (line.kind != Line::Section || line.key.size() > groups ||
                (line.key.isEmpty() && groups > 0) || !samePath(spelled, line.key, line.key.size()))
                continue;
            if (line.key.size() >= depth) {
                header = i;
                depth = line.key.size();
            }
        }
        Line entry;
        if (header >= 0) {
            qsizetype after = header;
            for (qsizetype i = header + 1; i < lines_.size(); ++i) {
                if (lines_.at(i).kind == Line::Section || lines_.at(i).kind == Line::BrokenSection)
                    break;
                if (lines_.at(i).kind == Line::Value) after = i;
            }
            entry.text = escapedKey(spelled.mid(depth).join(u'/')) + '=' + escaped;
            insert(after + 1, std::move(entry));
        } else {
            if (!lines_.isEmpty()) insert(lines_.size(), Line());  // a blank line between sections
            Line title;
            if (groups == 0) {
                title.text = "[General]";
            } else {
                const QByteArray name = escapedKey(spelled.first());
                title.text =
                    (name.compare("general", Qt::CaseInsensitive) == 0 ? "[%" : "[") + name + ']';
            }
            insert(lines_.size(), std::move(title));
            entry.text = escapedKey(spelled.mid(groups == 0 ? 0 : 1).join(u'/')) + '=' + escaped;
            insert(lines_.size(), std::move(entry));
        }
    }
    *this = IniDocument(bytes());  // every line parsed again, the new one included
}

QByteArray IniDocument::bytes() const {
    QByteArray out = bom_;
    for (const Line& line : lines_) out += line.text + line.end;
    return out;
}

}  // namespace bpd::platform

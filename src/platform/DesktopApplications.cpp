#include "DesktopApplications.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace bpd::platform {

namespace {

QStringList splitEnvList(const QByteArray& value, const QStringList& fallback) {
    QStringList result;
    for (const QString& part : QString::fromLocal8Bit(value).split(u':', Qt::SkipEmptyParts))
        result << QDir::cleanPath(part);
    return result.isEmpty() ? fallback : result;
}

// The string escapes of desktop entry values: \s \n \t \r \\.
QString unescapeValue(const QString& raw) {
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != u'\\' || i + 1 >= raw.size()) {
            out += c;
            continue;
        }
        const QChar n = raw.at(++i);
        switch (n.unicode()) {
            case 's':
                out += u' ';
                break;
            case 'n':
                out += u'\n';
                break;
            case 't':
                out += u'\t';
                break;
            case 'r':
                out += u'\r';
                break;
            case '\\':
                out += u'\\';
                break;
            default:
                out += u'\\';
                out += n;
                break;
        }
    }
    return out;
}

QStringList splitList(const QString& value) {
    QStringList items;
    for (const QString& item : value.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty()) items << trimmed;
    }
    return items;
}

// The [group] of an ini-like file (desktop entries, mimeapps.list) as key -> raw value.
QHash<QString, QString> readGroup(const QString& filePath, const QString& group) {
    QHash<QString, QString> values;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return values;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        if (line.startsWith(u'[')) {
            inGroup = (line == u'[' + group + u']');
            continue;
        }
        if (!inGroup) continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        if (!values.contains(key)) values.insert(key, line.mid(eq + 1).trimmed());
    }
    return values;
}

// One word of an Exec value, with a mark for each character that stood inside double quotes.
struct ExecWord {
    QString text;
    QList<bool> quoted;
    void add(QChar c, bool inQuotes) {
        text += c;
        quoted << inQuotes;
    }
};

// Splits an Exec value into words: blanks separate, double quotes group, and inside quotes a
// backslash takes the next character literally.
QList<ExecWord> splitExec(const QString& exec) {
    QList<ExecWord> words;
    ExecWord current;
    bool inQuotes = false;
    bool haveWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == u'\\' && i + 1 < exec.size()) {
                current.add(exec.at(++i), true);
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                current.add(c, true);
            }
        } else if (c == u'"') {
            inQuotes = true;
            haveWord = true;
        } else if (c.isSpace()) {
            if (haveWord || !current.text.isEmpty()) words << current;
            current = {};
            haveWord = false;
        } else {
            current.add(c, false);
        }
    }
    if (haveWord || !current.text.isEmpty()) words << current;
    return words;
}

// A text as one word of a POSIX shell command line, as GLib's g_shell_quote writes it.
QString shellQuoted(QString text) {
    return u'\'' + text.replace(u'\'', u"'\\''"_qs) + u'\'';
}

bool programAvailable(const QString& program) {
    if (program.isEmpty()) return false;
    if (program.contains(u'/')) return QFileInfo(program).isExecutable();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

// The canonical name of a type and its aliases (entries may name "application/x-chm" for the
// canonical "application/vnd.ms-htmlhelp").
QStringList namesOf(const QString& mimeType) {
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForName(mimeType);
    if (!type.isValid()) return {mimeType};
    QStringList names{type.name()};
    names << type.aliases();
    if (!names.contains(mimeType, Qt::CaseInsensitive)) names << mimeType;
    return names;
}

bool isUrl(const QString& target) {
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1 && !QFileInfo(target).isAbsolute();
}

}  // namespace

QStringList DesktopApplications::dataDirectories() {
    QStringList dirs;
    dirs << splitEnvList(qgetenv("XDG_DATA_HOME"), {QDir::homePath() + u"/.local/share"_qs});
    dirs << splitEnvList(qgetenv("XDG_DATA_DIRS"), {u"/usr/local/share"_qs, u"/usr/share"_qs});
    dirs.removeDuplicates();
    return dirs;
}

QStringList DesktopApplications::configDirectories() {
    QStringList dirs;
    dirs << splitEnvList(qgetenv("XDG_CONFIG_HOME"), {QDir::homePath() + u"/.config"_qs});
    dirs << splitEnvList(qgetenv("XDG_CONFIG_DIRS"), {u"/etc/xdg"_qs});
    dirs.removeDuplicates();
    return dirs;
}

DesktopApplications::DesktopApplications(const QStringList& dataDirectories) {
    QSet<QString> seen;
    for (const QString& dataDir : dataDirectories) {
        const QString appsDir = dataDir + u"/applications"_qs;
        QDirIterator it(appsDir, {u"*.desktop"_qs}, QDir::Files, QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext()) files << it.next();
        files.sort();
        for (const QString& path : files) {
            // The id is the path below applications/ with '/' turned into '-'.
            QString id = QDir(appsDir).relativeFilePath(path);
            id.replace(u'/', u'-');
            if (seen.contains(id)) continue;  // an earlier folder's entry of that id wins
            seen.insert(id);
            if (auto app = parseEntry(path, id)) applications_ << *app;
        }
    }
}

std::optional<DesktopApplication> DesktopApplications::parseEntry(const QString& filePath,
                                                                  const QString& id) {
    const auto values = readGroup(filePath, u"Desktop Entry"_qs);
    if (values.value(u"Type"_qs) != u"Application") return std::nullopt;
    if (values.value(u"Hidden"_qs) == u"true") return std::nullopt;
    const QString tryExec = unescapeValue(values.value(u"TryExec"_qs));
    if (!tryExec.isEmpty()) {
        const bool found = QFileInfo(tryExec).isAbsolute()
                               ? QFileInfo(tryExec).isExecutable()
                               : !QStandardPaths::findExecutable(tryExec).isEmpty();
        if (!found) return std::nullopt;
    }
    DesktopApplication app;
    app.id = id;
    app.filePath = filePath;
    app.name = unescapeValue(values.value(u"Name"_qs));
    if (app.name.isEmpty()) app.name = QFileInfo(filePath).completeBaseName();
    app.exec = unescapeValue(values.value(u"Exec"_qs));
    app.icon = unescapeValue(values.value(u"Icon"_qs));
    app.mimeTypes = splitList(unescapeValue(values.value(u"MimeType"_qs)));
    app.noDisplay = values.value(u"NoDisplay"_qs) == u"true";
    app.terminal = values.value(u"Terminal"_qs) == u"true";
    return app;
}

std::optional<DesktopApplication> DesktopApplications::find(const QString& id) const {
    for (const auto& app : applications_)
        if (app.id == id) return app;
    return std::nullopt;
}

QList<DesktopApplication> DesktopApplications::forMimeType(const QString& mimeType,
                                                           bool includeHidden) const {
    // An entry that declares the type itself comes before one that declares only an alias
    // (ImageMagick's viewer declares "image/pdf", an alias of application/pdf, and is no
    // document reader); within each, data folder order.
    const QStringList names = namesOf(mimeType);
    const QString canonical = names.constFirst();
    QList<DesktopApplication> exact;
    QList<DesktopApplication> byAlias;
    for (const auto& app : applications_) {
        if (app.noDisplay && !includeHidden) continue;
        if (app.mimeTypes.contains(canonical, Qt::CaseInsensitive) ||
            app.mimeTypes.contains(mimeType, Qt::CaseInsensitive)) {
            exact << app;
            continue;
        }
        for (const QString& name : names) {
            if (app.mimeTypes.contains(name, Qt::CaseInsensitive)) {
                byAlias << app;
                break;
            }
        }
    }
    return exact + byAlias;
}

QStringList DesktopApplications::defaultIds(const QString& mimeType,
                                            const QStringList& configDirectories,
                                            const QStringList& dataDirectories) {
    QStringList files;
    for (const QString& dir : configDirectories) files << dir + u"/mimeapps.list"_qs;
    for (const QString& dir : dataDirectories) {
        files << dir + u"/applications/mimeapps.list"_qs;
        files << dir + u"/applications/defaults.list"_qs;
    }
    QStringList ids;
    for (const QString& file : files) {
        const auto defaults = readGroup(file, u"Default Applications"_qs);
        for (const QString& name : namesOf(mimeType))
            for (const QString& id : splitList(defaults.value(name)))
                if (!ids.contains(id)) ids << id;
    }
    return ids;
}

namespace {

// The entry's own program and arguments for the target, before any terminal.
std::optional<CommandLine> ownCommandFor(const DesktopApplication& application,
                                         const QString& fileOrUrl) {
    const QList<ExecWord> words = splitExec(application.exec);
    if (words.isEmpty()) return std::nullopt;
    const bool url = isUrl(fileOrUrl);
    const QString asUrl = url ? fileOrUrl : QUrl::fromLocalFile(fileOrUrl).toString();
    const QString asFile = url ? QUrl(fileOrUrl).toLocalFile() : fileOrUrl;
    const QString fileValue = asFile.isEmpty() ? asUrl : asFile;
    const QString urlValue = url ? fileOrUrl : asFile;
    QStringList expanded;
    bool placed = false;
    for (const ExecWord& word : words) {
        const bool plain = !word.quoted.value(0);
        if (plain && (word.text == u"%f" || word.text == u"%F")) {
            expanded << fileValue;
            placed = true;
        } else if (plain && (word.text == u"%u" || word.text == u"%U")) {
            expanded << urlValue;
            placed = true;
        } else if (plain && word.text == u"%i") {
            if (!application.icon.isEmpty()) expanded << u"--icon"_qs << application.icon;
        } else {
            QString out;
            for (qsizetype i = 0; i < word.text.size(); ++i) {
                if (word.text.at(i) != u'%' || i + 1 >= word.text.size()) {
                    out += word.text.at(i);
                    continue;
                }
                const bool quoted = word.quoted.at(i);
                const QChar code = word.text.at(++i);
                QString value;
                if (code == u'%') {
                    out += u'%';
                    continue;
                } else if (code == u'c') {
                    value = application.name;
                } else if (code == u'k') {
                    value = application.filePath;
                } else if (code == u'f' || code == u'F') {
                    value = fileValue;
                    placed = true;
                } else if (code == u'u' || code == u'U') {
                    value = urlValue;
                    placed = true;
                } else {
                    continue;  // other and deprecated field codes are dropped
                }
                out += quoted ? shellQuoted(value) : value;
            }
            if (!out.isEmpty()) expanded << out;
        }
    }
    if (!placed) expanded << urlValue;
    CommandLine command;
    command.program = expanded.takeFirst();
    command.arguments = expanded;
    return command;
}

}  // namespace

std::optional<CommandLine> DesktopApplications::commandFor(const DesktopApplication& application,
                                                           const QString& fileOrUrl,
                                                           const QString& terminal) {
    auto command = ownCommandFor(application, fileOrUrl);
    if (!command || !application.terminal) return command;
    if (terminal.isEmpty()) return std::nullopt;
    // Debian's terminal interface: -e takes the program and its arguments as they are.
    command->arguments.prepend(command->program);
    command->arguments.prepend(u"-e"_qs);
    command->program = terminal;
    return command;
}

bool DesktopApplications::isRunnable(const DesktopApplication& application,
                                     const QString& terminal) {
    const auto command = ownCommandFor(application, u"/dev/null"_qs);
    return command && programAvailable(command->program) &&
           (!application.terminal || programAvailable(terminal));
}

QString DesktopApplications::terminalEmulator() {
    return QStandardPaths::findExecutable(u"x-terminal-emulator"_qs);
}

bool DesktopApplications::isAddress(const QString& target) {
    if (QFileInfo(target).isAbsolute()) return false;
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1 && url.scheme() != u"file";
}

QString DesktopApplications::localPath(const QString& target) {
    const QUrl url(target);
    if (url.isValid() && url.scheme() == u"file") return url.toLocalFile();
    return target;
}

QString DesktopApplications::mimeTypeOf(const QString& target) {
    if (isAddress(target)) return u"x-scheme-handler/"_qs + QUrl(target).scheme();
    static const QMimeDatabase database;
    return database.mimeTypeForFile(localPath(target)).name();
}

}  // namespace bpd::platform

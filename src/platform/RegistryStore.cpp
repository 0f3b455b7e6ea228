#include "RegistryStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QtEndian>

#include <cstring>

namespace bpd::platform {

namespace {

constexpr quint32 kTypeSz = 1;
constexpr quint32 kTypeDword = 4;

// Value names may hold characters that QSettings takes as group separators.
QString encodeName(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("@");  // the key's default value, as registry exports write it
    QString out = name;
    out.replace(QLatin1Char('%'), QLatin1String("%25"));
    out.replace(QLatin1Char('/'), QLatin1String("%2F"));
    out.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    if (out == QLatin1String("@"))
        out = QStringLiteral("%40");
    return out;
}

// Stored form of one value: "sz:<text>", "dword:<number>" or "hex(<type>):<bytes>".
QString encodeValue(quint32 type, const QByteArray& data) {
    if (type == kTypeSz) {
        const QString text = QString::fromUtf8(data);
        if (text.toUtf8() == data)
            return QStringLiteral("sz:") + text;
    }
    if (type == kTypeDword && data.size() == 4) {
        quint32 number = 0;
        std::memcpy(&number, data.constData(), 4);
        return QStringLiteral("dword:") + QString::number(qFromLittleEndian(number));
    }
    return QStringLiteral("hex(%1):").arg(type) + QString::fromLatin1(data.toHex());
}

bool decodeValue(const QString& stored, quint32& type, QByteArray& data) {
    if (stored.startsWith(QLatin1String("sz:"))) {
        type = kTypeSz;
        data = stored.mid(3).toUtf8();
        return true;
    }
    if (stored.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const quint32 number = stored.mid(6).toUInt(&ok);
        if (!ok)
            return false;
        const quint32 le = qToLittleEndian(number);
        type = kTypeDword;
        data = QByteArray(reinterpret_cast<const char*>(&le), 4);
        return true;
    }
    if (stored.startsWith(QLatin1String("hex("))) {
        const qsizetype close = stored.indexOf(QLatin1String("):"));
        if (close < 0)
            return false;
        bool ok = false;
        type = stored.mid(4, close - 4).toUInt(&ok);
        data = QByteArray::fromHex(stored.mid(close + 2).toLatin1());
        return ok;
    }
    return false;
}

QStringList keyParts(const QString& subKey) {
    return subKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

long statusCode(const QSettings& settings) {
    switch (settings.status()) {
    case QSettings::NoError: return RegistryStore::kSuccess;
    case QSettings::AccessError: return RegistryStore::kAccessDenied;
    case QSettings::FormatError: return RegistryStore::kInvalidData;
    }
    return RegistryStore::kInvalidData;
}

}  // namespace

IniRegistryStore::IniRegistryStore(QString folder)
    : folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)) {}

QString IniRegistryStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Pelgro");
}

QString IniRegistryStore::fileFor(quint32 root) const {
    if (root == kCurrentUser)
        return folder_ + QStringLiteral("/current-user.ini");
    if (root == kLocalMachine)
        return folder_ + QStringLiteral("/local-machine.ini");
    return {};
}

// Walks the key path group by group, matching each name without regard to case; parts that
// do not exist yet keep the case they were asked for.
QString IniRegistryStore::findGroup(quint32 root, const QString& subKey, bool* exists) const {
    QSettings settings(fileFor(root), QSettings::IniFormat);
    const bool readable = settings.status() == QSettings::NoError;
    QStringList path;
    bool found = readable;
    for (const QString& part : keyParts(subKey)) {
        QString name = part;
        if (found) {
            found = false;
            const QStringList children = settings.childGroups();
            for (const QString& child : children) {
                if (child.compare(part, Qt::CaseInsensitive) == 0) {
                    name = child;
                    found = true;
                    break;
                }
            }
            if (found)
                settings.beginGroup(name);
        }
        path << name;
    }
    const QString group = path.join(QLatin1Char('/'));
    if (exists) {
        *exists = (found && (path.isEmpty() || !settings.childKeys().isEmpty() ||
                             !settings.childGroups().isEmpty())) ||
                  createdKeys_.contains(QString::number(root) + QLatin1Char(':') + group.toLower());
    }
    return group;
}

RegistryStore::Handle IniRegistryStore::addHandle(quint32 root, const QString& group) {
    const Handle handle = nextHandle_++;
    if (nextHandle_ == 0)
        nextHandle_ = 1;
    open_.insert(handle, OpenKey{root, group});
    return handle;
}

long IniRegistryStore::openKey(quint32 root, const QString& subKey, quint32 /*accessMask*/,
                               Handle& handle) {
    handle = 0;
    if (fileFor(root).isEmpty())
        return kInvalidHandle;
    bool exists = false;
    const QString group = findGroup(root, subKey, &exists);
    if (!exists)
        return kFileNotFound;
    handle = addHandle(root, group);
    return kSuccess;
}

long IniRegistryStore::queryValue(Handle handle, const QString& valueName, quint32& type,
                                  QByteArray& data) {
    const auto it = open_.constFind(handle);
    if (it == open_.constEnd())
        return kInvalidHandle;
    QSettings settings(fileFor(it->root), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return statusCode(settings);
    settings.beginGroup(it->group);
    const QString wanted = encodeName(valueName);
    const QStringList names = settings.childKeys();
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        const QVariant stored = settings.value(name);
        if (stored.typeId() != QMetaType::QString || !decodeValue(stored.toString(), type, data))
            return kInvalidData;
        return kSuccess;
    }
    return kFileNotFound;
}

long IniRegistryStore::createKey(quint32 root, const QString& subKey, Handle& handle) {
    handle = 0;
    if (fileFor(root).isEmpty())
        return kInvalidHandle;
    if (!QDir().mkpath(folder_))
        return kAccessDenied;
    bool exists = false;
    const QString group = findGroup(root, subKey, &exists);
    if (!exists)
        createdKeys_.insert(QString::number(root) + QLatin1Char(':') + group.toLower());
    handle = addHandle(root, group);
    return kSuccess;
}

long IniRegistryStore::setValue(Handle handle, const QString& valueName, quint32 type,
                                const QByteArray& data) {
    const auto it = open_.constFind(handle);
    if (it == open_.constEnd())
        return kInvalidHandle;
    if (!QDir().mkpath(folder_))
        return kAccessDenied;
    const QString file = fileFor(it->root);
    {
        QSettings probe(file, QSettings::IniFormat);
        // A corrupt or unreadable store would be saved back as garbage or not at all: put it
        // aside and start a sound file, so the user's next save always lands.
        if (probe.status() == QSettings::FormatError) {
            QFile::remove(file + QStringLiteral(".corrupt"));
            QFile::rename(file, file + QStringLiteral(".corrupt"));
        }
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(it->group);
    const QString wanted = encodeName(valueName);
    QString name = wanted;
    const QStringList names = settings.childKeys();
    for (const QString& existing : names) {
        if (existing.compare(wanted, Qt::CaseInsensitive) == 0) {
            name = existing;
            break;
        }
    }
    const QString encoded = encodeValue(type, data);
    // Setting the value it already has changes nothing: no save, no disk flush.
    if (settings.status() == QSettings::NoError && settings.contains(name) &&
        settings.value(name).toString() == encoded)
        return kSuccess;
    settings.setValue(name, encoded);
    settings.endGroup();
    settings.sync();
    return statusCode(settings);
}

long IniRegistryStore::flushKey(Handle handle) {
    const auto it = open_.constFind(handle);
    if (it == open_.constEnd())
        return kInvalidHandle;
    QSettings settings(fileFor(it->root), QSettings::IniFormat);
    settings.sync();
    return statusCode(settings);
}

long IniRegistryStore::closeKey(Handle handle) {
    if (handle == 0)
        return kInvalidHandle;
    return open_.remove(handle) ? kSuccess : kInvalidHandle;
}

}  // namespace bpd::platform

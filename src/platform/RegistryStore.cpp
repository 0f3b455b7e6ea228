#include "RegistryStore.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "AtomicFile.h"
#include "IniDocument.h"
#include "MessageService.h"
#include "UserFolders.h"

namespace bpd::platform {

namespace {

// Value names may hold characters that QSettings takes as group separators.
QString encodeName(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("@");  // the key's default value, as registry exports write it
    QString out = name;
    out.replace(QLatin1Char('%'), QLatin1String("%25"));
    out.replace(QLatin1Char('/'), QLatin1String("%2F"));
    out.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    if (out == QLatin1String("@")) out = QStringLiteral("%40");
    return out;
}

// Stored form of one value: "sz:<text>", "dword:<number>" or "hex(<type>):<bytes>".
QString encodeValue(quint32 type, const QByteArray& data) {
    if (type == REG_SZ) {
        const QString text = QString::fromUtf8(data);
        if (text.toUtf8() == data) return QStringLiteral("sz:") + text;
    }
    if (type == REG_DWORD && data.size() == 4) {
        quint32 number = 0;
        std::memcpy(&number, data.constData(), 4);
        return QStringLiteral("dword:") + QString::number(qFromLittleEndian(number));
    }
    return QStringLiteral("hex(%1):").arg(type) + QString::fromLatin1(data.toHex());
}

// A text without one of the three prefixes was typed by hand: it is a REG_SZ text.
bool decodeValue(const QString& stored, quint32& type, QByteArray& data) {
    if (stored.startsWith(QLatin1String("sz:"))) {
        type = REG_SZ;
        data = stored.mid(3).toUtf8();
        return true;
    }
    if (stored.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const quint32 number = stored.mid(6).toUInt(&ok);
        if (!ok) return false;
        const quint32 le = qToLittleEndian(number);
        type = REG_DWORD;
        data = QByteArray(reinterpret_cast<const char*>(&le), 4);
        return true;
    }
    if (stored.startsWith(QLatin1String("hex("))) {
        const qsizetype close = stored.indexOf(QLatin1String("):"));
        if (close < 0) return false;
        bool ok = false;
        type = stored.mid(4, close - 4).toUInt(&ok);
        data = QByteArray::fromHex(stored.mid(close + 2).toLatin1());
        return ok;
    }
    type = REG_SZ;
    data = stored.toUtf8();
    return true;
}

// A key path's groups: "SOFTWARE\Pelgro\Bearing Pad Design", or with '/' as the
// QSettings-based versions took it too.
QStringList keyParts(const QString& subKey) {
    return QString(subKey).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
}

QString createdKeyName(quint32 root, const QStringList& groups) {
    return QString::number(root) + u':' + groups.join(u'/').toLower();
}

QString systemReason(int savedErrno) {
    return QString::fromLocal8Bit(std::strerror(savedErrno));
}

// "<file>.corrupt", or with a number when earlier ones are still there.
QString freeSetAsideName(const QString& file) {
    for (int n = 1;; ++n) {
        const QString name =
            file + u".corrupt"_qs + (n == 1 ? QString() : u'.' + QString::number(n));
        struct stat st {};
        if (::lstat(QFile::encodeName(name).constData(), &st) != 0 && errno == ENOENT) return name;
    }
}

// Moves without ever replacing what is at the new name.
bool moveWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL) return false;
    // A filesystem without that rename (NFS): a second name, then the first one goes.
    return ::link(source.constData(), target.constData()) == 0 && ::unlink(source.constData()) == 0;
}

}  // namespace

IniRegistryStore::IniRegistryStore(QString folder, MessageService* notices)
    : folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)), notices_(notices) {}

QString IniRegistryStore::defaultFolder() {
    return UserFolders::settings();
}

QString IniRegistryStore::fileFor(quint32 root) const {
    if (root == HKEY_CURRENT_USER) return folder_ + QStringLiteral("/current-user.ini");
    if (root == HKEY_LOCAL_MACHINE) return folder_ + QStringLiteral("/local-machine.ini");
    return {};
}

long IniRegistryStore::fail(long code, const QString& file, const QString& reason) {
    failure_ = {QDir::toNativeSeparators(file), reason};
    return code;
}

long IniRegistryStore::load(quint32 root, IniDocument& document) {
    const QString path = fileFor(root);
    QFile file(path);
    if (!file.exists()) {
        document = IniDocument();
        return kSuccess;
    }
    if (!file.open(QIODevice::ReadOnly)) return fail(kAccessDenied, path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return fail(kAccessDenied, path, file.errorString());
    document = IniDocument(bytes);
    return kSuccess;
}

long IniRegistryStore::setAside(const QString& file) {
    if (!notices_)
        return fail(kInvalidData, file,
                    QStringLiteral("The file cannot be read, so it was left as it is."));
    const QString aside = freeSetAsideName(file);
    notices_->warning(nullptr, kMessageTitle,
                      QStringLiteral("The settings file\n%1\ncannot be read. It is kept as\n%2\n"
                                     "and a new settings file is started.")
                          .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(aside)));
    if (!moveWithoutReplacing(file, aside)) return fail(kAccessDenied, file, systemReason(errno));
    return kSuccess;
}

RegistryStore::Handle IniRegistryStore::addHandle(quint32 root, const QStringList& groups) {
    const Handle handle = nextHandle_++;
    if (nextHandle_ == 0) nextHandle_ = 1;
    open_.insert(handle, OpenKey{root, groups});
    return handle;
}

long IniRegistryStore::openKey(quint32 root, const QString& subKey, quint32 /*accessMask*/,
                               Handle& handle) {
    handle = 0;
    if (fileFor(root).isEmpty()) return kInvalidHandle;
    IniDocument document;
    if (const long status = load(root, document); status != kSuccess) return status;
    const QStringList groups = keyParts(subKey);
    if (!groups.isEmpty() && !document.holdsKeysBelow(groups) &&
        !createdKeys_.contains(createdKeyName(root, groups)))
        return fail(kFileNotFound, fileFor(root), QStringLiteral("The key does not exist."));
    handle = addHandle(root, groups);
    return kSuccess;
}

long IniRegistryStore::queryValue(Handle handle, const QString& valueName, quint32& type,
                                  QByteArray& data) {
    const auto it = open_.constFind(handle);
    if (it == open_.constEnd()) return kInvalidHandle;
    IniDocument document;
    if (const long status = load(it->root, document); status != kSuccess) return status;
    const IniDocument::Entry entry =
        document.value(it->groups + QStringList{encodeName(valueName)});
    if (!entry.exists)
        return fail(kFileNotFound, fileFor(it->root), QStringLiteral("The value does not exist."));
    if (!entry.isText || !decodeValue(entry.text, type, data))
        return fail(kInvalidData, fileFor(it->root), QStringLiteral("The value is not readable."));
    return kSuccess;
}

long IniRegistryStore::createKey(quint32 root, const QString& subKey, Handle& handle) {
    handle = 0;
    if (fileFor(root).isEmpty()) return kInvalidHandle;
    if (!QDir().mkpath(folder_)) return fail(kAccessDenied, folder_, systemReason(errno));
    const QStringList groups = keyParts(subKey);
    createdKeys_.insert(createdKeyName(root, groups));
    handle = addHandle(root, groups);
    return kSuccess;
}

long IniRegistryStore::setValue(Handle handle, const QString& valueName, quint32 type,
                                const QByteArray& data) {
    const auto it = open_.constFind(handle);
    if (it == open_.constEnd()) return kInvalidHandle;
    const QString file = fileFor(it->root);
    if (!QDir().mkpath(folder_)) return fail(kAccessDenied, folder_, systemReason(errno));
    IniDocument document;
    if (const long status = load(it->root, document); status != kSuccess) return status;
    if (document.unreadable()) {
        if (const long status = setAside(file); status != kSuccess) return status;
        document = IniDocument();
    }
    const QStringList key = it->groups + QStringList{encodeName(valueName)};
    const QString encoded = encodeValue(type, data);
    const IniDocument::Entry stored = document.value(key);
    // Setting the value it already has changes nothing: no save, no disk flush.
    if (stored.isText && stored.text == encoded) return kSuccess;
    document.setText(key, encoded);
    // Read back what reached the disk before it replaces the store.
    const auto readsBack = [&key, &encoded](const QString& temporary) {
        QFile written(temporary);
        const bool ok = written.open(QIODevice::ReadOnly) &&
                        IniDocument(written.readAll()).value(key).text == encoded;
        return ok ? QString() : QStringLiteral("The saved value does not read back.");
    };
    QString error;
    if (!AtomicFile::writeFile(file, document.bytes(), &error, readsBack))
        return fail(kAccessDenied, file, error);
    return kSuccess;
}

// Every value is on the disk once setValue has returned.
long IniRegistryStore::flushKey(Handle handle) {
    return open_.contains(handle) ? kSuccess : kInvalidHandle;
}

long IniRegistryStore::closeKey(Handle handle) {
    if (handle == 0) return kInvalidHandle;
    return open_.remove(handle) ? kSuccess : kInvalidHandle;
}

}  // namespace bpd::platform

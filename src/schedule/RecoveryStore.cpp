#include "RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QUuid>

#include "AtomicFile.h"

namespace bpd::schedule {

namespace {

const QString kFormat = QStringLiteral("pelgro-bpd-recovery");
const QString kSuffix = QStringLiteral(".recovery");

std::optional<RecoveryStore::Copy> readCopy(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    if (object.value(QStringLiteral("format")).toString() != kFormat ||
        !object.value(QStringLiteral("design")).isString())
        return std::nullopt;
    return RecoveryStore::Copy{
        object.value(QStringLiteral("design")).toString().toUtf8(),
        object.value(QStringLiteral("path")).toString(),
        QByteArray::fromHex(object.value(QStringLiteral("diskDigest")).toString().toLatin1())};
}

}  // namespace

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

RecoveryStore::~RecoveryStore() = default;

std::unique_ptr<QLockFile> RecoveryStore::lockFor(const QString& copyPath) {
    auto lock = std::make_unique<QLockFile>(copyPath + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    return lock;
}

bool RecoveryStore::claimNewFile(QString* error) {
    // The copies hold the user's work: the folder is the user's alone.
    if (!QDir().mkpath(folder_)) {
        *error = QStringLiteral("the folder %1 cannot be made").arg(folder_);
        return false;
    }
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString path =
        QDir(folder_).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + kSuffix);
    std::unique_ptr<QLockFile> lock = lockFor(path);
    if (!lock->tryLock(0)) {
        *error = QStringLiteral("the folder %1 cannot be written").arg(folder_);
        return false;
    }
    file_ = path;
    lock_ = std::move(lock);
    return true;
}

bool RecoveryStore::write(const Copy& copy, QString* error) {
    const bool claimed = file_.isEmpty();
    if (claimed && !claimNewFile(error)) return false;
    const QJsonObject object{
        {QStringLiteral("format"), kFormat},
        {QStringLiteral("version"), 1},
        {QStringLiteral("path"), copy.path},
        {QStringLiteral("diskDigest"), QString::fromLatin1(copy.diskDigest.toHex())},
        {QStringLiteral("design"), QString::fromUtf8(copy.designText)}};
    if (platform::AtomicFile::writeFile(file_, QJsonDocument(object).toJson(), error)) return true;
    if (claimed) remove();  // no copy of ours, so no lock either
    return false;
}

void RecoveryStore::remove() {
    if (file_.isEmpty()) return;
    QFile::remove(file_);
    lock_.reset();  // unlocks: the lock file goes too
    file_.clear();
}

std::optional<RecoveryStore::Copy> RecoveryStore::adoptOrphan() {
    if (!file_.isEmpty()) return std::nullopt;
    const QFileInfoList copies = QDir(folder_).entryInfoList(
        {QLatin1Char('*') + kSuffix}, QDir::Files | QDir::Hidden, QDir::Time);  // newest first
    for (const QFileInfo& info : copies) {
        std::unique_ptr<QLockFile> lock = lockFor(info.filePath());
        if (!lock->tryLock(0)) continue;                    // its program still runs
        if (!QFileInfo::exists(info.filePath())) continue;  // removed meanwhile
        file_ = info.filePath();
        lock_ = std::move(lock);
        if (std::optional<Copy> copy = readCopy(file_)) return copy;
        remove();
    }
    return std::nullopt;
}

}  // namespace bpd::schedule

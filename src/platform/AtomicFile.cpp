#include "AtomicFile.h"

#include <QFile>

namespace bpd::platform {

namespace {

std::string encoded(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString text(const std::string& systemText) {
    return QString::fromLocal8Bit(systemText.data(), static_cast<qsizetype>(systemText.size()));
}

}  // namespace

AtomicFile::AtomicFile(QString targetPath)
    : target_(std::move(targetPath)), core_(encoded(target_)) {}

AtomicFile::~AtomicFile() = default;

bool AtomicFile::open() {
    return core_.open();
}

bool AtomicFile::openForLibrary() {
    return core_.openForLibrary();
}

bool AtomicFile::write(QByteArrayView bytes) {
    return core_.write(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
}

bool AtomicFile::commit(const Check& check) {
    if (!check) return core_.commit();
    return core_.commit([&check](const std::string& temporaryPath) {
        return check(QFile::decodeName(QByteArray::fromStdString(temporaryPath))).toStdString();
    });
}

void AtomicFile::discard() {
    core_.discard();
}

QString AtomicFile::temporaryPath() const {
    return QFile::decodeName(QByteArray::fromStdString(core_.temporaryPath()));
}

QString AtomicFile::errorString() const {
    return text(core_.errorString());
}

bool AtomicFile::writeFile(const QString& targetPath, QByteArrayView bytes, QString* error,
                           const Check& check) {
    AtomicFile file(targetPath);
    const bool ok = file.open() && file.write(bytes) && file.commit(check);
    if (!ok && error) *error = file.errorString();
    return ok;
}

}  // namespace bpd::platform

#include "InputsDigest.h"

#include <QByteArrayView>
#include <QCryptographicHash>

namespace bpd::calcsheet {

QString InputsDigest::of(std::string_view canonicalInputs) {
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(canonicalInputs.data(), static_cast<qsizetype>(canonicalInputs.size())),
        QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(16));
}

}  // namespace bpd::calcsheet

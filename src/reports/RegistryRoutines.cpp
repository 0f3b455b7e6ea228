#include "RegistryRoutines.h"

#include <QtEndian>

#include <cmath>

namespace bpd::reports {

namespace {
// Query value, set value, create sub-key, enumerate sub-keys, notify, create link, read control.
constexpr quint32 kAccessMask = 0x2003F;
}  // namespace

bool ReadRegistryValue(platform::RegistryStore& registry, HKEY root, const QString& subKey,
                       const QString& valueName, QString& value) {
    platform::RegistryStore::Handle handle = 0;
    bool result = false;
    if (registry.openKey(root, subKey, kAccessMask, handle) == platform::RegistryStore::kSuccess) {
        quint32 type = 0;
        QByteArray data;
        if (registry.queryValue(handle, valueName, type, data) ==
            platform::RegistryStore::kSuccess) {
            result = true;
            if (type == REG_SZ) {
                // Values stored with or without a terminating NUL both read back without it.
                if (data.endsWith('\0')) data.chop(1);
                value = QString::fromUtf8(data);
            } else if (type == REG_DWORD) {
                quint32 number = 0;
                if (data.size() >= 4) number = qFromLittleEndian<quint32>(data.constData());
                value = QString::number(number);
            }
        }
    }
    registry.closeKey(handle);
    return result;
}

bool WriteRegistryValue(platform::RegistryStore& registry, HKEY root, const QString& subKey,
                        quint32 type, const QString& valueName, QVariant& value) {
    platform::RegistryStore::Handle handle = 0;
    long status = registry.openKey(root, subKey, kAccessMask, handle);
    if (status != platform::RegistryStore::kSuccess)
        registry.createKey(root, subKey, handle);  // its own code is not examined
    if (type == REG_SZ) {
        status = registry.setValue(handle, valueName, REG_SZ, value.toString().toUtf8());
    } else if (type == REG_DWORD) {
        // "80" gives 80, "80.5" gives 80 (halves to even); a text that is no number, or a
        // number outside the 32-bit range, is a failed write rather than a silent zero.
        bool ok = false;
        const double number = std::nearbyint(value.toDouble(&ok));
        if (ok && number >= -2147483648.0 && number <= 2147483647.0) {
            const qint32 le = qToLittleEndian(static_cast<qint32>(number));
            status = registry.setValue(handle, valueName, REG_DWORD,
                                       QByteArray(reinterpret_cast<const char*>(&le), 4));
        } else {
            status = platform::RegistryStore::kInvalidData;
        }
    }
    if (status != platform::RegistryStore::kSuccess) {
        value = QString();
        registry.closeKey(handle);
        return false;
    }
    const bool flushed = registry.flushKey(handle) == platform::RegistryStore::kSuccess;
    registry.closeKey(handle);
    if (!flushed) value = QString();
    return flushed;
}

}  // namespace bpd::reports

#pragma once
// The two routines through which all access to the settings store goes.
//
// ReadRegistryValue: true when the value was read; the text receives a REG_SZ text (one
// terminating NUL dropped) or the decimal text of a REG_DWORD number; a value of any other
// type leaves the text as it was but still counts as read. On failure the text is untouched.
// Texts of any length read back whole.
// WriteRegistryValue: creates the key when it is missing; REG_SZ stores the text as UTF-8
// without a terminating NUL, REG_DWORD stores the value converted to a 32-bit integer. True
// only once the value is on the disk; on failure the value argument is set to the empty text,
// the result is false, and LastRegistryFailure() says which file and why.

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include "RegistryStore.h"

namespace bpd::reports {

using HKEY = quint32;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_DWORD = 4;

bool ReadRegistryValue(HKEY root, const QString& subKey, const QString& valueName, QString& value);
bool WriteRegistryValue(HKEY root, const QString& subKey, quint32 type, const QString& valueName,
                        QVariant& value);
platform::RegistryStore::Failure LastRegistryFailure();

}  // namespace bpd::reports

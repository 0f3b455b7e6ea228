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
// the result is false, and the store's lastFailure() says which file and why.
// Both go through the store they are given, the one the program made at its start.

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include "RegistryStore.h"

namespace bpd::reports {

using platform::HKEY;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using platform::REG_DWORD;
using platform::REG_SZ;

bool ReadRegistryValue(platform::RegistryStore& store, HKEY root, const QString& subKey,
                       const QString& valueName, QString& value);
bool WriteRegistryValue(platform::RegistryStore& store, HKEY root, const QString& subKey,
                        quint32 type, const QString& valueName, QVariant& value);

}  // namespace bpd::reports

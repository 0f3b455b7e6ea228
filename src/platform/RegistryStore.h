#pragma once
// The settings store behind the two registry routines: keys by root and back-slashed sub-key
// path, each holding typed values (REG_SZ texts, REG_DWORD numbers, raw data of other types).
//
// RegistryStore is the seam of the six store operations, with Windows-style return codes, so a
// Windows build can put the real registry behind it. IniRegistryStore keeps one QSettings INI
// file per root in the configuration folder ("<config>/Pelgro/current-user.ini",
// "<config>/Pelgro/local-machine.ini"); QSettings saves through QSaveFile, so a crash in the
// middle of a save leaves the previous file. Key paths and value names match without regard to
// case, as registry names do; texts are kept as UTF-8.

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QtGlobal>

namespace bpd::platform {

class RegistryStore {
public:
    using Handle = quint32;

    // Return codes of the operations (the registry's own numbers).
    static constexpr long kSuccess = 0;
    static constexpr long kFileNotFound = 2;
    static constexpr long kAccessDenied = 5;
    static constexpr long kInvalidHandle = 6;
    static constexpr long kInvalidData = 13;
    static constexpr long kMoreData = 234;

    static constexpr quint32 kCurrentUser = 0x80000001;
    static constexpr quint32 kLocalMachine = 0x80000002;

    virtual ~RegistryStore() = default;

    // Opens an existing key; kFileNotFound when it does not exist. The handle is 0 on failure.
    virtual long openKey(quint32 root, const QString& subKey, quint32 accessMask, Handle& handle) = 0;
    // Reads one value: its type code and its data, whole (no buffer limit).
    virtual long queryValue(Handle handle, const QString& valueName, quint32& type,
                            QByteArray& data) = 0;
    // Creates the key path when it is missing and opens it.
    virtual long createKey(quint32 root, const QString& subKey, Handle& handle) = 0;
    // Sets one value; the data are stored exactly as given.
    virtual long setValue(Handle handle, const QString& valueName, quint32 type,
                          const QByteArray& data) = 0;
    // Writes the key's changes through to storage.
    virtual long flushKey(Handle handle) = 0;
    // Releases the handle; closing handle 0 is harmless.
    virtual long closeKey(Handle handle) = 0;
};

class IniRegistryStore : public RegistryStore {
public:
    // folder: where the store files live; empty for "<GenericConfigLocation>/Pelgro".
    explicit IniRegistryStore(QString folder = {});

    static QString defaultFolder();
    // The file that holds a root's keys, or an empty text for an unknown root.
    QString fileFor(quint32 root) const;

    long openKey(quint32 root, const QString& subKey, quint32 accessMask, Handle& handle) override;
    long queryValue(Handle handle, const QString& valueName, quint32& type,
                    QByteArray& data) override;
    long createKey(quint32 root, const QString& subKey, Handle& handle) override;
    long setValue(Handle handle, const QString& valueName, quint32 type,
                  const QByteArray& data) override;
    long flushKey(Handle handle) override;
    long closeKey(Handle handle) override;

private:
    struct OpenKey {
        quint32 root = 0;
        QString group;  // the key's INI group, "/"-separated, in the case first stored
    };
    QString findGroup(quint32 root, const QString& subKey, bool* exists) const;
    Handle addHandle(quint32 root, const QString& group);

    QString folder_;
    QHash<Handle, OpenKey> open_;
    QSet<QString> createdKeys_;  // keys created in this session that hold no value yet
    Handle nextHandle_ = 1;
};

}  // namespace bpd::platform

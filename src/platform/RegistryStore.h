#pragma once
// The settings store behind the two registry routines: keys by root and back-slashed sub-key
// path, each holding typed values (REG_SZ texts, REG_DWORD numbers, raw data of other types).
//
// RegistryStore is the seam of the six store operations, with Windows-style return codes, so a
// Windows build can put the real registry behind it. IniRegistryStore keeps one INI file per
// root in the configuration folder ("<config>/Pelgro/current-user.ini",
// "<config>/Pelgro/local-machine.ini") in the format the QSettings-based versions wrote, with
// values stored as "sz:<text>", "dword:<n>" or "hex(<type>):<bytes>"; a value typed by hand
// without a prefix is a text. It reads and writes the files itself (IniDocument), because
// QSettings gives up on a whole file for one bad line, keeps a failed save's error for every
// later read, and saves through a QSaveFile that renames a truncated file over the store on a
// full disk. Every read sees the file as it is now; every save goes through AtomicFile and
// changes only the line of its value, so a save that fails leaves the file byte-identical and
// one that succeeds keeps every other line, even those it cannot parse. Key paths and value
// names match without regard to case, as registry names do; texts are kept as UTF-8.

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace bpd::platform {

class IniDocument;
class MessageService;

// The store's vocabulary, as the registry names it: the two roots and the two value types.
using HKEY = quint32;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_DWORD = 4;

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

    // Why the last operation that failed did so, for the message that tells the user.
    struct Failure {
        QString file;
        QString reason;
    };

    virtual ~RegistryStore() = default;

    // Opens an existing key; kFileNotFound when it does not exist. The handle is 0 on failure.
    virtual long openKey(quint32 root, const QString& subKey, quint32 accessMask,
                         Handle& handle) = 0;
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
    virtual Failure lastFailure() const = 0;
};

class IniRegistryStore : public RegistryStore {
public:
    // folder: where the store files live; empty for "<GenericConfigLocation>/Pelgro".
    // notices: tells the user before a file that cannot be read at all is set aside as
    // "<file>.corrupt" for a new one; without it (nullptr) such a file is never replaced.
    explicit IniRegistryStore(QString folder = {}, MessageService* notices = nullptr);

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
    Failure lastFailure() const override { return failure_; }

private:
    struct OpenKey {
        quint32 root = 0;
        QStringList groups;
    };
    Handle addHandle(quint32 root, const QStringList& groups);
    // Reads a root's file as it is now; a missing file is an empty one.
    long load(quint32 root, IniDocument& document);
    // Tells the user, then moves an unreadable file out of the way.
    long setAside(const QString& file);
    long fail(long code, const QString& file, const QString& reason);

    QString folder_;
    MessageService* notices_;
    Failure failure_;
    QHash<Handle, OpenKey> open_;
    QSet<QString> createdKeys_;  // keys created in this session that hold no value yet
    Handle nextHandle_ = 1;
};

}  // namespace bpd::platform

// bpd-registry: reads or writes one text value of the program's settings store.
//
//   bpd-registry set ROOT SUBKEY NAME VALUE   writes VALUE as a text (REG_SZ)
//   bpd-registry get ROOT SUBKEY NAME         prints the value (texts, or numbers in decimal)
//
// ROOT is HKEY_CURRENT_USER (HKCU) or HKEY_LOCAL_MACHINE (HKLM); SUBKEY uses backslashes,
// e.g. "SOFTWARE\Microsoft\Shared Tools\MSINFO". Exit status 0 on success, 1 when the value
// cannot be read or written (the file and the reason on standard error), 2 on a usage error.

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <QVariant>

#include "MessageService.h"
#include "RegistryRoutines.h"
#include "RegistryStore.h"

namespace {

// The store's notices (a settings file set aside) go to standard error.
class StandardErrorMessages : public bpd::platform::MessageService {
public:
    void warning(QWidget*, const QString&, const QString& text) override { say(text); }
    void information(QWidget*, const QString&, const QString& text) override { say(text); }
    bool question(QWidget*, const QString&, const QString& text) override {
        say(text);
        return false;
    }
    SaveChoice askToSave(QWidget*, const QString&, const QString& text) override {
        say(text);
        return SaveChoice::Cancel;  // a command-line tool never drops edits unasked
    }

private:
    static void say(const QString& text) {
        QTextStream(stderr) << "bpd-registry: " << QString(text).replace(u'\n', u' ') << "\n";
    }
};

bool parseRoot(const QString& text, bpd::platform::HKEY& root) {
    const QString upper = text.toUpper();
    if (upper == QLatin1String("HKEY_CURRENT_USER") || upper == QLatin1String("HKCU")) {
        root = bpd::platform::HKEY_CURRENT_USER;
        return true;
    }
    if (upper == QLatin1String("HKEY_LOCAL_MACHINE") || upper == QLatin1String("HKLM")) {
        root = bpd::platform::HKEY_LOCAL_MACHINE;
        return true;
    }
    return false;
}

int usage(QTextStream& err) {
    err << "usage: bpd-registry set ROOT SUBKEY NAME VALUE\n"
           "       bpd-registry get ROOT SUBKEY NAME\n"
           "ROOT: HKEY_CURRENT_USER (HKCU) or HKEY_LOCAL_MACHINE (HKLM)\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 4) return usage(err);
    const QString command = args.at(0);
    bpd::platform::HKEY root = 0;
    if (!parseRoot(args.at(1), root)) {
        err << "bpd-registry: unknown root " << args.at(1) << "\n";
        return usage(err);
    }
    StandardErrorMessages notices;
    bpd::platform::IniRegistryStore store(QString(), &notices);

    if (command == QLatin1String("set") && args.size() == 5) {
        QVariant value = args.at(4);
        if (!bpd::reports::WriteRegistryValue(store, root, args.at(2), bpd::platform::REG_SZ,
                                              args.at(3), value)) {
            const bpd::platform::RegistryStore::Failure failure = store.lastFailure();
            err << "bpd-registry: cannot write " << args.at(3) << " to " << failure.file << ": "
                << failure.reason << "\n";
            return 1;
        }
        return 0;
    }
    if (command == QLatin1String("get") && args.size() == 4) {
        QString value;
        if (!bpd::reports::ReadRegistryValue(store, root, args.at(2), args.at(3), value)) {
            err << "bpd-registry: no value " << args.at(3) << "\n";
            return 1;
        }
        out << value << "\n";
        return 0;
    }
    return usage(err);
}

#pragma once
// The per-user folders the program writes into, each decided in this one place.

#include <QString>

namespace bpd::platform {

class UserFolders {
public:
    // The user's documents folder; the home folder on a desktop that names none.
    static QString documents();
    // The program's per-user data ("<GenericDataLocation>/Pelgro/Bearing Pad Design"), where
    // the text report goes when the program's own folder cannot be written.
    static QString programData();
    // The settings store's folder ("<GenericConfigLocation>/Pelgro").
    static QString settings();
    // Copies of unsaved edits kept for crash recovery ("$XDG_STATE_HOME/pelgro-bpd/recovery",
    // the state folder defaulting to ~/.local/state).
    static QString recovery();
};

}  // namespace bpd::platform

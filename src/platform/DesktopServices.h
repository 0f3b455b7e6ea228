#pragma once
// The stand-ins for the desktop's facilities that the main window hands down to its commands.
//
// The program makes the real ones in main() and owns them for its whole run; tests make
// fakes (tests/gui/TestServices.h). Every class below the main window takes only the
// services it uses, through its constructor.

namespace bpd::platform {

class DesktopShell;
class FileNameChooser;
class MessageService;
class PrinterService;
class RegistryStore;
class SpreadsheetService;

struct DesktopServices {
    MessageService& messages;
    DesktopShell& shell;
    RegistryStore& settings;
    PrinterService& printer;
    SpreadsheetService& spreadsheet;
    FileNameChooser& files;  // the names of the files the user saves
};

}  // namespace bpd::platform

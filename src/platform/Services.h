#pragma once
// The one small registry of the stand-ins for the operating system's facilities.
//
// The program installs the real implementations at start (src/app); tests install fakes, so
// no test ever opens a real viewer, printer or blocking message box. Each accessor aborts
// with a clear message when its service was never installed: a programming error.

#include <memory>

namespace bpd::platform {

class MessageService;
class DesktopShell;
class RegistryStore;
class PrinterService;
class SpreadsheetService;

class Services {
public:
    static Services& instance();

    MessageService& messages() const;
    DesktopShell& shell() const;
    RegistryStore& registry() const;
    PrinterService& printer() const;
    SpreadsheetService& spreadsheet() const;

    void setMessages(std::shared_ptr<MessageService> service);
    void setShell(std::shared_ptr<DesktopShell> service);
    void setRegistry(std::shared_ptr<RegistryStore> service);
    void setPrinter(std::shared_ptr<PrinterService> service);
    void setSpreadsheet(std::shared_ptr<SpreadsheetService> service);

    // True when a spreadsheet stand-in is installed (the program runs without one too).
    bool hasSpreadsheet() const { return spreadsheet_ != nullptr; }

    // Drops every service (tests call this between cases).
    void reset();

private:
    std::shared_ptr<MessageService> messages_;
    std::shared_ptr<DesktopShell> shell_;
    std::shared_ptr<RegistryStore> registry_;
    std::shared_ptr<PrinterService> printer_;
    std::shared_ptr<SpreadsheetService> spreadsheet_;
};

}  // namespace bpd::platform

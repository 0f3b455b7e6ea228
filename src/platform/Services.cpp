#include "Services.h"

#include <cstdio>
#include <cstdlib>

namespace bpd::platform {

namespace {
template <typename T>
T& require(const std::shared_ptr<T>& service, const char* name) {
    if (!service) {
        std::fprintf(stderr, "bpd: the %s service was used before it was installed\n", name);
        std::abort();
    }
    return *service;
}
}  // namespace

Services& Services::instance() {
    static Services services;
    return services;
}

MessageService& Services::messages() const { return require(messages_, "message"); }
DesktopShell& Services::shell() const { return require(shell_, "desktop shell"); }
RegistryStore& Services::registry() const { return require(registry_, "settings store"); }
PrinterService& Services::printer() const { return require(printer_, "printer"); }
SpreadsheetService& Services::spreadsheet() const { return require(spreadsheet_, "spreadsheet"); }

void Services::setMessages(std::shared_ptr<MessageService> service) { messages_ = std::move(service); }
void Services::setShell(std::shared_ptr<DesktopShell> service) { shell_ = std::move(service); }
void Services::setRegistry(std::shared_ptr<RegistryStore> service) { registry_ = std::move(service); }
void Services::setPrinter(std::shared_ptr<PrinterService> service) { printer_ = std::move(service); }
void Services::setSpreadsheet(std::shared_ptr<SpreadsheetService> service) {
    spreadsheet_ = std::move(service);
}

void Services::reset() { *this = Services(); }

}  // namespace bpd::platform

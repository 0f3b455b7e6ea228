#pragma once
// The shared recording stand-ins, installed for one dialogs test case.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "FakeServices.h"
#include "Services.h"

namespace bpd::testing {

// Installs fresh fakes into the service registry for one test case.
struct InstalledFakes {
    std::shared_ptr<FakeShell> shell = std::make_shared<FakeShell>();
    std::shared_ptr<FakeMessages> messages = std::make_shared<FakeMessages>();
    InstalledFakes() {
        platform::Services::instance().setShell(shell);
        platform::Services::instance().setMessages(messages);
    }
    ~InstalledFakes() { platform::Services::instance().reset(); }
};

}  // namespace bpd::testing

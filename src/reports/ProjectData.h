#pragma once
// The four project data texts that head both reports, and their place in the settings store.

#include <QString>

namespace bpd::platform {
class RegistryStore;
}

namespace bpd::reports {

struct ProjectData {
    QString sCompany;
    QString sProjectName;
    QString sEngineer;
    QString sDescription;

    bool operator==(const ProjectData&) const = default;
};

// HKEY_CURRENT_USER key of the project data and its four REG_SZ value names.
inline const QString kProjectDataKey = QStringLiteral("SOFTWARE\\Pelgro\\Bearing Pad Design");
inline const QString kCompanyValue = QStringLiteral("Company");
inline const QString kProjectNameValue = QStringLiteral("Project Name");
inline const QString kEngineerValue = QStringLiteral("Engineer");
inline const QString kDescriptionValue = QStringLiteral("Description");

// Reloads the main window's copy from the store: Company, Engineer, Project Name, Description,
// in this order. A value that cannot be read keeps the field of `current` as it was.
ProjectData GetGenaralSettingsfromRegistry(platform::RegistryStore& store, ProjectData current);

}  // namespace bpd::reports

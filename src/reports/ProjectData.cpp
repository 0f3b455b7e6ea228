#include "ProjectData.h"

#include "RegistryRoutines.h"

namespace bpd::reports {

ProjectData GetGenaralSettingsfromRegistry(ProjectData current) {
    ReadRegistryValue(HKEY_CURRENT_USER, kProjectDataKey, kCompanyValue, current.sCompany);
    ReadRegistryValue(HKEY_CURRENT_USER, kProjectDataKey, kEngineerValue, current.sEngineer);
    ReadRegistryValue(HKEY_CURRENT_USER, kProjectDataKey, kProjectNameValue, current.sProjectName);
    ReadRegistryValue(HKEY_CURRENT_USER, kProjectDataKey, kDescriptionValue, current.sDescription);
    return current;
}

}  // namespace bpd::reports

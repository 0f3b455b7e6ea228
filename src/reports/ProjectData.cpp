#include "ProjectData.h"

#include "RegistryRoutines.h"

namespace bpd::reports {

ProjectData GetGenaralSettingsfromRegistry(platform::RegistryStore& store, ProjectData current) {
    ReadRegistryValue(store, HKEY_CURRENT_USER, kProjectDataKey, kCompanyValue, current.sCompany);
    ReadRegistryValue(store, HKEY_CURRENT_USER, kProjectDataKey, kEngineerValue, current.sEngineer);
    ReadRegistryValue(store, HKEY_CURRENT_USER, kProjectDataKey, kProjectNameValue,
                      current.sProjectName);
    ReadRegistryValue(store, HKEY_CURRENT_USER, kProjectDataKey, kDescriptionValue,
                      current.sDescription);
    return current;
}

}  // namespace bpd::reports

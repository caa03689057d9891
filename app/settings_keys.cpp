#include "app/settings_keys.h"

const char* const kSettingsOrganization = "Brannox";
const char* const kSettingsApplication = "Quorvel/BERTLV";
const char* const kRecentFileSection = "V1.0/Recent File List";
const char* const kUiSettingsSection = "V1.0/UISettings";

// Where the program keeps its settings (QSettings, organization "Brannox", application
// "Quorvel/BERTLV").
#ifndef QUORVEL_APP_SETTINGS_KEYS_H
#define QUORVEL_APP_SETTINGS_KEYS_H

extern const char* const kSettingsOrganization;  // "Brannox"
extern const char* const kSettingsApplication;   // "Quorvel/BERTLV"
extern const char* const kRecentFileSection;     // "V1.0/Recent File List"
extern const char* const kUiSettingsSection;     // "V1.0/UISettings"

#endif

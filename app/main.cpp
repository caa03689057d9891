// Quorvel BERTLV, the editor. Files named on the command line open as documents; nothing else
// on it is used.
#include <QSettings>

#include "app/font_warm_up.h"
#include "app/orda_app.h"
#include "app/safe_application.h"
#include "app/settings_keys.h"

int main(int argc, char** argv) {
    FontWarmUp fonts;
    SafeApplication application(argc, argv);
    fonts.Wait();
    QApplication::setApplicationName(QStringLiteral("Quorvel BERTLV"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel-bertlv"));
    QSettings settings(QString::fromLatin1(kSettingsOrganization),
                       QString::fromLatin1(kSettingsApplication));
    COrdaApp app(&settings);
    if (!app.InitInstance()) {
        return 1;
    }
    app.OpenFiles(QApplication::arguments().mid(1));
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

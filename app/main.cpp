// Quorvel BERTLV, the editor. The command line is not used: no document opens at start.
#include <QApplication>
#include <QSettings>

#include "app/orda_app.h"
#include "app/settings_keys.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel BERTLV"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel-bertlv"));
    QSettings settings(QString::fromLatin1(kSettingsOrganization),
                       QString::fromLatin1(kSettingsApplication));
    COrdaApp app(&settings);
    if (!app.InitInstance()) {
        return 1;
    }
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

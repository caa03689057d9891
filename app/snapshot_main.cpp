// Developer tool: renders the main window offscreen into PNG files in the folder named on the
// command line, for a look at the layout without a display. Settings go to a scratch file.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_looks.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"

namespace {

bool Snap(CMainFrame* frame, const QString& folder, const QString& name) {
    QTest::qWait(50);
    return frame->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: quorvel-snapshot FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QTemporaryDir scratch;
    QSettings settings(scratch.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    COrdaApp app(&settings);
    app.InitInstance();
    CMainFrame* frame = app.MainFrame();
    frame->resize(1100, 760);
    bool ok = Snap(frame, folder, QStringLiteral("started"));

    CChildFrame* child = app.OnFileNew();
    COrdaView* view = child->View();
    view->Pane()->setPlainText(QStringLiteral("70 07 5A 02 12 34 00 FF 00"));
    view->OnParse();
    view->Grid()->SelectItem(view->Grid()->GetRow(1)->Item(0));
    ok = Snap(frame, folder, QStringLiteral("document")) && ok;
    for (int mode = 1; mode < DISPLAY_MODE_COUNT; ++mode) {
        view->ModeList()->setCurrentIndex(mode);
        view->OnDisplayModeChange();
        ok = Snap(frame, folder, QStringLiteral("mode-%1").arg(mode)) && ok;
    }
    view->ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
    view->OnDisplayModeChange();
    for (const AppLook& look : kAppLooks) {
        frame->OnApplicationLook(look.id);
        ok = Snap(frame, folder, QStringLiteral("look-%1").arg(look.id)) && ok;
    }
    return ok ? 0 : 1;
}

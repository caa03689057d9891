#include "app/main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "app/app_ids.h"
#include "app/app_looks.h"
#include "app/child_frame.h"
#include "app/customize_dialog.h"
#include "app/file_drop.h"
#include "app/images/document-print.xpm"
#include "app/images/edit-copy.xpm"
#include "app/images/edit-cut.xpm"
#include "app/images/edit-paste.xpm"
#include "app/images/edit-redo.xpm"
#include "app/images/edit-undo.xpm"
#include "app/images/file-new.xpm"
#include "app/images/file-open.xpm"
#include "app/images/file-save.xpm"
#include "app/images/help-about.xpm"
#include "app/images/quorvel-bertlv.xpm"
#include "app/lock_indicators.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "app/settings_keys.h"
#include "app/tab_cycle.h"
#include "app/windows_dialog.h"
#include "editor/card_number_cells.h"
#include "editor/editor_ids.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "panels/analysis_bar.h"
#include "panels/description_bar.h"
#include "panels/dictionary_bar.h"
#include "platform/lazy_icon.h"

namespace {

// Status-bar prompt, then after "\n" the tooltip, of every command that has one.
struct CommandPrompt {
    int id;
    const char* prompt;
};

const CommandPrompt kPrompts[] = {
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_CLOSE, "Close the active document\nClose"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_EDIT_FIND_NEXT, "Go to the next element that matches\nFind Next"},
    {ID_EDIT_FIND_PREVIOUS, "Go to the previous element that matches\nFind Previous"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_WINDOW_NEW, "Open another window for the active document\nNew Window"},
    {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
    {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
    {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_VIEW_CUSTOMIZE, "Customize toolbars ane menus.\nCustomize"},
    {ID_VIEW_WORKSPACE, "Show or hide the workspace bar\nToggle Workspace"},
    {ID_VIEW_DESCRIPTION, "Show or hide the DE description bar\nToggle DE description"},
    {ID_VIEW_ANALYSIS, "Show or hide analysis bar\nToggle Analysis"},
    {ID_WINDOW_MANAGER, "Manages the currently opened window\nWindow List"},
    {ID_VIEW_APPLOOK_2000, "Activate Office 2000 application look\nOffice 2000 Look"},
    {ID_VIEW_APPLOOK_XP, "Activate Office XP application look\nOffice XP Look"},
    {ID_VIEW_APPLOOK_2003, "Activate Office 2003 application look\nOffice 2003 Look"},
    {ID_VIEW_APPLOOK_WIN_XP, "Activate Windows XP application look\nWindows XP Look"},
    {ID_VIEW_APPLOOK_VS2005, "Activate Visual Studio.NET 2005 application look\nVS.NET 2005 Look"},
    {ID_DELETE_DATA_ELEMENT, "Delete Data Elementt\nDelete"},
    {ID_DATA_ELEMENT_INFO, "Data Element Info.\nDE Info."},
    {ID_FILE_MRU_FIRST, "Open TLV File\nOpen"},
    {ID_VIEW_MASK_CARD_NUMBERS,
     "Show card numbers masked in the grids, the Analysis panel, printing and copies\nMask Card "
     "Numbers"},
};

void ApplyPrompt(QAction* action, int id) {
    for (const CommandPrompt& entry : kPrompts) {
        if (entry.id == id) {
            const QStringList parts = QString::fromLatin1(entry.prompt).split(QLatin1Char('\n'));
            action->setStatusTip(parts.value(0));
            action->setToolTip(parts.value(1));
            action->setProperty(CustomizeDialog::kNameProperty, parts.value(1));
            return;
        }
    }
}

// "&Undo Delete "Application Label"\tCtrl+Z": the command, the step it acts on, its key.
QString UndoRedoText(const char* command, const QString& step, const char* key) {
    QString text = QString::fromLatin1(command);
    if (!step.isEmpty()) {
        text += QLatin1Char(' ') + QString(step).replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    return text + QLatin1Char('\t') + QLatin1String(key);
}

const char kGeometryKey[] = "MainWindowGeometry";
const char kStateKey[] = "MainWindowState";
const char kStatusBarKey[] = "StatusBarShown";
const char kHiddenButtonsKey[] = "HiddenToolbarButtons";
const char kElementColumnsKey[] = "ElementGridColumns";
const char kLookKey[] = "ApplicationLook";
const char kMaskCardNumbersKey[] = "MaskCardNumbers";
// Share of the available screen, in each direction, that the main window takes at first.
const int kFirstSizePercent = 80;

}  // namespace

CMainFrame::CMainFrame(COrdaApp* app, QSettings* settings)
    : app_(app), settings_(settings), mdiArea_(new QMdiArea(this)) {
    setWindowTitle(QString::fromLatin1("Quorvel BERTLV"));
    setWindowIcon(PictureIcon(quorvel_bertlv));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks |
                   QMainWindow::AllowTabbedDocks | QMainWindow::GroupedDragging);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);

    settings_->beginGroup(QString::fromLatin1(kUiSettingsSection));
    appLook_ = settings_->value(QString::fromLatin1(kLookKey), kDefaultAppLook).toInt();
    settings_->endGroup();

    CreateActions();
    // The look comes first: widgets made after it take its style once, instead of all of them
    // taking it again.
    if (IsAppLook(appLook_)) {
        OnApplicationLook(appLook_);
    } else {
        // A stored look this program does not know stays stored and no look is checked; the
        // window is drawn in the default look meanwhile.
        ApplyAppLook(kDefaultAppLook, this, mdiArea_);
    }
    CreateToolBar();
    CreateStatusBar();
    CreateDockingPanels();
    CreateMenus();
    RestoreLayout();
    UpdateMenus();
    // Until a widget takes the focus, no focus change sets them.
    UpdateEditCommands();
    fileDrop_ = new FileOpenDrop(app_, this);
    for (QWidget* window :
         std::initializer_list<QWidget*>{this, dictionaryBar_, descriptionBar_, analysisBar_}) {
        fileDrop_->Watch(window);
    }

    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        // What the status bar said was about the window before.
        statusBar()->clearMessage();
        UpdateMenus();
        UpdateEditCommands();
        UpdateCaption();
        FollowActiveView();
    });
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::UpdateEditCommands);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateEditCommands);
}

bool CMainFrame::focusNextPrevChild(bool next) {
    const COrdaView* view = ActiveView();
    return MoveTabFocus(this, mdiArea_, view != nullptr ? view->TabOrder() : QList<QWidget*>(),
                        next) ||
           QMainWindow::focusNextPrevChild(next);
}

CMainFrame::~CMainFrame() {
    // The windows below are destroyed after this object: their signals must not reach it.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    disconnect(mdiArea_, nullptr, this, nullptr);
    // Closed windows awaiting deletion are no longer listed by the area, but still children.
    for (CChildFrame* frame : mdiArea_->findChildren<CChildFrame*>()) {
        disconnect(frame, nullptr, this, nullptr);
    }
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QKeySequence& shortcut) {
    QAction* action = new QAction(text, this);
    action->setData(id);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    ApplyPrompt(action, id);
    actions_.insert(id, action);
    return action;
}

void CMainFrame::CreateActions() {
    connect(MakeAction(ID_FILE_NEW, QStringLiteral("&New\tCtrl+N"), QKeySequence::New),
            &QAction::triggered, app_, &COrdaApp::OnFileNew);
    connect(MakeAction(ID_FILE_OPEN, QStringLiteral("&Open...\tCtrl+O"), QKeySequence::Open),
            &QAction::triggered, app_, &COrdaApp::OnFileOpen);
    connect(MakeAction(ID_FILE_CLOSE, QStringLiteral("&Close")), &QAction::triggered, this,
            &CMainFrame::OnFileClose);
    connect(MakeAction(ID_FILE_SAVE, QStringLiteral("&Save\tCtrl+S"), QKeySequence::Save),
            &QAction::triggered, this, [this] {
                if (CChildFrame* frame = ActiveChildFrame()) {
                    frame->Document()->Save(this);
                }
            });
    connect(MakeAction(ID_FILE_SAVE_AS, QStringLiteral("Save &As...")), &QAction::triggered, this,
            [this] {
                if (CChildFrame* frame = ActiveChildFrame()) {
                    frame->Document()->SaveAs(this);
                }
            });
    connect(MakeAction(ID_FILE_PRINT, QStringLiteral("&Print...\tCtrl+P"), QKeySequence::Print),
            &QAction::triggered, this, [this] {
                if (COrdaView* view = ActiveView()) {
                    view->OnFilePrint(app_->Printer());
                }
            });
    connect(MakeAction(ID_FILE_PRINT_PREVIEW, QStringLiteral("Print Pre&view")),
            &QAction::triggered, this, [this] {
                if (COrdaView* view = ActiveView()) {
                    view->OnFilePrintPreview(app_->Printer());
                }
            });
    connect(MakeAction(ID_FILE_PRINT_SETUP, QStringLiteral("P&rint Setup...")), &QAction::triggered,
            app_, &COrdaApp::OnFilePrintSetup);
    connect(MakeAction(ID_APP_EXIT, QStringLiteral("E&xit")), &QAction::triggered, this,
            &QWidget::close);

    QAction* cut = MakeAction(ID_EDIT_CUT, QStringLiteral("Cu&t\tCtrl+X"));
    cut->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    QAction* copy = MakeAction(ID_EDIT_COPY, QStringLiteral("&Copy\tCtrl+C"));
    copy->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    QAction* paste = MakeAction(ID_EDIT_PASTE, QStringLiteral("&Paste\tCtrl+V"));
    paste->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    // The text widgets handle their own shortcuts; the menu commands work on the focus.
    for (QAction* action : {cut, copy, paste}) {
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(cut, &QAction::triggered, this, [this] {
        if (COrdaView* view = ActiveView()) {
            view->OnEditCut();
        }
    });
    connect(copy, &QAction::triggered, this, [this] {
        if (COrdaView* view = ActiveView()) {
            view->OnEditCopy();
        }
    });
    connect(paste, &QAction::triggered, this, [this] {
        if (COrdaView* view = ActiveView()) {
            view->OnEditPaste();
        }
    });

    // The pane and the grid's in-place editor take these keys for their own undo and redo
    // while they have the focus.
    QAction* undo = MakeAction(ID_EDIT_UNDO, UndoRedoText("&Undo", QString(), "Ctrl+Z"));
    undo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    QAction* redo = MakeAction(ID_EDIT_REDO, UndoRedoText("&Redo", QString(), "Ctrl+Y"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Enabled by UpdateEditCommands while the active document has something to undo or redo.
    undo->setEnabled(false);
    redo->setEnabled(false);
    QAction* find = MakeAction(ID_EDIT_FIND, QStringLiteral("&Find...\tCtrl+F"),
                               QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction* findNext =
        MakeAction(ID_EDIT_FIND_NEXT, QStringLiteral("Find &Next\tF3"), QKeySequence(Qt::Key_F3));
    QAction* findPrevious =
        MakeAction(ID_EDIT_FIND_PREVIOUS, QStringLiteral("Find Pre&vious\tShift+F3"),
                   QKeySequence(Qt::SHIFT | Qt::Key_F3));
    const struct {
        QAction* action;
        void (COrdaView::*command)();
    } viewCommands[] = {{undo, &COrdaView::OnEditUndo},
                        {redo, &COrdaView::OnEditRedo},
                        {find, &COrdaView::OnEditFind},
                        {findNext, &COrdaView::OnEditFindNext},
                        {findPrevious, &COrdaView::OnEditFindPrevious}};
    for (const auto& entry : viewCommands) {
        const auto command = entry.command;
        connect(entry.action, &QAction::triggered, this, [this, command] {
            if (COrdaView* view = ActiveView()) {
                (view->*command)();
            }
        });
        addAction(entry.action);
    }

    // Commands with a key but no handler: present, never enabled.
    QAction* nextPane =
        MakeAction(ID_NEXT_PANE, QStringLiteral("Next Pane"), QKeySequence(Qt::Key_F6));
    QAction* previousPane = MakeAction(ID_PREV_PANE, QStringLiteral("Previous Pane"),
                                       QKeySequence(Qt::SHIFT | Qt::Key_F6));
    for (QAction* action : {nextPane, previousPane}) {
        action->setEnabled(false);
        addAction(action);
    }

    QAction* statusBarToggle = MakeAction(ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar"));
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    connect(statusBarToggle, &QAction::toggled, this,
            [this](bool shown) { statusBar()->setVisible(shown); });
    connect(MakeAction(ID_VIEW_CUSTOMIZE, QStringLiteral("Customize...")), &QAction::triggered,
            this, &CMainFrame::OnCustomize);
    QAction* mask = MakeAction(ID_VIEW_MASK_CARD_NUMBERS, QStringLiteral("&Mask Card Numbers"));
    mask->setCheckable(true);
    connect(mask, &QAction::toggled, this, &CMainFrame::OnMaskCardNumbers);

    QActionGroup* looks = new QActionGroup(this);
    for (const AppLook& look : kAppLooks) {
        QAction* action = MakeAction(look.id, QString::fromLatin1(look.menuText));
        action->setCheckable(true);
        looks->addAction(action);
        connect(action, &QAction::triggered, this, [this, look] { OnApplicationLook(look.id); });
    }

    connect(MakeAction(ID_WINDOW_NEW, QStringLiteral("&New Window")), &QAction::triggered, this,
            [this] {
                if (CChildFrame* frame = ActiveChildFrame()) {
                    AddChildFrame(new CChildFrame(frame->Document()));
                }
            });
    connect(MakeAction(ID_WINDOW_CASCADE, QStringLiteral("&Cascade")), &QAction::triggered, this,
            &CMainFrame::OnWindowCascade);
    connect(MakeAction(ID_WINDOW_TILE_HORZ, QStringLiteral("&Tile")), &QAction::triggered, mdiArea_,
            &QMdiArea::tileSubWindows);
    connect(MakeAction(ID_WINDOW_ARRANGE, QStringLiteral("&Arrange Icons")), &QAction::triggered,
            this, &CMainFrame::OnWindowArrangeIcons);
    connect(MakeAction(ID_WINDOW_MANAGER, QStringLiteral("&Windows...")), &QAction::triggered, this,
            &CMainFrame::OnWindowList);
    connect(MakeAction(ID_APP_ABOUT, QStringLiteral("&About Quorvel BERTLV...")),
            &QAction::triggered, app_, &COrdaApp::OnAppAbout);
    MakeAction(ID_DELETE_DATA_ELEMENT, QStringLiteral("Delete"));
}

void CMainFrame::CreateMenus() {
    recentMenu_ = new QMenu(QStringLiteral("Recent Files"), this);
    connect(recentMenu_, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentFilesMenu);
    RebuildRecentFilesMenu();

    const auto fileMenu = [this](bool withDocument) {
        QMenu* menu = new QMenu(QStringLiteral("&File"), this);
        menu->addAction(Action(ID_FILE_NEW));
        menu->addAction(Action(ID_FILE_OPEN));
        if (withDocument) {
            menu->addAction(Action(ID_FILE_CLOSE));
            menu->addAction(Action(ID_FILE_SAVE));
            menu->addAction(Action(ID_FILE_SAVE_AS));
            menu->addSeparator();
            menu->addAction(Action(ID_FILE_PRINT));
            menu->addAction(Action(ID_FILE_PRINT_PREVIEW));
        } else {
            menu->addSeparator();
        }
        menu->addAction(Action(ID_FILE_PRINT_SETUP));
        menu->addSeparator();
        menu->addMenu(recentMenu_);
        menu->addSeparator();
        menu->addAction(Action(ID_APP_EXIT));
        return menu;
    };
    fileMenuNoDocument_ = fileMenu(false);
    fileMenu_ = fileMenu(true);

    editMenu_ = new QMenu(QStringLiteral("&Edit"), this);
    editMenu_->addAction(Action(ID_EDIT_UNDO));
    editMenu_->addAction(Action(ID_EDIT_REDO));
    editMenu_->addSeparator();
    dataElementMenu_ = editMenu_->addMenu(QStringLiteral("Data Element"));
    connect(dataElementMenu_, &QMenu::aboutToShow, this, &CMainFrame::RebuildDataElementMenu);
    RebuildDataElementMenu();
    editMenu_->addSeparator();
    editMenu_->addAction(Action(ID_EDIT_CUT));
    editMenu_->addAction(Action(ID_EDIT_COPY));
    editMenu_->addAction(Action(ID_EDIT_PASTE));
    editMenu_->addSeparator();
    editMenu_->addAction(Action(ID_EDIT_FIND));
    editMenu_->addAction(Action(ID_EDIT_FIND_NEXT));
    editMenu_->addAction(Action(ID_EDIT_FIND_PREVIOUS));
    connect(editMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateEditCommands);

    viewMenu_ = new QMenu(QStringLiteral("&View"), this);
    toolbarsMenu_ = viewMenu_->addMenu(QStringLiteral("&Toolbars"));
    toolbarsMenu_->menuAction()->setData(ID_VIEW_TOOLBARS);
    ApplyPrompt(toolBar_->toggleViewAction(), ID_VIEW_TOOLBAR);
    toolbarsMenu_->addAction(toolBar_->toggleViewAction());
    for (QDockWidget* dock :
         std::initializer_list<QDockWidget*>{dictionaryBar_, descriptionBar_, analysisBar_}) {
        toolbarsMenu_->addAction(dock->toggleViewAction());
    }
    toolbarsMenu_->addSeparator();
    toolbarsMenu_->addAction(Action(ID_VIEW_CUSTOMIZE));
    viewMenu_->addAction(Action(ID_VIEW_STATUS_BAR));
    QMenu* looks = viewMenu_->addMenu(QStringLiteral("&Application Look"));
    for (const AppLook& look : kAppLooks) {
        looks->addAction(Action(look.id));
    }
    viewMenu_->addSeparator();
    viewMenu_->addAction(Action(ID_VIEW_MASK_CARD_NUMBERS));

    windowMenu_ = new QMenu(QStringLiteral("&Window"), this);
    windowMenu_->addAction(Action(ID_WINDOW_NEW));
    windowMenu_->addAction(Action(ID_WINDOW_CASCADE));
    windowMenu_->addAction(Action(ID_WINDOW_TILE_HORZ));
    windowMenu_->addAction(Action(ID_WINDOW_ARRANGE));
    windowMenu_->addAction(Action(ID_WINDOW_MANAGER));

    helpMenu_ = new QMenu(QStringLiteral("&Help"), this);
    helpMenu_->addAction(Action(ID_APP_ABOUT));
}

namespace {

// The toolbar's buttons: desktop theme icons, with our own pictures where the theme has none.
// Id 0 stands for a separator.
const struct {
    int id;
    const char* themeIcon;
    const char* const* ownPicture;
} kToolBarButtons[] = {{ID_FILE_NEW, "document-new", file_new},
                       {ID_FILE_OPEN, "document-open", file_open},
                       {ID_FILE_SAVE, "document-save", file_save},
                       {0, nullptr, nullptr},
                       {ID_EDIT_CUT, "edit-cut", edit_cut},
                       {ID_EDIT_COPY, "edit-copy", edit_copy},
                       {ID_EDIT_PASTE, "edit-paste", edit_paste},
                       {0, nullptr, nullptr},
                       {ID_EDIT_UNDO, "edit-undo", edit_undo},
                       {ID_EDIT_REDO, "edit-redo", edit_redo},
                       {0, nullptr, nullptr},
                       {ID_FILE_PRINT, "document-print", document_print},
                       {0, nullptr, nullptr},
                       {ID_APP_ABOUT, "help-about", help_about}};

}  // namespace

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("Standard"));
    for (const auto& button : kToolBarButtons) {
        if (button.id == 0) {
            toolBarOrder_ << toolBar_->addSeparator();
            continue;
        }
        QAction* action = Action(button.id);
        action->setIcon(PictureIcon(button.ownPicture));
        toolBar_->addAction(action);
        toolBarOrder_ << action;
    }
    // Searching the desktop's icon theme takes longer than making the whole window: it waits
    // until the window is there.
    QMetaObject::invokeMethod(this, &CMainFrame::UseThemeIcons, Qt::QueuedConnection);
    QToolButton* customize = new QToolButton(toolBar_);
    // An explicit icon text keeps the ellipsis that tool buttons drop from action texts.
    Action(ID_VIEW_CUSTOMIZE)->setIconText(QStringLiteral("Customize..."));
    customize->setDefaultAction(Action(ID_VIEW_CUSTOMIZE));
    customize->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Like every other toolbar button, it is for the mouse; the keyboard has View > Customize.
    customize->setFocusPolicy(Qt::NoFocus);
    toolBarOrder_ << toolBar_->addWidget(customize);
}

void CMainFrame::UseThemeIcons() {
    // hicolor, the theme every desktop falls back to, holds the icons of applications, not of
    // commands: without a desktop theme there is nothing to find, and a search that finds
    // nothing is the slowest, longer than making the whole window.
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor")) {
        return;
    }
    for (const auto& button : kToolBarButtons) {
        if (button.id != 0) {
            const QIcon icon = QIcon::fromTheme(QString::fromLatin1(button.themeIcon));
            if (!icon.isNull()) {
                Action(button.id)->setIcon(icon);
            }
        }
    }
}

void CMainFrame::CreateStatusBar() {
    messagePane_ = new QLabel(QStringLiteral("Ready"), this);
    statusBar()->addWidget(messagePane_, 1);
    lockIndicators_ = new LockIndicators(statusBar());
    // Prompts replace "Ready" while a command is under the mouse.
    connect(statusBar(), &QStatusBar::messageChanged, this,
            [this](const QString& message) { messagePane_->setVisible(message.isEmpty()); });
}

void CMainFrame::CreateDockingPanels() {
    dictionaryBar_ = new CDictionaryBar(this);
    descriptionBar_ = new CDescriptionBar(this);
    analysisBar_ = new CAnalysisBar(this);
    const struct {
        QDockWidget* dock;
        int id;
        const char* name;
        const char* const* icon;
    } panels[] = {{dictionaryBar_, ID_VIEW_WORKSPACE, "DataElements", file_open},
                  {descriptionBar_, ID_VIEW_DESCRIPTION, "DEDescription", help_about},
                  {analysisBar_, ID_VIEW_ANALYSIS, "Analysis", edit_paste}};
    for (const auto& panel : panels) {
        panel.dock->setObjectName(QString::fromLatin1(panel.name));
        panel.dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        panel.dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                                QDockWidget::DockWidgetClosable);
        panel.dock->setWindowIcon(PictureIcon(panel.icon));
        QAction* toggle = panel.dock->toggleViewAction();
        toggle->setData(panel.id);
        ApplyPrompt(toggle, panel.id);
        actions_.insert(panel.id, toggle);
    }
    addDockWidget(Qt::LeftDockWidgetArea, dictionaryBar_);
    addDockWidget(Qt::BottomDockWidgetArea, descriptionBar_);
    tabifyDockWidget(descriptionBar_, analysisBar_);
    descriptionBar_->raise();
    connect(analysisBar_, &CAnalysisBar::infoRequested, this, &CMainFrame::ShowDescription);
    connect(dictionaryBar_, &CDictionaryBar::entrySelected, this, &CMainFrame::ShowDescription);
}

void CMainFrame::RestoreLayout() {
    settings_->beginGroup(QString::fromLatin1(kUiSettingsSection));
    const QByteArray geometry = settings_->value(QString::fromLatin1(kGeometryKey)).toByteArray();
    const QByteArray state = settings_->value(QString::fromLatin1(kStateKey)).toByteArray();
    const bool statusBarShown = settings_->value(QString::fromLatin1(kStatusBarKey), true).toBool();
    for (const QVariant& id : settings_->value(QString::fromLatin1(kHiddenButtonsKey)).toList()) {
        QAction* button = Action(id.toInt());
        if (button != nullptr && toolBarOrder_.contains(button)) {
            CustomizeDialog::ShowButton(toolBar_, toolBarOrder_, button, false);
        }
    }
    const bool maskCardNumbers =
        settings_->value(QString::fromLatin1(kMaskCardNumbersKey), false).toBool();
    for (const QVariant& weight :
         settings_->value(QString::fromLatin1(kElementColumnsKey)).toList()) {
        elementColumnWeights_ << weight.toInt();
    }
    settings_->endGroup();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // The first start uses most of the screen, centred.
        const QRect available = screen()->availableGeometry();
        const QSize size(available.width() * kFirstSizePercent / 100,
                         available.height() * kFirstSizePercent / 100);
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
    }
    if (!state.isEmpty() && restoreState(state)) {
        shownState_ = state;
    } else {
        // The panels take 200 units, but no more than a quarter of a small screen's window.
        resizeDocks({dictionaryBar_}, {qMin(200, width() / 4)}, Qt::Horizontal);
        resizeDocks({descriptionBar_}, {qMin(200, height() / 4)}, Qt::Vertical);
    }
    Action(ID_VIEW_STATUS_BAR)->setChecked(statusBarShown);
    Action(ID_VIEW_MASK_CARD_NUMBERS)->setChecked(maskCardNumbers);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restored before the window had its size, the panels' sizes are shared out again when it
    // is first laid out; restored at its size, they stay as saved.
    if (!shownState_.isEmpty()) {
        restoreState(shownState_);
        shownState_.clear();
    }
}

void CMainFrame::SaveLayout() {
    settings_->beginGroup(QString::fromLatin1(kUiSettingsSection));
    settings_->setValue(QString::fromLatin1(kGeometryKey), saveGeometry());
    settings_->setValue(QString::fromLatin1(kStateKey), saveState());
    settings_->setValue(QString::fromLatin1(kStatusBarKey),
                        Action(ID_VIEW_STATUS_BAR)->isChecked());
    QVariantList hidden;
    const QList<QAction*> shown = toolBar_->actions();
    for (QAction* button : toolBarOrder_) {
        if (button->data().toInt() != 0 && !shown.contains(button)) {
            hidden << button->data().toInt();
        }
    }
    settings_->setValue(QString::fromLatin1(kHiddenButtonsKey), hidden);
    if (!elementColumnWeights_.isEmpty()) {
        QVariantList weights;
        for (int weight : elementColumnWeights_) {
            weights << weight;
        }
        settings_->setValue(QString::fromLatin1(kElementColumnsKey), weights);
    }
    settings_->endGroup();
}

void CMainFrame::OnApplicationLook(int id) {
    appLook_ = id;
    if (!IsAppLook(id)) {
        return;
    }
    ApplyAppLook(id, this, mdiArea_);
    Action(id)->setChecked(true);
    settings_->beginGroup(QString::fromLatin1(kUiSettingsSection));
    // The look stored already is not written again: every start would rewrite the settings
    // file, while the window is still being drawn.
    const QString key = QString::fromLatin1(kLookKey);
    if (!settings_->contains(key) || settings_->value(key).toInt() != id) {
        settings_->setValue(key, id);
    }
    settings_->endGroup();
}

void CMainFrame::OnMaskCardNumbers(bool mask) {
    for (CChildFrame* frame : mdiArea_->findChildren<CChildFrame*>()) {
        ShowCardNumbersMasked(frame->View()->Grid(), mask);
    }
    analysisBar_->SetMaskCardNumbers(mask);
    FollowActiveView();
    settings_->beginGroup(QString::fromLatin1(kUiSettingsSection));
    settings_->setValue(QString::fromLatin1(kMaskCardNumbersKey), mask);
    settings_->endGroup();
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    return qobject_cast<CChildFrame*>(mdiArea_->activeSubWindow());
}

COrdaView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame != nullptr ? frame->View() : nullptr;
}

void CMainFrame::AddChildFrame(CChildFrame* frame) {
    frame->setWindowIcon(windowIcon());
    COrdaView* view = frame->View();
    view->SetAnalysisTarget(this);
    view->Grid()->SetColumnWeights(elementColumnWeights_);
    ShowCardNumbersMasked(view->Grid(), Action(ID_VIEW_MASK_CARD_NUMBERS)->isChecked());
    new PaneTextDrop(view);
    connect(view->Grid(), &GridCtrl::columnWeightsChangedByUser, this,
            [this, view] { elementColumnWeights_ = view->Grid()->ColumnWeights(); });
    connect(view, &COrdaView::editCommandsChanged, this, &CMainFrame::UpdateEditCommands);
    // The documents' tab bar is made with the first document: the window starts without one.
    // The area keeps the tab bar it has when the mode is set again.
    mdiArea_->setViewMode(QMdiArea::TabbedView);
    mdiArea_->addSubWindow(frame);
    frame->showMaximized();
    mdiArea_->setActiveSubWindow(frame);
    connect(frame, &QObject::destroyed, this, [this] {
        UpdateMenus();
        UpdateCaption();
        FollowActiveView();
    });
    connect(frame, &QWidget::windowTitleChanged, this, &CMainFrame::UpdateCaption);
    UpdateMenus();
    UpdateCaption();
}

void CMainFrame::UpdateCaption() {
    // While another program is active the area has no active window, yet the one last active
    // is still the document on show, which may change meanwhile (a file dropped on it).
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    if (active == nullptr) {
        const QList<QMdiSubWindow*> history =
            mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
        active = history.isEmpty() ? nullptr : history.last();
    }
    setWindowTitle(active != nullptr
                       ? QStringLiteral("Quorvel BERTLV - %1").arg(active->windowTitle())
                       : QStringLiteral("Quorvel BERTLV"));
}

void CMainFrame::UpdateMenus() {
    const bool hasDocument = !mdiArea_->subWindowList().isEmpty();
    // Their keys and toolbar buttons stay, so these are disabled without a document.
    const int documentCommands[] = {ID_FILE_CLOSE,     ID_FILE_SAVE,          ID_FILE_SAVE_AS,
                                    ID_FILE_PRINT,     ID_FILE_PRINT_PREVIEW, ID_EDIT_FIND,
                                    ID_EDIT_FIND_NEXT, ID_EDIT_FIND_PREVIOUS};
    for (int id : documentCommands) {
        Action(id)->setEnabled(hasDocument);
    }
    if (hasDocument == hadDocument_ && !menuBar()->actions().isEmpty()) {
        return;
    }
    hadDocument_ = hasDocument;
    menuBar()->clear();
    menuBar()->addMenu(hasDocument ? fileMenu_ : fileMenuNoDocument_);
    if (hasDocument) {
        menuBar()->addMenu(editMenu_);
    }
    menuBar()->addMenu(viewMenu_);
    if (hasDocument) {
        menuBar()->addMenu(windowMenu_);
    }
    menuBar()->addMenu(helpMenu_);
}

void CMainFrame::RebuildRecentFilesMenu() {
    recentMenu_->clear();
    RecentFileList* recent = app_->GetRecentFiles();
    // A long path is cut in its middle to half the screen's width, so that the menu stays on
    // the screen with the file's name at its end.
    const QScreen* shownOn = screen();
    const int widest = shownOn != nullptr ? shownOn->availableGeometry().width() / 2 : 640;
    const QFontMetrics metrics(recentMenu_->font());
    int shown = 0;
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        QString name = recent->DisplayName(i);
        if (name.isEmpty()) {
            continue;
        }
        name = metrics.elidedText(name, Qt::ElideMiddle, widest);
        // An ampersand in a name is shown, not taken for a mnemonic.
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(++shown).arg(name));
        item->setData(ID_FILE_MRU_FIRST + i);
        ApplyPrompt(item, ID_FILE_MRU_FIRST);
        connect(item, &QAction::triggered, this, [this, i] { app_->OnOpenRecentFile(i); });
    }
    if (shown == 0) {
        QAction* empty = recentMenu_->addAction(QStringLiteral("Empty"));
        empty->setData(ID_FILE_MRU_FIRST);
        empty->setEnabled(false);
    }
}

void CMainFrame::RebuildDataElementMenu() {
    dataElementMenu_->clear();
    COrdaView* view = ActiveView();
    if (view != nullptr) {
        dataElementMenu_->addActions(view->DataElementMenu()->actions());
    }
    // A submenu once opened without items never opens again: it always keeps one.
    if (dataElementMenu_->isEmpty()) {
        QAction* placeholder = dataElementMenu_->addAction(QString());
        placeholder->setData(ID_DELETE_DATA_ELEMENT);
        placeholder->setEnabled(false);
    }
}

void CMainFrame::UpdateEditCommands() {
    COrdaView* view = ActiveView();
    Action(ID_EDIT_CUT)->setEnabled(view != nullptr && view->CanCut());
    Action(ID_EDIT_COPY)->setEnabled(view != nullptr && view->CanCopy());
    Action(ID_EDIT_PASTE)->setEnabled(view != nullptr && view->CanPaste());
    const struct {
        QAction* action;
        bool enabled;
        const char* command;
        QString step;
        const char* key;
    } undoRedo[] = {{Action(ID_EDIT_UNDO), view != nullptr && view->CanUndo(), "&Undo",
                     view != nullptr ? view->UndoText() : QString(), "Ctrl+Z"},
                    {Action(ID_EDIT_REDO), view != nullptr && view->CanRedo(), "&Redo",
                     view != nullptr ? view->RedoText() : QString(), "Ctrl+Y"}};
    for (const auto& entry : undoRedo) {
        entry.action->setEnabled(entry.enabled);
        entry.action->setText(UndoRedoText(entry.command, entry.step, entry.key));
        // The toolbar button names the step too.
        QString tip = QString::fromLatin1(entry.command).remove(QLatin1Char('&'));
        entry.action->setToolTip(entry.step.isEmpty() ? tip : tip + QLatin1Char(' ') + entry.step);
    }
}

void CMainFrame::ShowAnalysis(uint8_t kind, const TlvNode* node) {
    analysisBar_->show();
    analysisBar_->raise();
    analysisBar_->ShowElement(kind, node);
}

// The window in front keeps its place while another application or a dialog is active.
COrdaView* CMainFrame::CurrentView() const {
    CChildFrame* frame = qobject_cast<CChildFrame*>(mdiArea_->currentSubWindow());
    return frame != nullptr ? frame->View() : nullptr;
}

void CMainFrame::UpdateAnalysis(const QWidget* view, uint8_t kind, const TlvNode* node) {
    if (view == CurrentView()) {
        analysisBar_->ShowElement(kind, node);
    }
}

void CMainFrame::FollowActiveView() {
    if (COrdaView* view = CurrentView()) {
        view->RefreshAnalysis();
    } else if (mdiArea_->subWindowList().isEmpty()) {
        analysisBar_->ShowElement(0, nullptr);
    }
}

void CMainFrame::ShowDescription(int index) {
    if (index != 0) {
        descriptionBar_->show();
        descriptionBar_->raise();
    }
    descriptionBar_->ShowEntry(index);
}

void CMainFrame::OnWindowArrangeIcons() {
    // Qt lines minimised windows up along the bottom as they are minimised; once the user has
    // moved them, this puts them back there, row above row, from the left (from the right in a
    // right-to-left layout). Other windows keep their places.
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    int rowBottom = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (!window->isMinimized() || !window->isVisible() || window->isShaded()) {
            continue;
        }
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        const QRect place(QPoint(x, rowBottom - size.height()), size);
        window->setGeometry(QStyle::visualRect(mdiArea_->layoutDirection(), area, place));
        x += size.width();
        rowHeight = qMax(rowHeight, size.height());
    }
}

void CMainFrame::OnWindowCascade() {
    mdiArea_->cascadeSubWindows();
    // The cascade leaves each window at its size hint, which is hardly more than a title bar:
    // every window takes the size that lets the last one end at the area's corner, but no less
    // than half the area.
    const QSize area = mdiArea_->viewport()->size();
    QPoint furthest;
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (QMdiSubWindow* window : windows) {
        if (!window->isMinimized()) {
            furthest.setX(qMax(furthest.x(), window->x()));
            furthest.setY(qMax(furthest.y(), window->y()));
        }
    }
    const QSize size(qMax(area.width() - furthest.x(), area.width() / 2),
                     qMax(area.height() - furthest.y(), area.height() / 2));
    for (QMdiSubWindow* window : windows) {
        if (!window->isMinimized()) {
            window->resize(size);
        }
    }
}

QMenu* CMainFrame::createPopupMenu() {
    QMenu* menu = QMainWindow::createPopupMenu();
    if (menu == nullptr) {
        menu = new QMenu(this);
    }
    menu->addSeparator();
    menu->addAction(Action(ID_VIEW_CUSTOMIZE));
    return menu;
}

void CMainFrame::OnWindowList() {
    WindowsDialog dialog(mdiArea_, this);
    dialog.exec();
}

void CMainFrame::OnCustomize() {
    CustomizeDialog dialog(toolBar_, toolBarOrder_, this);
    dialog.exec();
}

void CMainFrame::OnFileClose() {
    CChildFrame* active = ActiveChildFrame();
    if (active == nullptr) {
        return;
    }
    // The document closes, with every window of it, after one question.
    COrdaDoc* document = active->Document();
    if (!document->SaveModified(this)) {
        return;
    }
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        CChildFrame* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && frame->Document() == document) {
            frame->CloseAnswered();
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Every document is asked about before any window closes: a Cancel keeps them all.
    QList<COrdaDoc*> asked;
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    for (QMdiSubWindow* window : windows) {
        CChildFrame* frame = qobject_cast<CChildFrame*>(window);
        if (frame == nullptr || asked.contains(frame->Document())) {
            continue;
        }
        asked.append(frame->Document());
        // Documents may share a title ("Untitled"): the one asked about is the one in front.
        if (frame->Document()->IsModified()) {
            mdiArea_->setActiveSubWindow(frame);
        }
        if (!frame->Document()->SaveModified(this)) {
            event->ignore();
            return;
        }
    }
    for (QMdiSubWindow* window : windows) {
        if (CChildFrame* frame = qobject_cast<CChildFrame*>(window)) {
            frame->CloseAnswered();
        } else {
            window->close();
        }
    }
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    SaveLayout();
    // Floating panels go with the window. Qt restores some stored layouts of panels floated
    // together with a group window that a close leaves on screen, and quitting would then try
    // to close it again and again.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible()) {
            child->hide();
        }
    }
    event->accept();
}

// The main window: menus, the "Standard" toolbar, the status bar, the three docking panels and
// the tabbed document area.
#ifndef QUORVEL_APP_MAIN_FRAME_H
#define QUORVEL_APP_MAIN_FRAME_H

#include <QHash>
#include <QMainWindow>

#include "editor/view_interfaces.h"

class CAnalysisBar;
class CChildFrame;
class CDescriptionBar;
class CDictionaryBar;
class COrdaApp;
class COrdaView;
class FileOpenDrop;
class LockIndicators;
class QLabel;
class QMdiArea;
class QMenu;
class QSettings;
class QToolBar;

class CMainFrame : public QMainWindow, public AnalysisTarget {
    Q_OBJECT

public:
    CMainFrame(COrdaApp* app, QSettings* settings);
    ~CMainFrame() override;

    // Shows the Analysis panel, brings it forward and shows the element there.
    void ShowAnalysis(uint8_t kind, const TlvNode* node) override;
    void UpdateAnalysis(const QWidget* view, uint8_t kind, const TlvNode* node) override;
    // Index 0 empties the DE Description panel; any other shows and raises it first.
    void ShowDescription(int index);

    QMdiArea* MdiArea() const { return mdiArea_; }
    CChildFrame* ActiveChildFrame() const;
    COrdaView* ActiveView() const;
    void AddChildFrame(CChildFrame* frame);

    // The action of a command id, or null.
    QAction* Action(int id) const { return actions_.value(id); }
    QMenu* RecentFilesMenu() const { return recentMenu_; }
    QMenu* DataElementMenu() const { return dataElementMenu_; }
    QToolBar* StandardToolBar() const { return toolBar_; }
    CAnalysisBar* AnalysisBar() const { return analysisBar_; }
    CDescriptionBar* DescriptionBar() const { return descriptionBar_; }
    CDictionaryBar* DictionaryBar() const { return dictionaryBar_; }
    int CurrentAppLook() const { return appLook_; }
    void OnApplicationLook(int id);
    // View > Mask Card Numbers: every grid, the Analysis panel, printing and copies show card
    // numbers masked; the choice is stored.
    void OnMaskCardNumbers(bool mask);
    FileOpenDrop* FileDrop() const { return fileDrop_; }

    // Menus as they stand: before any document, or with one open.
    void UpdateMenus();
    // "Quorvel BERTLV", followed by the active document's title.
    void UpdateCaption();
    void RebuildRecentFilesMenu();
    void RebuildDataElementMenu();
    void UpdateEditCommands();

    void SaveLayout();
    LockIndicators* LockPanes() const { return lockIndicators_; }
    // Window > Cascade: overlapping windows that each keep a usable size.
    void OnWindowCascade();
    // Window > Arrange Icons: minimised windows in rows along the bottom of the area.
    void OnWindowArrangeIcons();
    // File > Close: the active document with all its windows.
    void OnFileClose();

    // The toolbar and docking area's right-click menu: every bar, then "Customize...".
    QMenu* createPopupMenu() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QAction* MakeAction(int id, const QString& text, const QKeySequence& shortcut = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void UseThemeIcons();
    void CreateStatusBar();
    void CreateDockingPanels();
    void RestoreLayout();
    // The Analysis panel follows the active document window's selected element.
    void FollowActiveView();
    COrdaView* CurrentView() const;
    void OnWindowList();
    void OnCustomize();

    COrdaApp* app_;
    QSettings* settings_;
    QMdiArea* mdiArea_;
    // The saved panel layout, applied again once the window is shown at its size.
    QByteArray shownState_;
    QHash<int, QAction*> actions_;
    QMenu* fileMenuNoDocument_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* dataElementMenu_ = nullptr;
    QMenu* toolbarsMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    // The toolbar's actions as first made, separators included: where a button goes back.
    QList<QAction*> toolBarOrder_;
    QLabel* messagePane_ = nullptr;
    LockIndicators* lockIndicators_ = nullptr;
    // Column weights of the data element grids, as the user last left them; empty for the
    // grid's own.
    QList<int> elementColumnWeights_;
    CDictionaryBar* dictionaryBar_ = nullptr;
    CDescriptionBar* descriptionBar_ = nullptr;
    CAnalysisBar* analysisBar_ = nullptr;
    FileOpenDrop* fileDrop_ = nullptr;
    int appLook_;
    bool hadDocument_ = false;
};

#endif

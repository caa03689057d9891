// The application object: settings, the recent-file list, the main window, new and opened
// documents.
#ifndef QUORVEL_APP_ORDA_APP_H
#define QUORVEL_APP_ORDA_APP_H

#include <QObject>
#include <QPrinter>
#include <QStringList>
#include <memory>

#include "app/recent_files.h"

class CChildFrame;
class CMainFrame;
class COrdaDoc;
class QSettings;

class COrdaApp : public QObject {
    Q_OBJECT

public:
    // `settings` is the program's settings store; it must outlive the application object.
    explicit COrdaApp(QSettings* settings);
    ~COrdaApp() override;

    // Reads the recent files, creates and shows the main window. No document is opened.
    bool InitInstance();
    // Writes the recent files back.
    void ExitInstance();

    CMainFrame* MainFrame() const { return mainFrame_; }
    RecentFileList* GetRecentFiles() { return &recentFiles_; }
    void AddToRecentFiles(const QString& path) { recentFiles_.Add(path); }

    CChildFrame* OnFileNew();
    void OnFileOpen();
    // Opens a file as a new document, or shows the window of the document that has it open;
    // null when it cannot be read.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Opens each file named on the command line as File > Open would.
    void OpenFiles(const QStringList& paths);
    // The first window of the open document that holds the file at `path`, or null.
    CChildFrame* FindOpenDocument(const QString& path) const;
    void OnOpenRecentFile(int index);
    void OnAppAbout();
    void OnFilePrintSetup();
    // The printer of the session: Print Setup, Print and Print Preview all work on it, so
    // that what the user chose in one holds for the others. Made when first asked for: finding
    // the system's printers would slow down the start.
    QPrinter* Printer();

private:
    COrdaDoc* NewDocument();

    QSettings* settings_;
    RecentFileList recentFiles_;
    // The list as it was before the last file was used, for a save that fails.
    RecentFileList recentBeforeUse_;
    CMainFrame* mainFrame_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

#endif

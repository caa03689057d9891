#include "app/orda_app.h"

#include <errno.h>
#include <string.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <new>

#include "app/about_box.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_doc.h"
#include "platform/prompts.h"

COrdaApp::COrdaApp(QSettings* settings) : settings_(settings) {}

COrdaApp::~COrdaApp() {
    delete mainFrame_;
}

bool COrdaApp::InitInstance() {
    recentFiles_.Read(settings_);
    // Names, hexadecimal bytes and commands are Latin text, which is drawn right without the
    // shaper: with this strategy Qt maps such text straight to glyphs. Shaping every text took
    // a fifth of the instructions the program ran until its window was first drawn. Scripts
    // that need shaping are still shaped. The application's font takes it, not only the main
    // window's: a line edit lays out its text in the application's font before it takes its
    // own, and a font of another strategy loads a font engine of its own.
    // Nor are glyphs hinted: the desktops' default, slight hinting, only snaps glyphs to whole
    // pixels vertically, which shows no difference at these sizes, yet FreeType's automatic
    // hinter first scans every character of the font and then hints each glyph, most of the
    // glyph loading of the first drawing.
    QFont unshaped = QApplication::font();
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    unshaped.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(unshaped);
    mainFrame_ = new CMainFrame(this, settings_);
    // Every window without an icon of its own, the About box among them, shows the program's.
    QApplication::setWindowIcon(mainFrame_->windowIcon());
    mainFrame_->show();
    return true;
}

void COrdaApp::ExitInstance() {
    recentFiles_.Write(settings_);
    settings_->sync();
}

COrdaDoc* COrdaApp::NewDocument() {
    COrdaDoc* document = new COrdaDoc(this);
    connect(document, &COrdaDoc::fileUsed, this, [this](const QString& path) {
        recentBeforeUse_ = recentFiles_;
        AddToRecentFiles(path);
    });
    // A file a failed save never made is not listed, and the entry it pushed off comes back:
    // choosing it could only fail.
    connect(document, &COrdaDoc::fileNotWritten, this, [this](const QString& path) {
        if (!QFileInfo::exists(path)) {
            recentFiles_ = recentBeforeUse_;
            recentFiles_.Remove(path);
        }
    });
    return document;
}

CChildFrame* COrdaApp::OnFileNew() {
    COrdaDoc* document = NewDocument();
    document->OnNewDocument();
    CChildFrame* frame = new CChildFrame(document);
    mainFrame_->AddChildFrame(frame);
    return frame;
}

void COrdaApp::OnFileOpen() {
    OpenFiles(AppPrompts()->AskOpenPaths(mainFrame_, QStringLiteral("TLV Files(*.tlv)")));
}

CChildFrame* COrdaApp::OpenDocumentFile(const QString& path) {
    // A file already open is shown, not read into a second document that could overwrite it.
    if (CChildFrame* open = FindOpenDocument(path)) {
        mainFrame_->MdiArea()->setActiveSubWindow(open);
        return open;
    }
    COrdaDoc* document = NewDocument();
    CChildFrame* frame = new CChildFrame(document);
    if (!document->OnOpenDocument(path)) {
        delete frame;
        return nullptr;
    }
    try {
        mainFrame_->AddChildFrame(frame);
    } catch (const std::bad_alloc&) {
        // Laying out a large pane text is what may need more memory than there is.
        delete frame;
        AppPrompts()->ShowError(mainFrame_,
                                QStringLiteral("Failed to open document.\r\n\r\n%1\r\n%2")
                                    .arg(path, QString::fromLocal8Bit(strerror(ENOMEM))),
                                QString::fromLatin1(kApplicationTitle));
        return nullptr;
    }
    return frame;
}

namespace {

// The file's path with links resolved; a file gone from the disk keeps its absolute path.
QString FileKey(const QString& path) {
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical;
}

}  // namespace

CChildFrame* COrdaApp::FindOpenDocument(const QString& path) const {
    const QString wanted = FileKey(path);
    for (QMdiSubWindow* window : mainFrame_->MdiArea()->subWindowList()) {
        CChildFrame* frame = qobject_cast<CChildFrame*>(window);
        const QString open = frame != nullptr ? frame->Document()->Path() : QString();
        if (!open.isEmpty() && FileKey(open) == wanted) {
            return frame;
        }
    }
    return nullptr;
}

void COrdaApp::OpenFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        if (!path.isEmpty()) {
            OpenDocumentFile(path);
        }
    }
}

void COrdaApp::OnOpenRecentFile(int index) {
    const QString path = recentFiles_.Entry(index);
    if (path.isEmpty()) {
        return;
    }
    // A document stays open when its file is renamed or deleted on the disk: it is shown.
    if (CChildFrame* open = FindOpenDocument(path)) {
        mainFrame_->MdiArea()->setActiveSubWindow(open);
        return;
    }
    if (!QFileInfo::exists(path)) {
        AppPrompts()->ShowError(mainFrame_,
                                QStringLiteral("Failed to open document.\r\n\r\n%1\r\nThe file "
                                               "no longer exists; it is removed from the list.")
                                    .arg(path),
                                QString::fromLatin1(kApplicationTitle));
        recentFiles_.Remove(path);
        return;
    }
    if (OpenDocumentFile(path) == nullptr) {
        recentFiles_.Remove(path);
    }
}

void COrdaApp::OnAppAbout() {
    CAboutDlg about(mainFrame_);
    about.exec();
}

void COrdaApp::OnFilePrintSetup() {
    AppPrompts()->AskPageSetup(mainFrame_, Printer());
}

QPrinter* COrdaApp::Printer() {
    if (!printer_) {
        printer_.reset(new QPrinter);
    }
    return printer_.get();
}

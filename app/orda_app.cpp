#include "app/orda_app.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QSettings>

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
    connect(document, &COrdaDoc::fileUsed, this, &COrdaApp::AddToRecentFiles);
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
    const QString path = AppPrompts()->AskOpenPath(mainFrame_, QStringLiteral("TLV Files(*.tlv)"));
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

CChildFrame* COrdaApp::OpenDocumentFile(const QString& path) {
    COrdaDoc* document = NewDocument();
    CChildFrame* frame = new CChildFrame(document);
    if (!document->OnOpenDocument(path)) {
        delete frame;
        return nullptr;
    }
    mainFrame_->AddChildFrame(frame);
    return frame;
}

void COrdaApp::OnOpenRecentFile(int index) {
    const QString path = recentFiles_.Entry(index);
    if (path.isEmpty()) {
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
    AppPrompts()->AskPageSetup(mainFrame_, &printer_);
}

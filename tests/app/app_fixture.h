// A running application for main-window tests: its settings in a scratch folder, questions and
// messages answered by script, and every document left open closed unmodified afterwards.
#ifndef QUORVEL_TESTS_APP_APP_FIXTURE_H
#define QUORVEL_TESTS_APP_APP_FIXTURE_H

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "editor/orda_view.h"
#include "platform/long_text_edit.h"
#include "platform/scripted_prompts.h"

class AppFixture : public ::testing::Test {
protected:
    AppFixture() : settings_(dir_.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat) {}

    void SetUp() override {
        app_.reset(new COrdaApp(&settings_));
        ASSERT_TRUE(app_->InitInstance());
    }

    void TearDown() override {
        CloseAll();
        app_->ExitInstance();
    }

    // Closes every document without a question.
    void CloseAll() {
        for (QMdiSubWindow* window : Frame()->MdiArea()->subWindowList()) {
            static_cast<CChildFrame*>(window)->Document()->SetModifiedFlag(false);
        }
        Frame()->MdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    }

    CMainFrame* Frame() { return app_->MainFrame(); }

    // A new document whose grid shows `hex`.
    COrdaView* ParsedDocument(const QString& hex) {
        COrdaView* view = app_->OnFileNew()->View();
        view->Pane()->setPlainText(hex);
        view->OnParse();
        return view;
    }

    // A file of the scratch folder holding `bytes`.
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir_;
    QSettings settings_;
    ScriptedPrompts prompts_;
    std::unique_ptr<COrdaApp> app_;
};

#endif

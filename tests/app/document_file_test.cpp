// Documents and their files: what is opened, what is written, and that nothing the user saved
// changes or is lost on the way.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>

#include "app/app_fixture.h"
#include "app/app_ids.h"
#include "app/child_frame.h"
#include "app/file_access.h"
#include "app/main_frame.h"
#include "app/orda_app.h"
#include "app/orda_doc.h"
#include "app/safe_application.h"
#include "app/tlv_file.h"
#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "platform/byte_table.h"
#include "platform/scripted_prompts.h"
#include "support/active_window.h"
#include "support/qt_printers.h"

namespace {

QByteArray FileBytes(const std::string& tree, const std::string& pane) {
    const std::vector<uint8_t> bytes = TlvFileWrite(tree, pane);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool IsFifo(const QString& path) {
    struct stat info;
    return lstat(Local(path).c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool IsLink(const QString& path) {
    struct stat info;
    return lstat(Local(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

class DocumentFileTest : public AppFixture {
protected:
    int WindowCount() { return Frame()->MdiArea()->subWindowList().size(); }

    QString Fifo(const QString& name) {
        const QString path = dir_.filePath(name);
        EXPECT_EQ(mkfifo(Local(path).c_str(), 0600), 0);
        return path;
    }

    QString Link(const QString& name, const QString& target) {
        const QString path = dir_.filePath(name);
        EXPECT_EQ(symlink(Local(target).c_str(), Local(path).c_str()), 0);
        return path;
    }

    // Files a failed save left beside its target.
    QStringList LeftOvers() {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
            .filter(QStringLiteral(".tlv."));
    }

    // The reason line of the last message shown.
    QString LastReason() {
        if (prompts_.History().isEmpty()) {
            return QString();
        }
        return prompts_.History().last().text.split(QStringLiteral("\r\n")).last();
    }
};

TEST(FileAccess, ReadsRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QString path = dir.filePath("eight");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("01234567");
    }
    std::vector<uint8_t> contents;
    std::string reason;
    ASSERT_TRUE(ReadRegularFile(Local(path), 8, &contents, &reason)) << reason;
    EXPECT_EQ(std::string(contents.begin(), contents.end()), "01234567");
    EXPECT_FALSE(ReadRegularFile(Local(path), 7, &contents, &reason));
    EXPECT_EQ(reason, "The file is larger than 7 bytes; no document is that large.");
    EXPECT_FALSE(ReadRegularFile(Local(dir.path()), 8, &contents, &reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_FALSE(ReadRegularFile("/dev/zero", 8, &contents, &reason));
    EXPECT_EQ(reason, "Not a regular file (a device, pipe or socket)");
    EXPECT_FALSE(ReadRegularFile(Local(dir.filePath("missing")), 8, &contents, &reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(kMaxDocumentFileSize, 64u * 1024 * 1024);

    size_t size = 0;
    const int fd = OpenRegularFile(Local(path), 8, &size, &reason);
    ASSERT_GE(fd, 0) << reason;
    EXPECT_EQ(size, 8u);
    uint8_t part[4];
    ASSERT_TRUE(ReadAt(fd, 4, part, 4, &reason)) << reason;
    EXPECT_EQ(std::string(part, part + 4), "4567");
    EXPECT_FALSE(ReadAt(fd, 6, part, 4, &reason));
    EXPECT_EQ(reason, "The file became shorter while it was read.");
    close(fd);
    EXPECT_LT(OpenRegularFile("/dev/zero", 8, &size, &reason), 0);
    EXPECT_EQ(reason, "Not a regular file (a device, pipe or socket)");
}

TEST(FileAccess, AFullDeviceGivesItsReason) {
    const int fd = open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    const uint8_t bytes[4] = {1, 2, 3, 4};
    std::string reason;
    EXPECT_FALSE(WriteAll(fd, bytes, sizeof bytes, &reason));
    close(fd);
    EXPECT_EQ(reason, "No space left on device");
}

TEST(FileAccess, ReplacingKeepsLinksAndModes) {
    QTemporaryDir dir;
    const QString target = dir.filePath("target.tlv");
    const QString link = dir.filePath("link.tlv");
    ASSERT_EQ(symlink("target.tlv", Local(link).c_str()), 0);
    const uint8_t first[3] = {'a', 'b', 'c'};
    std::string reason;
    // A link to nothing yet is not followed into a new file.
    EXPECT_FALSE(ReplaceRegularFile(Local(link), first, 3, &reason));
    ASSERT_TRUE(ReplaceRegularFile(Local(target), first, 3, &reason)) << reason;
    const mode_t mask = umask(0);
    umask(mask);
    struct stat info;
    ASSERT_EQ(stat(Local(target).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
    ASSERT_EQ(chmod(Local(target).c_str(), 0640), 0);

    const uint8_t second[2] = {'x', 'y'};
    ASSERT_TRUE(ReplaceRegularFile(Local(link), second, 2, &reason)) << reason;
    EXPECT_TRUE(IsLink(link));
    EXPECT_EQ(ReadAll(target), "xy");
    ASSERT_EQ(stat(Local(target).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 2);
}

// Runs `work` as a user other than the files' owner, also when the tests run as root; its
// result, or -1 when it could not run.
int AsAnotherUser(const std::function<int()>& work) {
    if (geteuid() != 0) {
        return work();
    }
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        _exit(setgid(65534) == 0 && setuid(65534) == 0 ? work() : 3);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 0 when `bytes` replaced the file, 1 when refused as not permitted, 2 on any other failure.
int Replace(const QString& path, const std::string& bytes) {
    std::string reason;
    const bool replaced = ReplaceRegularFile(
        Local(path), reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &reason);
    return replaced ? 0 : reason == "Permission denied" ? 1 : 2;
}

// A file of `dir` named `name` holding `text`, with the permissions `mode`.
QString FileWithMode(const QTemporaryDir& dir, const char* name, const char* text, mode_t mode) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    EXPECT_EQ(chmod(Local(path).c_str(), mode), 0);
    return path;
}

TEST(FileAccess, AFileTheUserMayNotWriteIsNotReplaced) {
    QTemporaryDir dir;
    const QString path = FileWithMode(dir, "locked.tlv", "old", 0444);
    ASSERT_EQ(chmod(Local(dir.path()).c_str(), 0777), 0);
    EXPECT_EQ(AsAnotherUser([&path] { return Replace(path, "new"); }), 1);
    EXPECT_EQ(ReadAll(path), "old");
}

TEST(FileAccess, AWritableFileInAFolderTakingNoNewFileIsWrittenInPlace) {
    for (const std::string& bytes : {std::string("new"), std::string(100000, 'n')}) {
        QTemporaryDir dir;
        const QString path = FileWithMode(dir, "kept.tlv", "the old contents", 0666);
        ASSERT_EQ(chmod(Local(dir.path()).c_str(), 0555), 0);
        EXPECT_EQ(AsAnotherUser([&] { return Replace(path, bytes); }), 0);
        EXPECT_TRUE(ReadAll(path) == QByteArray::fromStdString(bytes)) << bytes.size();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        // A file not there yet still needs the folder.
        EXPECT_EQ(AsAnotherUser([&] { return Replace(dir.filePath("new.tlv"), bytes); }), 1);
        ASSERT_EQ(chmod(Local(dir.path()).c_str(), 0755), 0);
    }
}

TEST(FileAccess, AnInPlaceWriteThatFailsSaysSoOrLeavesTheFileAsItWas) {
    // Under a file size limit of 1024 bytes: growing the file fails before any byte changes;
    // writing past the limit inside a larger file fails half way, and so does putting the old
    // contents back.
    const struct {
        const char* name;
        std::string old;
        std::string bytes;
        const char* reason;
        bool unchanged;  // known to be: the second case's is whatever the limit let through
    } cases[] = {
        {"growing", "the old contents", std::string(4096, 'n'), "File too large", true},
        {"inside", std::string(4096, 'o'), std::string(2048, 'n'),
         "File too large. The file was written over in place and may be incomplete.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = FileWithMode(dir, "kept.tlv", c.old.c_str(), 0666);
        ASSERT_EQ(chmod(Local(dir.path()).c_str(), 0555), 0);
        const int outcome = AsAnotherUser([&] {
            struct rlimit limit = {1024, 1024};
            signal(SIGXFSZ, SIG_IGN);
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return 3;
            }
            std::string reason;
            const bool replaced =
                ReplaceRegularFile(Local(path), reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                   c.bytes.size(), &reason);
            return !replaced && reason == c.reason ? 0 : 2;
        });
        EXPECT_EQ(outcome, 0);
        if (c.unchanged) {
            EXPECT_TRUE(ReadAll(path) == QByteArray::fromStdString(c.old));
        }
        ASSERT_EQ(chmod(Local(dir.path()).c_str(), 0755), 0);
    }
}

TEST(SafeApplication, AnAllocationFailureWhileHandlingAnEventIsReported) {
    ScriptedPrompts prompts;
    EXPECT_FALSE(DeliverReportingOutOfMemory([]() -> bool { throw std::bad_alloc(); }));
    ASSERT_EQ(prompts.History().size(), 1);
    EXPECT_EQ(prompts.History()[0].text,
              "There is not enough memory to complete the operation.\r\n\r\nSave your "
              "documents.");
    EXPECT_TRUE(DeliverReportingOutOfMemory([] { return true; }));
    EXPECT_EQ(prompts.History().size(), 1);
}

TEST_F(DocumentFileTest, APipeIsRefusedWithoutWaitingForAWriter) {
    // Should the open wait for a writer, the alarm ends the test program.
    const QString fifo = Fifo("pipe.tlv");
    const QString link = Link("pipe-link.tlv", fifo);
    alarm(20);
    EXPECT_EQ(app_->OpenDocumentFile(fifo), nullptr);
    EXPECT_EQ(LastReason(), "Not a regular file (a device, pipe or socket)");
    EXPECT_EQ(app_->OpenDocumentFile(link), nullptr);
    alarm(0);
    ASSERT_EQ(prompts_.History().size(), 2);
    EXPECT_TRUE(prompts_.History()[0].text.startsWith("Failed to open document.\r\n\r\n"));
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(DocumentFileTest, OnlyRegularFilesOfAtMost64MiBOpen) {
    const QString big = dir_.filePath("big.tlv");
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(64 * 1024 * 1024 + 1));
    }
    const struct {
        QString path;
        const char* reason;
    } refused[] = {
        {"/dev/null", "Not a regular file (a device, pipe or socket)"},
        {dir_.path(), "Is a directory"},
        {big, "The file is larger than 64 MiB; no document is that large."},
        {dir_.filePath("missing.tlv"), "No such file or directory"},
    };
    for (const auto& file : refused) {
        prompts_.Clear();
        EXPECT_EQ(app_->OpenDocumentFile(file.path), nullptr) << file.path.toStdString();
        ASSERT_EQ(prompts_.History().size(), 1);
        EXPECT_EQ(prompts_.History()[0].text,
                  QStringLiteral("Failed to open document.\r\n\r\n%1\r\n%2")
                      .arg(file.path, QString::fromLatin1(file.reason)));
    }
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(DocumentFileTest, AFileOpenedAndSavedIsUnchangedByteForByte) {
    std::string pane;
    for (int byte = 1; byte <= 0xFF; ++byte) {
        pane += static_cast<char>(byte);
    }
    pane += "\r\n5a 02\r12\xA0 34\r\n\r";
    const QByteArray original = FileBytes("70075A02123400FF00", pane);
    const QString path = WriteFile("every-byte.tlv", original);
    CChildFrame* frame = app_->OpenDocumentFile(path);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->Document()->Save(frame));
    EXPECT_EQ(ReadAll(path), original);

    const QString copy = dir_.filePath("copy.tlv");
    prompts_.QueuePath(copy);
    ASSERT_TRUE(frame->Document()->SaveAs(frame));
    EXPECT_EQ(ReadAll(copy), original);
    EXPECT_TRUE(prompts_.History().isEmpty());
}

TEST_F(DocumentFileTest, ALargePaneTextOpensWholeAndSavesUnchanged) {
    // Read in parts: a CR LF and a long line straddle part boundaries, lines end in CR LF, CR
    // and LF, and the text ends at its first zero byte.
    std::string pane;
    for (int i = 0; pane.size() < 65535; ++i) {
        pane += "0123456789ABCDEF"[i % 16];
    }
    pane += "\r\n";
    for (int line = 0; pane.size() < 200000; ++line) {
        pane += std::string(static_cast<size_t>(line % 90), 'A') + (line % 2 ? "\r\n" : "\r");
    }
    pane += std::string(70000, '5') + "\n";
    const std::string kept = pane;
    pane += std::string("\0", 1) + "after the zero";
    const QString path = WriteFile("large.tlv", FileBytes("5A021234", pane));
    CChildFrame* frame = app_->OpenDocumentFile(path);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->View()->PaneText() == QString::fromStdString(kept));
    EXPECT_EQ(frame->View()->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_TLV).Value(), "5A021234");
    ASSERT_TRUE(frame->Document()->Save(frame));
    EXPECT_TRUE(ReadAll(path) == FileBytes("5A021234", kept));
    EXPECT_TRUE(prompts_.History().isEmpty());
}

TEST_F(DocumentFileTest, SavingRefusesWhatIsNotARegularFile) {
    const QString fifo = Fifo("target-pipe.tlv");
    const QString link = Link("link-to-pipe.tlv", fifo);
    QStringList targets = {fifo, link};
    const QString device = dir_.filePath("null-device.tlv");
    if (mknod(Local(device).c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        targets << device;
    }
    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("5A021234"));
    for (const QString& target : targets) {
        prompts_.Clear();
        prompts_.QueuePath(target);
        EXPECT_FALSE(frame->Document()->SaveAs(frame)) << target.toStdString();
        ASSERT_EQ(prompts_.History().size(), 1);
        EXPECT_TRUE(prompts_.History()[0].text.startsWith("Failed to save document.\r\n\r\n"));
        EXPECT_EQ(LastReason(), "Not a regular file (a device, pipe or socket)");
        EXPECT_TRUE(frame->Document()->IsModified());
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_TRUE(IsLink(link));
    struct stat info;
    if (targets.contains(device)) {
        ASSERT_EQ(lstat(Local(device).c_str(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode));
    }
    EXPECT_TRUE(LeftOvers().isEmpty()) << LeftOvers().join(' ').toStdString();
}

TEST_F(DocumentFileTest, AWriteFailureNamesTheSystemsReason) {
    const QByteArray old = FileBytes("5A021234", "old");
    const QString path = WriteFile("limited.tlv", old);
    CChildFrame* frame = app_->OpenDocumentFile(path);
    ASSERT_NE(frame, nullptr);
    frame->View()->Pane()->setPlainText(QString(4096, QLatin1Char('A')));

    // A file size limit makes the write fail the way a full disk does, with its own reason.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limit = saved;
    limit.rlim_cur = 1024;
    void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool saved_ok = frame->Document()->Save(frame);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(LastReason(), "File too large");
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_TRUE(frame->Document()->IsModified());
    EXPECT_TRUE(LeftOvers().isEmpty()) << LeftOvers().join(' ').toStdString();
}

TEST_F(DocumentFileTest, AFileAlreadyOpenIsShownNotOpenedAgain) {
    const QString path = WriteFile("once.tlv", FileBytes("5A021234", "5A021234"));
    CChildFrame* first = app_->OpenDocumentFile(path);
    ASSERT_NE(first, nullptr);
    first->View()->Pane()->setPlainText(QStringLiteral("edited"));
    app_->OnFileNew();
    const QString viaLink = Link("alias.tlv", path);
    const QString relative = QDir::current().relativeFilePath(path);
    for (const QString& again : {path, viaLink, relative}) {
        EXPECT_EQ(app_->OpenDocumentFile(again), first) << again.toStdString();
        EXPECT_EQ(Frame()->ActiveChildFrame(), first);
    }
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(first->View()->PaneText(), "edited");
}

TEST_F(DocumentFileTest, SaveAsGivesANameWithoutExtensionTheDocumentsOne) {
    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("abc"));
    prompts_.QueuePath(dir_.filePath("plain"));
    ASSERT_TRUE(frame->Document()->SaveAs(frame));
    EXPECT_EQ(ReadAll(dir_.filePath("plain.tlv")), FileBytes("", "abc"));
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("plain")));
    EXPECT_EQ(frame->windowTitle(), "plain.tlv");

    // The extension added names a file that exists: the user is asked before it is replaced.
    frame->View()->Pane()->setPlainText(QStringLiteral("def"));
    prompts_.QueuePath(dir_.filePath("plain"));
    EXPECT_FALSE(frame->Document()->SaveAs(frame));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text,
              "plain.tlv already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(ReadAll(dir_.filePath("plain.tlv")), FileBytes("", "abc"));
    prompts_.QueuePath(dir_.filePath("plain"));
    prompts_.QueueAnswer(true);
    EXPECT_TRUE(frame->Document()->SaveAs(frame));
    EXPECT_EQ(ReadAll(dir_.filePath("plain.tlv")), FileBytes("", "def"));

    prompts_.QueuePath(dir_.filePath("other.data"));
    EXPECT_TRUE(frame->Document()->SaveAs(frame));
    EXPECT_TRUE(QFileInfo::exists(dir_.filePath("other.data")));

    // A full name of a file that exists is asked about the same way.
    frame->View()->Pane()->setPlainText(QStringLiteral("ghi"));
    prompts_.Clear();
    prompts_.QueuePath(dir_.filePath("plain.tlv"));
    EXPECT_FALSE(frame->Document()->SaveAs(frame));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_TRUE(prompts_.History()[0].question);
    EXPECT_EQ(ReadAll(dir_.filePath("plain.tlv")), FileBytes("", "def"));
}

// The file's text is 8-bit: a character beyond Latin-1 is saved only once the user agrees that
// it becomes "?"; answered No, nothing is written and the changes stay unsaved.
TEST_F(DocumentFileTest, SavingCharactersBeyondLatin1AsksFirst) {
    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("5A021234 # caf\u00E9"));
    prompts_.QueuePath(dir_.filePath("latin.tlv"));
    ASSERT_TRUE(frame->Document()->SaveAs(frame));
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(ReadAll(dir_.filePath("latin.tlv")), FileBytes("", "5A021234 # caf\xE9"));

    frame->View()->Pane()->setPlainText(QStringLiteral("5A021234 # \u20AC \U0001F44D"));
    prompts_.QueueAnswer(false);
    EXPECT_FALSE(frame->Document()->Save(frame));
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_TRUE(prompts_.History()[0].question);
    EXPECT_EQ(prompts_.History()[0].text,
              "The encoded data holds characters that a .tlv file cannot store: each of them is "
              "saved as \"?\".\r\n\r\nDo you want to save anyway?");
    EXPECT_EQ(ReadAll(dir_.filePath("latin.tlv")), FileBytes("", "5A021234 # caf\xE9"));
    EXPECT_TRUE(frame->Document()->IsModified());

    prompts_.QueueAnswer(true);
    EXPECT_TRUE(frame->Document()->Save(frame));
    EXPECT_EQ(ReadAll(dir_.filePath("latin.tlv")), FileBytes("", "5A021234 # ? ?"));
    EXPECT_FALSE(frame->Document()->IsModified());
}

TEST_F(DocumentFileTest, SaveAsRefusesAFolderAndAFileOpenInAnotherDocument) {
    const QString open = WriteFile("open.tlv", FileBytes("5A021234", "5A021234"));
    ASSERT_NE(app_->OpenDocumentFile(open), nullptr);
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.tlv")));
    CChildFrame* frame = app_->OnFileNew();
    frame->View()->Pane()->setPlainText(QStringLiteral("abc"));
    const struct {
        QString path;
        QString message;
    } cases[] = {
        // Typed with and without the extension.
        {open,
         "open.tlv is open in another window.\r\nClose it before saving this document "
         "under its name."},
        {dir_.filePath("open"),
         "open.tlv is open in another window.\r\nClose it before saving "
         "this document under its name."},
        {dir_.filePath("folder"),
         "Failed to save document.\r\n\r\n" + dir_.filePath("folder.tlv") + "\r\nIs a directory"},
    };
    for (const auto& c : cases) {
        const int shown = prompts_.History().size();
        prompts_.QueuePath(c.path);
        EXPECT_FALSE(frame->Document()->SaveAs(frame)) << c.path.toStdString();
        // One message and no question whether to replace.
        ASSERT_EQ(prompts_.History().size(), shown + 1) << c.path.toStdString();
        EXPECT_FALSE(prompts_.History().back().question);
        EXPECT_EQ(prompts_.History().back().text, c.message);
        EXPECT_EQ(frame->Document()->Path(), "");
    }
    EXPECT_EQ(ReadAll(open), FileBytes("5A021234", "5A021234"));
    EXPECT_TRUE(QFileInfo(dir_.filePath("folder.tlv")).isDir());
    // Also when the open document's file has gone from the disk.
    ASSERT_TRUE(QFile::remove(open));
    prompts_.QueuePath(open);
    EXPECT_FALSE(frame->Document()->SaveAs(frame));
    EXPECT_EQ(prompts_.History().back().text,
              "open.tlv is open in another window.\r\nClose it before saving this document "
              "under its name.");
    EXPECT_FALSE(QFileInfo::exists(open));
}

TEST_F(DocumentFileTest, FileCloseClosesEveryWindowOfTheActiveDocumentAfterOneQuestion) {
    const QString kept = WriteFile("kept.tlv", FileBytes("5A021234", "5A021234"));
    const QString path = WriteFile("closed.tlv", FileBytes("5A021234", "5A021234"));
    ASSERT_NE(app_->OpenDocumentFile(kept), nullptr);
    CChildFrame* first = app_->OpenDocumentFile(path);
    ASSERT_NE(first, nullptr);
    first->View()->Pane()->setPlainText(QStringLiteral("5A025678"));
    Frame()->Action(ID_WINDOW_NEW)->trigger();
    ASSERT_EQ(WindowCount(), 3);
    // Cancel keeps both windows; No closes both, the other document stays.
    prompts_.QueueThreeWayAnswer(Prompts::kCancel);
    Frame()->Action(ID_FILE_CLOSE)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(WindowCount(), 3);
    prompts_.QueueThreeWayAnswer(Prompts::kNo);
    Frame()->Action(ID_FILE_CLOSE)->trigger();
    QApplication::processEvents();
    ASSERT_EQ(WindowCount(), 1);
    EXPECT_EQ(prompts_.History().size(), 2);
    EXPECT_EQ(prompts_.History().back().text, "Save changes to closed.tlv?");
    EXPECT_EQ(Frame()->ActiveChildFrame()->Document()->Path(), QFileInfo(kept).absoluteFilePath());
    EXPECT_EQ(ReadAll(path), FileBytes("5A021234", "5A021234"));
}

// Saving writes the first window only: closing after Yes asks again before the changes of a
// further window are lost, and No keeps every window open.
TEST_F(DocumentFileTest, ClosingAfterASaveAsksBeforeAFurtherWindowsChangesAreLost) {
    const QString path = WriteFile("two.tlv", FileBytes("5A021234", "5A021234"));
    CChildFrame* first = app_->OpenDocumentFile(path);
    ASSERT_NE(first, nullptr);
    Frame()->Action(ID_WINDOW_NEW)->trigger();
    CChildFrame* second = Frame()->ActiveChildFrame();
    ASSERT_NE(second, first);
    second->View()->ReplacePaneText(QStringLiteral("9F36020001"));
    second->View()->OnParse();
    first->View()->ReplacePaneText(QStringLiteral("5A025678"));

    prompts_.QueueThreeWayAnswer(Prompts::kYes);
    prompts_.QueueAnswer(false);
    Frame()->Action(ID_FILE_CLOSE)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(WindowCount(), 2);
    ASSERT_EQ(prompts_.History().size(), 2);
    EXPECT_EQ(prompts_.History()[1].text,
              "two.tlv was saved with what its first window holds. The changes in its other "
              "windows are not saved and will be lost.\r\n\r\nDo you want to close it anyway?");
    EXPECT_EQ(ReadAll(path), FileBytes("5A021234", "5A025678"));
    EXPECT_EQ(second->View()->PaneText(), "9F36020001");

    prompts_.QueueThreeWayAnswer(Prompts::kYes);
    prompts_.QueueAnswer(true);
    Frame()->Action(ID_FILE_CLOSE)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(DocumentFileTest, WindowsOfOneDocumentAreNumbered) {
    const QString path = WriteFile("numbered.tlv", FileBytes("5A021234", "5A021234"));
    CChildFrame* first = app_->OpenDocumentFile(path);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->windowTitle(), "numbered.tlv");
    Frame()->Action(ID_WINDOW_NEW)->trigger();
    CChildFrame* second = Frame()->ActiveChildFrame();
    ASSERT_NE(second, first);
    EXPECT_EQ(first->windowTitle(), "numbered.tlv:1");
    EXPECT_EQ(second->windowTitle(), "numbered.tlv:2");
    EXPECT_EQ(Frame()->windowTitle(), "Quorvel BERTLV - numbered.tlv:2");
    first->View()->Pane()->setPlainText(QStringLiteral("5A025678"));
    EXPECT_EQ(first->windowTitle(), "numbered.tlv:1 *");
    EXPECT_EQ(second->windowTitle(), "numbered.tlv:2 *");
    EXPECT_TRUE(second->close());
    QApplication::processEvents();
    EXPECT_EQ(first->windowTitle(), "numbered.tlv *");
}

TEST_F(DocumentFileTest, FilesNamedOnTheCommandLineOrChosenTogetherOpen) {
    const QString first = WriteFile("first.tlv", FileBytes("5A021234", "5A021234"));
    const QString second = WriteFile("second.tlv", FileBytes("9F4D00", ""));
    const std::function<void(const QStringList&)> ways[] = {
        [this](const QStringList& paths) { app_->OpenFiles(paths); },
        [this](const QStringList& paths) {
            prompts_.QueuePaths(paths);
            Frame()->Action(ID_FILE_OPEN)->trigger();
        },
    };
    for (const auto& open : ways) {
        open({first, dir_.filePath("missing.tlv"), second});
        ASSERT_EQ(WindowCount(), 2);
        EXPECT_EQ(Frame()->ActiveChildFrame()->windowTitle(), "second.tlv");
        ASSERT_EQ(prompts_.History().size(), 1);
        EXPECT_TRUE(prompts_.History()[0].text.startsWith("Failed to open document."));
        CloseAll();
        prompts_.Clear();
    }
}

TEST_F(DocumentFileTest, SaveAndCloseApplyTheValueBeingTyped) {
    ASSERT_TRUE(ShowActive(Frame()));
    const QString path = WriteFile("typed.tlv", FileBytes("5A021234", ""));
    CChildFrame* frame = app_->OpenDocumentFile(path);
    ASSERT_NE(frame, nullptr);
    const auto type = [frame](const QString& text) {
        GridCtrl* grid = frame->View()->Grid();
        grid->SelectItem(grid->GetRow(0)->Item(ELEMENT_COLUMN_VALUE));
        grid->editItem(grid->GetRow(0), ELEMENT_COLUMN_VALUE);
        QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
    };
    type(QStringLiteral("5678"));
    Frame()->Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(ReadAll(path), FileBytes("5A025678", ""));

    type(QStringLiteral("9999"));
    prompts_.QueueThreeWayAnswer(Prompts::kCancel);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(prompts_.History().size(), 1);
    EXPECT_EQ(prompts_.History()[0].text, "Save changes to typed.tlv?");
    EXPECT_EQ(frame->View()->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_TLV).Value(), "5A029999");
}

TEST_F(DocumentFileTest, ClosingTheFirstWindowOfADocumentKeepsItsData) {
    struct Case {
        const char* name;
        QString otherPane;  // typed into the further window before the first one closes
        int otherMode;      // the further window's display mode
        QList<Prompts::Answer> answers;
        QByteArray afterClose;  // the file once the first window closed
        bool closes;
    };
    const QByteArray original = FileBytes("5A021234", "5A021234");
    const QByteArray edited = FileBytes("5A025678", "5A021234");
    const Case cases[] = {
        {"an empty further window takes the data",
         QString(),
         DISPLAY_MODE_EDIT,
         {},
         original,
         true},
        {"also one showing a byte table", QString(), DISPLAY_MODE_16_BYTES, {}, original, true},
        // A window with text of its own cannot take the data: the question comes as for the
        // last window.
        {"saved first", QStringLiteral("9F4D00"), DISPLAY_MODE_EDIT, {Prompts::kYes}, edited, true},
        {"dropped", QStringLiteral("9F4D00"), DISPLAY_MODE_EDIT, {Prompts::kNo}, original, true},
        {"kept open",
         QStringLiteral("9F4D00"),
         DISPLAY_MODE_EDIT,
         {Prompts::kCancel},
         original,
         false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const QString path = WriteFile("shared.tlv", original);
        CChildFrame* first = app_->OpenDocumentFile(path);
        ASSERT_NE(first, nullptr);
        const GridItem value = first->View()->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_VALUE);
        value.SetValue(QStringLiteral("5678"));
        first->View()->ApplyEditToCell(value, ELEMENT_COLUMN_VALUE);
        Frame()->Action(ID_WINDOW_NEW)->trigger();
        ASSERT_EQ(WindowCount(), 2);
        CChildFrame* other = Frame()->ActiveChildFrame();
        ASSERT_NE(other, first);
        COrdaView* view = other->View();
        view->ModeList()->setCurrentIndex(test.otherMode);
        view->OnDisplayModeChange();
        if (!test.otherPane.isEmpty()) {
            view->ReplacePaneText(test.otherPane);
        }
        for (Prompts::Answer answer : test.answers) {
            prompts_.QueueThreeWayAnswer(answer);
        }
        EXPECT_EQ(first->close(), test.closes);
        QApplication::processEvents();
        EXPECT_EQ(ReadAll(path), test.afterClose);
        EXPECT_EQ(prompts_.History().size(), test.answers.size());
        if (!test.closes) {
            EXPECT_EQ(WindowCount(), 2);
            prompts_.Clear();
            CloseAll();
            continue;
        }
        ASSERT_EQ(WindowCount(), 1);
        // What the window left holds is not what the file holds: an edit undone there leaves
        // the document modified, and closing it asks.
        EXPECT_TRUE(other->windowTitle().endsWith(" *")) << other->windowTitle().toStdString();
        if (test.otherPane.isEmpty()) {
            EXPECT_EQ(view->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_VALUE).Value(), "5678");
            if (test.otherMode != DISPLAY_MODE_EDIT) {
                EXPECT_EQ(view->ByteTable(test.otherMode)->Model()->rowCount(), 1);
            }
            const GridItem again = view->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_VALUE);
            again.SetValue(QStringLiteral("9999"));
            view->ApplyEditToCell(again, ELEMENT_COLUMN_VALUE);
            view->UndoStack()->undo();
        }
        EXPECT_TRUE(other->Document()->IsModified());
        prompts_.QueueThreeWayAnswer(Prompts::kNo);
        prompts_.Clear();
        EXPECT_TRUE(other->close());
        EXPECT_EQ(prompts_.History().size(), 1);
        QApplication::processEvents();
        prompts_.Clear();
        CloseAll();
    }
}

TEST_F(DocumentFileTest, TheDocumentStaysModifiedWhileAnyWindowHoldsUnsavedChanges) {
    const QByteArray original = FileBytes("5A021234", "5A021234");
    const QByteArray edited = FileBytes("5A025678", "5A021234");
    const QString path = WriteFile("windows.tlv", original);
    CChildFrame* first = app_->OpenDocumentFile(path);
    ASSERT_NE(first, nullptr);
    COrdaDoc* document = first->Document();
    Frame()->Action(ID_WINDOW_NEW)->trigger();
    CChildFrame* other = Frame()->ActiveChildFrame();
    ASSERT_NE(other, first);
    const auto modified = [document, first, &other] {
        const bool marked = first->windowTitle().endsWith(" *");
        EXPECT_EQ(other->windowTitle().endsWith(" *"), marked);
        EXPECT_EQ(document->IsModified(), marked);
        return marked;
    };
    other->View()->ReplacePaneText(QStringLiteral("9F4D00"));
    EXPECT_TRUE(modified());

    // Undoing the first window back to the file leaves the further window's text unsaved.
    const GridItem value = first->View()->Grid()->GetRow(0)->Item(ELEMENT_COLUMN_VALUE);
    value.SetValue(QStringLiteral("5678"));
    first->View()->ApplyEditToCell(value, ELEMENT_COLUMN_VALUE);
    first->View()->UndoStack()->undo();
    EXPECT_TRUE(modified());
    // Saving writes the first window's data; the further window's text, which no save writes,
    // keeps the document modified as long as that window is open.
    first->View()->UndoStack()->redo();
    EXPECT_TRUE(document->Save(other));
    EXPECT_EQ(ReadAll(path), edited);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(other->close());
    QApplication::processEvents();
    EXPECT_TRUE(prompts_.History().isEmpty());
    other = first;
    EXPECT_FALSE(modified());

    // Closing an unchanged first window asks nothing, even when a further window with text of
    // its own cannot take its data; that window's text differs from the file.
    Frame()->Action(ID_WINDOW_NEW)->trigger();
    other = Frame()->ActiveChildFrame();
    other->View()->ReplacePaneText(QStringLiteral("9F4D00"));
    EXPECT_TRUE(first->close());
    QApplication::processEvents();
    EXPECT_TRUE(prompts_.History().isEmpty());
    EXPECT_EQ(ReadAll(path), edited);
    EXPECT_TRUE(other->windowTitle().endsWith(" *"));
    EXPECT_TRUE(document->IsModified());
    CloseAll();
}

TEST_F(DocumentFileTest, ATreeTextThatDoesNotParseIsWrittenBackAsItWas) {
    const char* const trees[] = {
        "5A0212345A021234",    // two elements
        "70075A0212340xFF00",  // a character that ends the digits
        "5A03123",             // cut short
    };
    for (const char* tree : trees) {
        SCOPED_TRACE(tree);
        const QByteArray original = FileBytes(tree, "5A021234");
        const QString path = WriteFile("unread.tlv", original);
        CChildFrame* frame = app_->OpenDocumentFile(path);
        ASSERT_NE(frame, nullptr);
        COrdaView* view = frame->View();
        EXPECT_EQ(view->Grid()->GetRow(0), nullptr);
        EXPECT_FALSE(frame->Document()->IsModified());
        EXPECT_TRUE(frame->Document()->Save(frame));
        EXPECT_EQ(ReadAll(path), original);
        // A tree parsed from the pane takes its place; undone, the stored text comes back.
        view->OnParse();
        EXPECT_TRUE(frame->Document()->Save(frame));
        EXPECT_EQ(ReadAll(path), FileBytes("5A021234", "5A021234"));
        view->UndoStack()->undo();
        EXPECT_TRUE(frame->Document()->Save(frame));
        EXPECT_EQ(ReadAll(path), original);
        CloseAll();
    }
}

}  // namespace

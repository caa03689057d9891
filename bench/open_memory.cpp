// Memory that opening a document file costs: the peak resident set while the file opens into a
// shown view, above the resident set just before, against the file's size.
//   open_memory ours|plain MIB line|crlf|tree
// writes a document whose pane text is MIB MiB of hexadecimal digits, as one line or as lines
// of 64 digits ending in CR LF, then opens it: "ours" through the document into the editor
// view, "plain" by reading the file and setting the pane text into a plain QPlainTextEdit.
// With "tree" the digits are the stored tree instead, one that does not parse, and the pane
// text is short. One opening per process, so that nothing freed earlier hides what the opening
// takes.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "app/orda_doc.h"
#include "app/tlv_file.h"
#include "editor/orda_view.h"
#include "platform/scripted_prompts.h"

namespace {

// A field of /proc/self/status in kB.
long StatusKb(const char* field) {
    FILE* status = fopen("/proc/self/status", "r");
    long value = -1;
    char line[256];
    while (status != nullptr && fgets(line, sizeof line, status) != nullptr) {
        if (strncmp(line, field, strlen(field)) == 0) {
            value = atol(line + strlen(field) + 1);
        }
    }
    if (status != nullptr) {
        fclose(status);
    }
    return value;
}

// The peak resident set starts again from the current one.
void ResetPeak() {
    FILE* refs = fopen("/proc/self/clear_refs", "w");
    if (refs != nullptr) {
        fputs("5", refs);
        fclose(refs);
    }
}

void WriteLength(QFile* file, uint32_t length) {
    const char bytes[4] = {static_cast<char>(length), static_cast<char>(length >> 8),
                           static_cast<char>(length >> 16), static_cast<char>(length >> 24)};
    file->write(bytes, 4);
}

// Streams the file in small pieces: no buffer of its size is ever held here.
qint64 WriteDocument(const QString& path, long mebibytes, bool crlf, bool tree) {
    static const char kDigits[] = "0123456789ABCDEF";
    const long digits = mebibytes * 1024 * 1024;
    const long lines = crlf ? digits / 64 : 1;
    const uint32_t textLength = static_cast<uint32_t>(digits + (crlf ? 2 * lines : 0));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return -1;
    }
    file.write(reinterpret_cast<const char*>(TLV_FILE_MAGIC), sizeof TLV_FILE_MAGIC);
    if (tree) {
        WriteLength(&file, textLength);
    } else {
        WriteLength(&file, 8);
        file.write("5A021234", 8);
        WriteLength(&file, textLength);
    }
    std::string piece;
    long written = 0;
    while (written < digits) {
        piece.clear();
        for (int i = 0; i < 64 && written < digits; ++i, ++written) {
            piece += kDigits[written % 16];
        }
        if (crlf) {
            piece += "\r\n";
        }
        file.write(piece.data(), static_cast<qint64>(piece.size()));
    }
    if (tree) {
        WriteLength(&file, 8);
        file.write("5A021234", 8);
    }
    return file.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: open_memory ours|plain MIB line|crlf|tree\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const bool ours = strcmp(argv[1], "ours") == 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("document.tlv"));
    const qint64 size = WriteDocument(path, atol(argv[2]), strcmp(argv[3], "crlf") == 0,
                                      strcmp(argv[3], "tree") == 0);

    ScriptedPrompts prompts;
    COrdaDoc document;
    COrdaView view;
    QPlainTextEdit plain;
    plain.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    plain.setWordWrapMode(QTextOption::WrapAnywhere);
    QWidget* shown = ours ? static_cast<QWidget*>(&view) : &plain;
    document.AddView(&view);
    shown->resize(1000, 700);
    shown->show();
    QApplication::processEvents();

    const long before = StatusKb("VmRSS:");
    ResetPeak();
    if (ours) {
        document.OnOpenDocument(path);
    } else {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        TlvFileLayout layout;
        TlvFileReadLayout(
            static_cast<uint64_t>(bytes.size()),
            [&bytes](uint64_t offset, size_t length, uint8_t* out) {
                memcpy(out, bytes.constData() + offset, length);
                return true;
            },
            &layout);
        const char* pane = bytes.constData() + layout.paneOffset;
        plain.setPlainText(QString::fromLatin1(pane, static_cast<qsizetype>(layout.paneLength)));
    }
    QApplication::processEvents();
    const long peak = StatusKb("VmHWM:");
    const long after = StatusKb("VmRSS:");

    const double sizeKb = static_cast<double>(size) / 1024;
    printf("%-5s %5.1f MiB %-4s file: peak +%.1f MiB (%.2f x the file), kept +%.1f MiB (%.2f x)\n",
           argv[1], sizeKb / 1024, argv[3], (peak - before) / 1024.0, (peak - before) / sizeKb,
           (after - before) / 1024.0, (after - before) / sizeKb);
    return 0;
}

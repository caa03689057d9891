// The encoded data pane with megabytes, offscreen, in pairs: ours (the view's LongTextEdit, or
// the view and document themselves) next to a reference doing the same with a plain
// QPlainTextEdit that wraps anywhere and takes its text in one block. Every round ends with the
// event loop's next round, which lays out and paints what changed. Run with repetitions and
// random interleaving; the run ends with the ratio of our time to the reference's per pair.
//
// - Paste: 64 KiB of hexadecimal text from the clipboard into an empty pane.
// - Keystroke: one typed character in the middle of 1 MiB of data (2 Mi hexadecimal digits).
// - Display modes: the view switches from a byte table to Edit Mode with 1 MiB in the pane, and
//   from Edit Mode to a byte table with 1 MiB typed (white space included, so the pane takes
//   the normalised text); the reference does the same to its editor (PlainModeChange).
// - Open: a document file holding 1 MiB of data as pane text opens into the view; the
//   reference reads the file and sets its pane text.
#include <benchmark/benchmark.h>
#include <string.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <string>
#include <vector>

#include "app/orda_doc.h"
#include "app/tlv_file.h"
#include "bench/paired_reporter.h"
#include "core/hex_text.h"
#include "editor/orda_view.h"
#include "platform/scripted_prompts.h"

namespace {

const int kWidth = 1000;
const int kHeight = 700;

// `bytes` bytes as hexadecimal text, two digits each.
QString HexText(int bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    QString text(bytes * 2, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i) {
        text[2 * i] = QLatin1Char(kDigits[(i >> 4) & 0x0F]);
        text[2 * i + 1] = QLatin1Char(kDigits[i & 0x0F]);
    }
    return text;
}

const QString& Megabyte() {
    static const QString text = HexText(1024 * 1024);
    return text;
}

QPlainTextEdit* PlainEditor() {
    QPlainTextEdit* editor = new QPlainTextEdit;
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor->setWordWrapMode(QTextOption::WrapAnywhere);
    editor->resize(kWidth, 100);
    editor->show();
    return editor;
}

LongTextEdit* OurEditor() {
    LongTextEdit* editor = new LongTextEdit;
    editor->resize(kWidth, 100);
    editor->show();
    return editor;
}

void Paste(benchmark::State& state, QPlainTextEdit* editor) {
    QApplication::clipboard()->setText(HexText(32 * 1024));
    for (auto _ : state) {
        state.PauseTiming();
        editor->clear();
        QApplication::processEvents();
        state.ResumeTiming();
        editor->paste();
        QApplication::processEvents();
    }
    delete editor;
}

void BM_Paste64KiB_Ours(benchmark::State& state) {
    Paste(state, OurEditor());
}
void BM_Paste64KiB_Plain(benchmark::State& state) {
    Paste(state, PlainEditor());
}

void Keystroke(benchmark::State& state, QPlainTextEdit* editor) {
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(editor->document()->characterCount() / 2);
    editor->setTextCursor(cursor);
    QApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("A"));
        QApplication::sendEvent(editor, &press);
        QApplication::processEvents();
    }
    delete editor;
}

void BM_Keystroke1MiB_Ours(benchmark::State& state) {
    LongTextEdit* editor = OurEditor();
    editor->SetText(Megabyte());
    Keystroke(state, editor);
}
void BM_Keystroke1MiB_Plain(benchmark::State& state) {
    QPlainTextEdit* editor = PlainEditor();
    editor->setPlainText(Megabyte());
    Keystroke(state, editor);
}

// What a display mode change does to a plain editor, written plainly: its text stripped of
// white space and converted, set again as normalised text unless it already is, and the editor
// shown or hidden.
void PlainModeChange(QPlainTextEdit* editor, bool editMode) {
    const QString text = editor->toPlainText();
    QByteArray latin = text.toLatin1();
    latin.resize(HexTextStripWhiteSpace(latin.data(), static_cast<uint32_t>(latin.size())));
    QByteArray bytes(latin.size() / 2 + 1, '\0');
    uint32_t count = 0;
    HexTextToBytes(latin.constData(), static_cast<uint32_t>(latin.size()),
                   reinterpret_cast<uint8_t*>(bytes.data()), &count);
    const QString normalised = QString::fromLatin1(bytes.left(count).toHex().toUpper());
    if (normalised != text) {
        editor->setPlainText(normalised);
    }
    editor->setVisible(editMode);
    QApplication::processEvents();
}

// A byte table to Edit Mode with 1 MiB in the pane.
void BM_ToEditMode1MiB_Ours(benchmark::State& state) {
    COrdaView view;
    view.resize(kWidth, kHeight);
    view.show();
    view.Pane()->SetText(Megabyte());
    for (auto _ : state) {
        state.PauseTiming();
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
        view.OnDisplayModeChange();
        QApplication::processEvents();
        state.ResumeTiming();
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
        view.OnDisplayModeChange();
        QApplication::processEvents();
    }
}
void BM_ToEditMode1MiB_Plain(benchmark::State& state) {
    QPlainTextEdit* editor = PlainEditor();
    editor->setPlainText(Megabyte());
    for (auto _ : state) {
        state.PauseTiming();
        editor->hide();
        QApplication::processEvents();
        state.ResumeTiming();
        PlainModeChange(editor, true);
    }
    delete editor;
}

// Edit Mode to the 8-byte table with 1 MiB typed into the pane, white space included.
QString Typed() {
    return QString(Megabyte()).insert(0, QStringLiteral(" \r\n"));
}

void BM_FromEditMode1MiB_Ours(benchmark::State& state) {
    COrdaView view;
    view.resize(kWidth, kHeight);
    view.show();
    const QString typed = Typed();
    for (auto _ : state) {
        state.PauseTiming();
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
        view.OnDisplayModeChange();
        view.Pane()->SetText(typed);
        QApplication::processEvents();
        state.ResumeTiming();
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
        view.OnDisplayModeChange();
        QApplication::processEvents();
    }
}
void BM_FromEditMode1MiB_Plain(benchmark::State& state) {
    QPlainTextEdit* editor = PlainEditor();
    const QString typed = Typed();
    for (auto _ : state) {
        state.PauseTiming();
        editor->setPlainText(typed);
        editor->show();
        QApplication::processEvents();
        state.ResumeTiming();
        PlainModeChange(editor, false);
    }
    delete editor;
}

// A document file with 1 MiB of data as its pane text.
class DocumentFile {
public:
    DocumentFile() {
        const QByteArray pane = Megabyte().toLatin1();
        const std::vector<uint8_t> bytes =
            TlvFileWrite("5A021234", std::string(pane.constData(), pane.size()));
        QFile file(Path());
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    QString Path() const { return dir_.filePath(QStringLiteral("megabyte.tlv")); }

private:
    QTemporaryDir dir_;
};

void BM_Open1MiB_Ours(benchmark::State& state) {
    DocumentFile file;
    ScriptedPrompts prompts;
    for (auto _ : state) {
        COrdaDoc document;
        COrdaView view;
        document.AddView(&view);
        view.resize(kWidth, kHeight);
        view.show();
        document.OnOpenDocument(file.Path());
        QApplication::processEvents();
        if (view.Pane()->document()->isEmpty()) {
            state.SkipWithError("not opened");
        }
    }
}
void BM_Open1MiB_Plain(benchmark::State& state) {
    DocumentFile file;
    for (auto _ : state) {
        QPlainTextEdit* editor = PlainEditor();
        QFile in(file.Path());
        in.open(QIODevice::ReadOnly);
        const QByteArray bytes = in.readAll();
        TlvFileLayout layout;
        TlvFileReadLayout(
            static_cast<uint64_t>(bytes.size()),
            [&bytes](uint64_t offset, size_t length, uint8_t* out) {
                memcpy(out, bytes.constData() + offset, length);
                return true;
            },
            &layout);
        const char* pane = bytes.constData() + layout.paneOffset;
        editor->setPlainText(QString::fromLatin1(pane, static_cast<qsizetype>(layout.paneLength)));
        QApplication::processEvents();
        delete editor;
    }
}

}  // namespace

BENCHMARK(BM_Paste64KiB_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste64KiB_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke1MiB_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke1MiB_Plain)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToEditMode1MiB_Ours)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ToEditMode1MiB_Plain)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FromEditMode1MiB_Ours)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_FromEditMode1MiB_Plain)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Open1MiB_Ours)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Open1MiB_Plain)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    PairedReporter reporter({
        {"Paste 64 KiB", "BM_Paste64KiB_Ours", "BM_Paste64KiB_Plain"},
        {"Keystroke 1 MiB", "BM_Keystroke1MiB_Ours", "BM_Keystroke1MiB_Plain"},
        {"To Edit Mode", "BM_ToEditMode1MiB_Ours", "BM_ToEditMode1MiB_Plain"},
        {"From Edit Mode", "BM_FromEditMode1MiB_Ours", "BM_FromEditMode1MiB_Plain"},
        {"Open 1 MiB", "BM_Open1MiB_Ours", "BM_Open1MiB_Plain"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

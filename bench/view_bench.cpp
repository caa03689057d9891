// Editor view timings, offscreen: a display mode change with a megabyte in the pane, and a
// Parse of the largest legal element into the grid.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>

#include "editor/orda_view.h"
#include "platform/scripted_prompts.h"
#include "support/tlv_samples.h"

namespace {

QString MegabyteOfHex() {
    QString text;
    text.reserve(2 * 1024 * 1024);
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 1024 * 1024; ++i) {
        text += QLatin1Char(kDigits[(i >> 4) & 0x0F]);
        text += QLatin1Char(kDigits[i & 0x0F]);
    }
    return text;
}

void BM_DisplayModeChangeMegabyte(benchmark::State& state) {
    COrdaView view;
    view.resize(1000, 700);
    view.show();
    view.Pane()->setPlainText(MegabyteOfHex());
    int mode = DISPLAY_MODE_8_BYTES;
    for (auto _ : state) {
        view.ModeList()->setCurrentIndex(mode);
        view.OnDisplayModeChange();
        QCoreApplication::processEvents();
        mode = mode == DISPLAY_MODE_32_BYTES ? DISPLAY_MODE_8_BYTES : mode + 1;
    }
}
BENCHMARK(BM_DisplayModeChangeMegabyte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Back to Edit Mode, where the text widget must take in two million characters.
void BM_EditModeMegabyte(benchmark::State& state) {
    COrdaView view;
    view.resize(1000, 700);
    view.show();
    const QString text = MegabyteOfHex();
    for (auto _ : state) {
        state.PauseTiming();
        view.Pane()->setPlainText(text.left(text.size() - 2));
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_8_BYTES);
        view.OnDisplayModeChange();
        view.Pane()->setPlainText(QString());
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_16_BYTES);
        view.OnDisplayModeChange();
        state.ResumeTiming();
        view.ModeList()->setCurrentIndex(DISPLAY_MODE_EDIT);
        view.OnDisplayModeChange();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EditModeMegabyte)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ParseLargestElementIntoGrid(benchmark::State& state) {
    ScriptedPrompts prompts;
    COrdaView view;
    view.resize(1000, 700);
    view.show();
    const QString text = QString::fromLatin1(BytesHex(EmvRecords().back().bytes).c_str());
    for (auto _ : state) {
        state.PauseTiming();
        view.Pane()->setPlainText(QString());
        prompts.QueueAnswer(true);
        view.OnParse();
        view.Pane()->setPlainText(text);
        state.ResumeTiming();
        view.OnParse();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ParseLargestElementIntoGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Parse into the data element grid, next to filling a plain QTreeWidget with the same rows,
// texts, images and column set-up, in one binary and run, offscreen. Both sides end with the
// first repaint of their tree: the event loop's next round, which lays the rows out and paints
// them (a direct QWidget::repaint of the grid painted only every other round). Run with
// repetitions and random interleaving; the run ends with the ratio of our time to the
// reference's per record.
//
// The reference is given everything ready: the cell texts are QStrings built before the
// timing starts, the columns are set up once, and each round clears the tree, builds the items
// off the view as copies of a prototype per image (children before their parent joins the
// tree), adds the root once, expands the rows that hold others and repaints. Our side starts from
// the pane's hexadecimal text and does what Parse does: convert, parse, ask about the rows already
// there (answered Yes), rebuild rows and menu, lay out the columns, then the same round of the
// event loop.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "bench/paired_reporter.h"
#include "core/tlv.h"
#include "dictionary/element_row.h"
#include "editor/element_grid_ctrl.h"
#include "editor/orda_view.h"
#include "platform/element_images.h"
#include "platform/scripted_prompts.h"
#include "support/tlv_samples.h"

namespace {

const int kViewWidth = 1000;
const int kViewHeight = 700;

struct Record {
    const char* name;
    std::string hex;
};

// READ RECORD 70 81 8A: Track 2, PAN, name, dates, country, sequence number, CDOL1, CDOL2, CVM
// List and Application Usage Control; 141 bytes, 11 children.
std::string ReadRecord141() {
    return "70818A"
           "57135413330089600010D25122010000000000000F"
           "5A085413330089600010"
           "5F2019" +
           std::string(50, '4') +
           "5F24032512315F25032001015F280208405F340101"
           "8C159F02069F03069F1A0295055F2A029A039C019F3704"
           "8D0C910A8A0295059F37049F4C08"
           "8E0E000000000000000042031E031F03"
           "9F0702FF00";
}

// BF0C 81 FF with 127 children: 126 empty PANs and one of a single byte, 259 bytes.
std::string Largest127() {
    std::string hex = "BF0C81FF";
    for (int i = 0; i < 126; ++i) {
        hex += "5A00";
    }
    return hex + "5A0100";
}

const std::vector<Record>& Records() {
    static const std::vector<Record> records = {
        {"Record141", ReadRecord141()},
        {"Largest85", BytesHex(EmvRecords().back().bytes)},
        {"Largest127", Largest127()},
    };
    return records;
}

// The rows of a record in display order: parent index (-1 for the root), texts and image.
struct ReferenceRow {
    int parent;
    QString texts[ELEMENT_COLUMN_COUNT];
    int image;
};

void CollectRows(const TlvNode* node, int parent, std::vector<ReferenceRow>* rows) {
    ElementRow texts;
    if (!BuildElementRow(node, &texts)) {
        return;
    }
    ReferenceRow row;
    row.parent = parent;
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        row.texts[column] = QString::fromStdString(texts.cells[column]);
    }
    row.image = texts.image;
    rows->push_back(row);
    const int self = static_cast<int>(rows->size()) - 1;
    uint8_t count = 0;
    TlvGetChildCount(node, &count);
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        uint32_t constructed = 0;
        if (TlvGetChild(node, i, &child, &constructed) == TLV_OK) {
            CollectRows(child, self, rows);
        }
    }
}

std::vector<ReferenceRow> RowsOf(const std::string& hex) {
    const std::vector<uint8_t> bytes = HexBytes(hex);
    TlvNode* root = nullptr;
    uint32_t constructed = 0;
    std::vector<ReferenceRow> rows;
    if (TlvParse(bytes.data(), static_cast<uint16_t>(bytes.size()), &root, &constructed) ==
        TLV_OK) {
        CollectRows(root, -1, &rows);
    }
    TlvFree(root);
    return rows;
}

// Our side: the editor view, Parse with the record in the pane.
class GridSide {
public:
    explicit GridSide(const Record& record) {
        view_.resize(kViewWidth, kViewHeight);
        view_.show();
        view_.Pane()->SetText(QString::fromStdString(record.hex));
        QApplication::processEvents();
    }
    __attribute__((noinline)) void Round() {
        prompts_.QueueAnswer(true);
        view_.OnParse();
        QApplication::processEvents();
    }
    bool Filled() const { return view_.Grid()->GetRow(0) != nullptr; }

private:
    ScriptedPrompts prompts_;
    COrdaView view_;
};

// The reference: a plain QTreeWidget where the view has its grid, with the grid's columns.
class PlainSide {
public:
    explicit PlainSide(const Record& record) : tree_(&window_) {
        // The grid's size and column widths, as the view gives them with the record's rows.
        ScriptedPrompts prompts;
        COrdaView sized;
        sized.resize(kViewWidth, kViewHeight);
        sized.show();
        sized.Pane()->SetText(QString::fromStdString(record.hex));
        sized.OnParse();
        QApplication::processEvents();
        sized.hide();
        window_.resize(kViewWidth, kViewHeight);
        tree_.setColumnCount(ELEMENT_COLUMN_COUNT);
        QStringList titles;
        for (const char* title : kElementColumnTitles) {
            titles << QString::fromLatin1(title);
        }
        tree_.setHeaderLabels(titles);
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            tree_.headerItem()->setTextAlignment(
                column, sized.Grid()->ColumnAlign(column) | Qt::AlignVCenter);
        }
        tree_.setUniformRowHeights(true);
        tree_.header()->setStretchLastSection(false);
        tree_.setGeometry(sized.Grid()->geometry());
        window_.show();
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            tree_.setColumnWidth(column, sized.Grid()->columnWidth(column));
        }
        // One prototype item per image holds the alignments and the icon; each row is a copy
        // of it, which shares them, with its texts.
        const QList<QIcon> images = ElementImages();
        prototypes_.resize(static_cast<size_t>(images.size()));
        for (int image = 0; image < images.size(); ++image) {
            QTreeWidgetItem& prototype = prototypes_[static_cast<size_t>(image)];
            for (int column : {ELEMENT_COLUMN_TAG, ELEMENT_COLUMN_LENGTH_IN, ELEMENT_COLUMN_LENGTH,
                               ELEMENT_COLUMN_VALUE_LENGTH}) {
                prototype.setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            }
            prototype.setIcon(ELEMENT_COLUMN_NAME, images[image]);
        }
        rows_ = RowsOf(record.hex);
        // The rows that hold others, expanded as the grid expands them.
        for (const ReferenceRow& row : rows_) {
            if (row.parent >= 0) {
                parents_.push_back(row.parent);
            }
        }
        std::sort(parents_.begin(), parents_.end());
        parents_.erase(std::unique(parents_.begin(), parents_.end()), parents_.end());
        items_.resize(rows_.size());
        QApplication::processEvents();
    }
    __attribute__((noinline)) void Round() {
        tree_.clear();
        for (size_t i = 0; i < rows_.size(); ++i) {
            const ReferenceRow& row = rows_[i];
            QTreeWidgetItem* item =
                new QTreeWidgetItem(prototypes_[static_cast<size_t>(row.image)]);
            for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
                item->setText(column, row.texts[column]);
            }
            if (row.parent >= 0) {
                items_[static_cast<size_t>(row.parent)]->addChild(item);
            }
            items_[i] = item;
        }
        tree_.addTopLevelItem(items_[0]);
        for (int parent : parents_) {
            items_[static_cast<size_t>(parent)]->setExpanded(true);
        }
        QApplication::processEvents();
    }
    bool Filled() const { return tree_.topLevelItemCount() > 0; }

private:
    QWidget window_;
    QTreeWidget tree_;
    std::vector<QTreeWidgetItem> prototypes_;
    std::vector<ReferenceRow> rows_;
    std::vector<int> parents_;
    std::vector<QTreeWidgetItem*> items_;
};

template <typename Side>
void BM_Rounds(benchmark::State& state, const Record* record) {
    Side side(*record);
    for (auto _ : state) {
        side.Round();
    }
    if (!side.Filled()) {
        state.SkipWithError("no rows");
    }
}

// For callgrind: only these rounds are counted, after as many uncounted ones.
template <typename Side>
__attribute__((noinline)) void CountedRounds(Side* side, long rounds) {
    for (long i = 0; i < rounds; ++i) {
        side->Round();
    }
}

template <typename Side>
int CountRounds(const Record& record, long rounds) {
    Side side(record);
    for (long i = 0; i < rounds; ++i) {
        side.Round();
    }
    CountedRounds(&side, rounds);
    return side.Filled() ? 0 : 1;
}

}  // namespace

// With the arguments "count grid|plain RECORD ROUNDS", runs fixed rounds of one side for
// instruction counts:
//   valgrind --tool=callgrind --toggle-collect='*CountedRounds*' grid_bench count grid Record141
//   200
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 5 && strcmp(argv[1], "count") == 0) {
        for (const Record& record : Records()) {
            if (strcmp(argv[3], record.name) == 0) {
                const long rounds = atol(argv[4]);
                return strcmp(argv[2], "grid") == 0 ? CountRounds<GridSide>(record, rounds)
                                                    : CountRounds<PlainSide>(record, rounds);
            }
        }
        fprintf(stderr, "unknown record %s\n", argv[3]);
        return 2;
    }
    for (const Record& record : Records()) {
        benchmark::RegisterBenchmark((std::string("BM_ParseToGrid/") + record.name).c_str(),
                                     BM_Rounds<GridSide>, &record)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_PlainTreeWidget/") + record.name).c_str(),
                                     BM_Rounds<PlainSide>, &record)
            ->Unit(benchmark::kMillisecond);
    }
    std::vector<BenchmarkPair> pairs;
    for (const Record& record : Records()) {
        pairs.push_back({std::string("Parse to grid ") + record.name,
                         std::string("BM_ParseToGrid/") + record.name,
                         std::string("BM_PlainTreeWidget/") + record.name});
    }
    benchmark::Initialize(&argc, argv);
    PairedReporter reporter(pairs);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

#include "editor/orda_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTextDocument>
#include <QUndoStack>
#include <new>

#include "core/ber_reader.h"
#include "core/hex_text.h"
#include "dictionary/element_row.h"
#include "editor/button_images.h"
#include "editor/editor_ids.h"
#include "editor/element_grid_ctrl.h"
#include "editor/find_bar.h"
#include "editor/grid_copy.h"
#include "editor/undo_steps.h"
#include "editor/view_interfaces.h"
#include "editor/view_layout.h"
#include "platform/byte_table.h"
#include "platform/command_focus.h"
#include "platform/element_images.h"
#include "platform/grid_printer.h"
#include "platform/hot_image_button.h"
#include "platform/long_text_edit.h"
#include "platform/menu_status_tips.h"
#include "platform/prompts.h"

namespace {

const char* const kDisplayModeTexts[DISPLAY_MODE_COUNT] = {
    "Edit Mode", "8 Bytes Read Only Mode", "16 Bytes Read Only Mode", "32 Bytes Read Only Mode"};
const int kColumnWeights[ELEMENT_COLUMN_COUNT] = {200, 40, 75, 75, 235, 75, 300};
const Qt::Alignment kColumnAlignments[ELEMENT_COLUMN_COUNT] = {
    Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight, Qt::AlignRight,
    Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft};
const int kBytesPerRow[3] = {8, 16, 32};

const char kDataError[] = "Data Error";
const char kBadData[] = "Bad formatted BER-TLV data !";
const char kBadPadding[] =
    "Bad formatted BER-TLV data !\r\n\r\nPadding data is located at the invalid position.";
const char kReplaceParsed[] =
    "The already existing parsed data will be updated!\r\n\r\nDo you want to continue?";
const char kNothingToParse[] =
    "No data exist to parse!\r\n\r\nDo you want to clear the parsed data?";
const char kReplaceEncoded[] =
    "The already existing encoded data will be updated!\r\n\r\nDo you want to continue?";
const char kNothingToEncode[] =
    "No data exist to encode!\r\n\r\nDo you want to clear the encoded data?";

// The text as 8-bit characters without its white space.
QByteArray StrippedLatin1(const QString& text) {
    QByteArray latin = text.toLatin1();
    latin.resize(HexTextStripWhiteSpace(latin.data(), static_cast<uint32_t>(latin.size())));
    return latin;
}

// Converts stripped hexadecimal text by the editor's rule.
QByteArray TextToBytes(const QByteArray& stripped) {
    QByteArray bytes(stripped.size() / 2 + 1, '\0');
    uint32_t count = 0;
    HexTextToBytes(stripped.constData(), static_cast<uint32_t>(stripped.size()),
                   reinterpret_cast<uint8_t*>(bytes.data()), &count);
    bytes.resize(count);
    return bytes;
}

QString BytesToText(const uint8_t* bytes, uint32_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    QString text(static_cast<qsizetype>(count) * 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (uint32_t i = 0; i < count; ++i) {
        *out++ = QLatin1Char(kDigits[bytes[i] >> 4]);
        *out++ = QLatin1Char(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

// The whole element as hexadecimal text; false when the encoder refuses it.
bool EncodedText(const TlvNode* root, QString* text) {
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    if (TlvEncode(encoded, root, &length, 0) != TLV_OK) {
        return false;
    }
    *text = BytesToText(encoded, length);
    return true;
}

// More bytes than any element can hold are malformed data: handing their count to the parser
// as a 16-bit length would wrap around and parse a prefix as if it were everything.
TlvResult ParseBytes(const QByteArray& bytes, TlvNode** root, uint32_t* isConstructed,
                     int checkPadding) {
    if (bytes.size() > TLV_MAX_ELEMENT_SIZE) {
        return TLV_ERR_FORMAT;
    }
    return TlvParseEx(reinterpret_cast<const uint8_t*>(bytes.constData()),
                      static_cast<uint16_t>(bytes.size()), root, isConstructed, checkPadding);
}

// The bytes to select for a problem found at an element: its first byte, and for a problem of
// its length field the tag and the length field's first byte.
int ProblemByteCount(const QByteArray& bytes, const BerDiagnostic& diagnostic) {
    switch (diagnostic.problem) {
        case BER_PROBLEM_TRUNCATED_LENGTH:
        case BER_PROBLEM_INDEFINITE_LENGTH:
        case BER_PROBLEM_RESERVED_LENGTH:
        case BER_PROBLEM_LONG_LENGTH: {
            const uint32_t left = static_cast<uint32_t>(bytes.size()) - diagnostic.offset;
            bool tooLong = false;
            const uint32_t tag =
                BerTagSize(reinterpret_cast<const uint8_t*>(bytes.constData()) + diagnostic.offset,
                           left, &tooLong);
            return static_cast<int>(qMin(tag + 1, left));
        }
        default:
            return 1;
    }
}

void PlaceWidget(QWidget* widget, const ViewRect& rect) {
    widget->setGeometry(rect.x, rect.y, qMax(0, rect.width), qMax(0, rect.height));
}

}  // namespace

COrdaView::COrdaView(QWidget* parent) : QWidget(parent) {
    TrackCommandFocus();
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    CreateGrid();
    CreateControls();
    CreateUndoStack();
    CreateFindBar();
    dataElementMenu_ = new QMenu(this);
    ForwardMenuStatusTips(dataElementMenu_, this);
    BuildContextMenu(nullptr, 0);
}

COrdaView::~COrdaView() {
    // The child widgets outlive this destructor: nothing they signal may reach the view, and
    // no row may be read once the tree is gone.
    for (QObject* child : children()) {
        disconnect(child, nullptr, this, nullptr);
    }
    grid_->RemoveAll();
    TlvFree(root_);
}

void COrdaView::CreateGrid() {
    grid_ = new CElementGridCtrl(this);
    grid_->setProperty("controlId", IDC_ELEMENT_GRID);
    grid_->SetImageList(ElementImages());
    // New rows show the normal text colour through the grid's palette: a colour of their own
    // would cost every cell a palette of its own each time it is painted.
    QPalette palette = grid_->palette();
    palette.setColor(QPalette::Active, QPalette::Text, kNormalTextColor);
    palette.setColor(QPalette::Inactive, QPalette::Text, kNormalTextColor);
    grid_->setPalette(palette);
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        grid_->InsertColumn(column, QString::fromLatin1(kElementColumnTitles[column]),
                            kColumnWeights[column]);
        grid_->SetColumnAlign(column, kColumnAlignments[column]);
    }
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &CElementGridCtrl::selChanged, this, &COrdaView::OnGridSelChange);
    connect(grid_, &CElementGridCtrl::itemChangedPosted, this, &COrdaView::OnGridItemChanged);
    connect(grid_, &QWidget::customContextMenuRequested, this, &COrdaView::OnGridContextMenu);
    // Shift+F10 opens the menu from the keyboard as the menu key does, at the current cell.
    QShortcut* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), grid_);
    menuKey->setContext(Qt::WidgetShortcut);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QRect cell = grid_->visualRect(grid_->currentIndex());
        OnGridContextMenu(cell.isValid() ? cell.center() : grid_->viewport()->rect().center());
    });
    connect(grid_, &GridCtrl::editorSelectionChanged, this, &COrdaView::editCommandsChanged);
    connect(grid_, &GridCtrl::gridSelectionChanged, this, &COrdaView::editCommandsChanged);
    copyMenu_ = new GridCopyMenu(grid_, this);
    ForwardMenuStatusTips(copyMenu_, this);
}

void COrdaView::CreateControls() {
    const auto makeButton = [this](const char* text, int id, const QIcon& icon,
                                   const QIcon& hotIcon, const char* tip) {
        QPushButton* button = new HotImageButton(QString::fromLatin1(text), icon, hotIcon, this);
        button->setProperty("controlId", id);
        button->setToolTip(QString::fromLatin1(tip));
        return button;
    };
    parseButton_ = makeButton("Parse", IDC_PARSE, ParseButtonIcon(), ParseButtonHotIcon(),
                              "Parse encoded data");
    encodeButton_ =
        makeButton("Encode", IDC_ENCODE, EncodeButtonIcon(), EncodeButtonHotIcon(), "Encode data");
    connect(parseButton_, &QPushButton::clicked, this, &COrdaView::OnParse);
    connect(encodeButton_, &QPushButton::clicked, this, &COrdaView::OnEncode);

    modeList_ = new QComboBox(this);
    modeList_->setProperty("controlId", IDC_DISPLAY_MODE);
    for (const char* text : kDisplayModeTexts) {
        modeList_->addItem(QString::fromLatin1(text));
    }
    modeList_->setCurrentIndex(displayMode_);
    // Choosing an item, even the current one, refreshes the pane.
    connect(modeList_, QOverload<int>::of(&QComboBox::activated), this,
            &COrdaView::OnDisplayModeChange);

    pane_ = new LongTextEdit(this);
    pane_->setProperty("controlId", IDC_ENCODED_TEXT);
    pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Hex needs no typed tabs (pasted ones still count as white space); Tab leaves the pane.
    pane_->setTabChangesFocus(true);
    connect(pane_, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingPaneText_) {
            PaneTextEdited();
        }
    });
    connect(pane_->document(), &QTextDocument::modificationChanged, this, [this] {
        if (!settingPaneText_) {
            PaneTextEdited();
        }
    });
    connect(pane_, &QPlainTextEdit::selectionChanged, this, &COrdaView::editCommandsChanged);
    paneWindows_[DISPLAY_MODE_EDIT] = pane_;

    const int ids[3] = {IDC_BYTE_GRID_8, IDC_BYTE_GRID_16, IDC_BYTE_GRID_32};
    for (int i = 0; i < 3; ++i) {
        byteTables_[i] = new ByteTableView(kBytesPerRow[i], this);
        byteTables_[i]->setProperty("controlId", ids[i]);
        paneWindows_[i + 1] = byteTables_[i];
    }
    for (int mode = 0; mode < DISPLAY_MODE_COUNT; ++mode) {
        paneWindows_[mode]->setVisible(mode == displayMode_);
    }
}

QList<QWidget*> COrdaView::TabOrder() const {
    return {findBar_->Field(), grid_,          encodeButton_, parseButton_, modeList_, pane_,
            byteTables_[0],    byteTables_[1], byteTables_[2]};
}

ByteTableView* COrdaView::ByteTable(int mode) const {
    return mode >= DISPLAY_MODE_8_BYTES && mode <= DISPLAY_MODE_32_BYTES ? byteTables_[mode - 1]
                                                                         : nullptr;
}

void COrdaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceControls();
}

QSize COrdaView::minimumSizeHint() const {
    // The strip below the grid keeps its height however small the window gets, so the grid
    // would be the first to vanish.
    const int shownRows = 3;
    const int row = grid_->sizeHintForRow(0) > 0 ? grid_->sizeHintForRow(0)
                                                 : QFontMetrics(grid_->font()).height() + 4;
    // A narrow window also gives the grid a horizontal scroll bar.
    const int grid = grid_->header()->sizeHint().height() + shownRows * row +
                     grid_->horizontalScrollBar()->sizeHint().height() + 2 * grid_->frameWidth();
    return QSize(QWidget::minimumSizeHint().width(), ViewStripHeight() + grid);
}

void COrdaView::PlaceControls() {
    const QRect client = rect();
    const ViewLayout layout =
        ComputeViewLayout(client.left(), client.top(), client.left() + client.width(),
                          client.top() + client.height());
    ViewRect grid = layout.grid;
    // An open find bar takes the top of the grid's place.
    if (!findBar_->isHidden()) {
        const int height = qMin(findBar_->sizeHint().height(), qMax(0, grid.height));
        PlaceWidget(findBar_, {grid.x, grid.y, grid.width, height});
        grid.y += height;
        grid.height -= height;
    }
    PlaceWidget(grid_, grid);
    PlaceWidget(encodeButton_, layout.encode);
    PlaceWidget(parseButton_, layout.parse);
    PlaceWidget(modeList_, layout.modeList);
    for (QWidget* window : paneWindows_) {
        PlaceWidget(window, layout.pane);
    }
}

void COrdaView::BuildRows(GridRow* parent, TlvNode* node, uint32_t isConstructed) {
    if (parent == nullptr) {
        grid_->RemoveAll();
    }
    // The rows are made off the grid and join it together: the grid takes them in at once.
    std::vector<GridRow*> templates;
    if (GridRow* row = MakeRows(node, isConstructed, &templates)) {
        if (parent != nullptr) {
            parent->AddSubItem(row);
        } else {
            grid_->AddRow(row);
        }
        for (GridRow* expanded : templates) {
            expanded->setExpanded(true);
        }
    }
    // Once per rebuild, for the rows as they now are: empty, or Create for an empty grid.
    BuildContextMenu(nullptr, 0);
}

GridRow* COrdaView::MakeRows(TlvNode* node, uint32_t isConstructed,
                             std::vector<GridRow*>* templates) {
    ElementRow texts;
    if (node == nullptr || !BuildElementRow(node, &texts)) {
        return nullptr;
    }
    GridRow* row = grid_->CopyRow(*RowTemplate(
        texts.image, node->lengthSize == 1 || node->lengthSize == 2, isConstructed == 0));
    row->SetData(node);
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        row->Item(column).SetValue(QString::fromLatin1(
            texts.cells[column].data(), static_cast<qsizetype>(texts.cells[column].size())));
    }
    if (isConstructed == 0) {
        return row;
    }
    row->AllowSubItems(true);
    templates->push_back(row);
    uint8_t count = 0;
    TlvGetChildCount(node, &count);
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        uint32_t childConstructed = 0;
        if (TlvGetChild(node, i, &child, &childConstructed) != TLV_OK) {
            break;
        }
        if (GridRow* childRow = MakeRows(child, childConstructed, templates)) {
            row->AddSubItem(childRow);
        }
    }
    return row;
}

const GridRow* COrdaView::RowTemplate(int image, bool lengthOptions, bool valueEditable) {
    std::unique_ptr<GridRow>& model =
        rowTemplates_[(qBound(0, image, 5) * 2 + (lengthOptions ? 1 : 0)) * 2 +
                      (valueEditable ? 1 : 0)];
    if (!model) {
        model.reset(grid_->CreateRow());
        for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
            model->Item(column).SetEditable(column == ELEMENT_COLUMN_LENGTH_IN ||
                                            (column == ELEMENT_COLUMN_VALUE && valueEditable));
        }
        if (lengthOptions) {
            model->Item(ELEMENT_COLUMN_LENGTH_IN)
                .SetOptions({QString::fromLatin1(kLengthInOptions[0]),
                             QString::fromLatin1(kLengthInOptions[1])});
        }
        model->Item(ELEMENT_COLUMN_NAME).SetImage(image);
    }
    return model.get();
}

void COrdaView::OnGridSelChange(quintptr, qintptr lParam) {
    int rowNumber = -1;
    int columnNumber = -1;
    GridRow* row = grid_->GetCurSel(&rowNumber, &columnNumber);
    UpdateDataElementCommands();
    const TlvNode* element = row != nullptr ? static_cast<const TlvNode*>(row->Data()) : nullptr;
    if (element != nullptr && lParam != 0) {
        if (columnNumber == ELEMENT_COLUMN_NAME) {
            BuildContextMenu(element, 1);
        }
        uint8_t kind = 0;
        if (analysis_ != nullptr && TlvGetKind(element, &kind) == TLV_OK) {
            analysis_->ShowAnalysis(kind, element);
        }
        return;
    }
    if (lParam == 0 && element != nullptr) {
        BuildContextMenu(element, 0);
    }
    if (lParam == 0 && analysis_ != nullptr) {
        analysis_->ShowAnalysis(0, nullptr);
    }
}

void COrdaView::OnGridItemChanged(const GridItem& cell, qintptr lParam) {
    ApplyEditToCell(cell, static_cast<int>(lParam & 0xFFFF));
}

void COrdaView::CommitEdits() {
    grid_->CommitOpenEditor();
    grid_->DeliverPostedEdits();
}

void COrdaView::RefreshAnalysis() {
    if (analysis_ == nullptr) {
        return;
    }
    const TlvNode* element = SelectedElement(nullptr);
    uint8_t kind = 0;
    if (element == nullptr || TlvGetKind(element, &kind) != TLV_OK) {
        analysis_->UpdateAnalysis(this, 0, nullptr);
        return;
    }
    analysis_->UpdateAnalysis(this, kind, element);
}

template <typename Text>
void COrdaView::SetPaneText(Text text) {
    if (pane_->HasText(text)) {
        return;
    }
    settingPaneText_ = true;
    pane_->SetText(text);
    SetPaneBaseline();
    settingPaneText_ = false;
}

QString COrdaView::PaneText() const {
    return pane_->Text();
}

void COrdaView::ReplacePaneText(const QString& text) {
    pane_->selectAll();
    pane_->InsertText(text);
    if (displayMode_ != DISPLAY_MODE_EDIT) {
        OnDisplayModeChange();
    }
}

bool COrdaView::ReadEncodedText() {
    bytes_.clear();
    try {
        const QByteArray stripped = StrippedLatin1(PaneText());
        bytes_ = TextToBytes(stripped);
        return stripped.size() == 2 * bytes_.size();
    } catch (const std::bad_alloc&) {
        // No memory for the conversion: no data, as for a pane without a complete byte.
        bytes_.clear();
        return true;
    }
}

void COrdaView::ShowEncodedBytes() {
    SetPaneText(BytesToText(reinterpret_cast<const uint8_t*>(bytes_.constData()),
                            static_cast<uint32_t>(bytes_.size())));
    for (ByteTableView* table : byteTables_) {
        table->Model()->SetBytes(bytes_);
    }
}

void COrdaView::ShowEncodedBytesUndoably(const QString& stepName) {
    const QString typed = PaneText();
    ShowEncodedBytes();
    if (PaneText() == typed) {
        return;
    }
    // What the conversion left out was typed by the user: one undo brings it back.
    undoStack_->push(PaneTextStep(stepName, typed));
}

ViewStep* COrdaView::PaneTextStep(const QString& stepName, const QString& paneBefore) {
    ViewState state;
    CaptureState(&state);
    ViewStep* step = new ViewStep(this, stepName, state, state);
    step->SetPaneTexts(paneBefore, PaneText());
    return step;
}

void COrdaView::RestorePaneText(const QString& text) {
    SetPaneText(text);
    ShowPaneBytes();
}

void COrdaView::ShowPaneBytes() {
    ReadEncodedText();
    for (ByteTableView* table : byteTables_) {
        table->Model()->SetBytes(bytes_);
    }
}

void COrdaView::OnDisplayModeChange() {
    CommitEdits();
    const int modeBefore = displayMode_;
    const int mode = qBound(0, modeList_->currentIndex(), DISPLAY_MODE_COUNT - 1);
    // Conversion ends at the first character that is no hex digit. What it leaves out was typed
    // by the user, so it stays one undo away (a command running as a step records it itself).
    const bool whole = ReadEncodedText();
    const QString before = whole || recording_ != 0 ? QString() : PaneText();
    ShowEncodedBytes();
    ShowPaneWindow(mode);
    if (!whole && recording_ == 0) {
        ViewStep* step = PaneTextStep(QStringLiteral("Display Mode"), before);
        step->SetDisplayModes(modeBefore, mode);
        undoStack_->push(step);
    }
}

void COrdaView::ShowPaneWindow(int mode) {
    displayMode_ = mode;
    if (modeList_->currentIndex() != mode) {
        modeList_->setCurrentIndex(mode);
    }
    for (QWidget* window : paneWindows_) {
        window->hide();
    }
    paneWindows_[displayMode_]->show();
}

void COrdaView::ReplaceRoot(TlvNode* root, uint32_t isConstructed) {
    unreadTree_.clear();
    if (root_ != nullptr) {
        TlvFree(root_);
        root_ = nullptr;
        grid_->RemoveAll();
    }
    root_ = root;
    BuildRows(nullptr, root_, isConstructed);
    grid_->AdjustLayout();
    RefreshAnalysis();
}

void COrdaView::PointAtParseProblem(TlvResult result) {
    BerDiagnostic diagnostic;
    if (!BerExplainParseFailure(reinterpret_cast<const uint8_t*>(bytes_.constData()),
                                static_cast<uint32_t>(bytes_.size()), result, &diagnostic)) {
        return;
    }
    const int offset = static_cast<int>(diagnostic.offset);
    const int count = ProblemByteCount(bytes_, diagnostic);
    pane_->SelectText(2 * offset, 2 * count);
    for (ByteTableView* table : byteTables_) {
        table->SelectByte(offset);
    }
    // A byte table shows its selection best with the focus; the pane keeps it where it was,
    // since Undo there would act on the pane's own typing instead of taking the Parse back.
    if (displayMode_ != DISPLAY_MODE_EDIT) {
        paneWindows_[displayMode_]->setFocus();
    }
    QString problem = QString::fromLatin1(BerProblemText(diagnostic.problem));
    problem[0] = problem[0].toUpper();
    ShowStatusTip(QStringLiteral("%1 at offset %2.").arg(problem).arg(offset));
    parseProblemShown_ = true;
}

void COrdaView::ClearParseProblem() {
    if (parseProblemShown_) {
        parseProblemShown_ = false;
        ShowStatusTip(QString());
    }
}

void COrdaView::ShowStatusTip(const QString& text) {
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(this, &tip);
}

void COrdaView::OnParse() {
    ClearParseProblem();
    CommitEdits();
    const UndoScope step(this, QStringLiteral("Parse"));
    ReadEncodedText();
    TlvNode* root = nullptr;
    uint32_t isConstructed = 0;
    const bool hasRows = grid_->GetRow(0) != nullptr;
    if (!bytes_.isEmpty()) {
        const TlvResult result = ParseBytes(bytes_, &root, &isConstructed, 1);
        if (result != TLV_OK) {
            AppPrompts()->ShowError(
                this, QString::fromLatin1(result == TLV_ERR_PADDING ? kBadPadding : kBadData),
                QString::fromLatin1(kDataError));
            ShowEncodedBytesUndoably(QStringLiteral("Parse"));
            PointAtParseProblem(result);
            return;
        }
        if (hasRows && !AppPrompts()->AskYesNo(this, QString::fromLatin1(kReplaceParsed))) {
            TlvFree(root);
            return;
        }
        SetDocumentModified();
    } else if (hasRows) {
        if (!AppPrompts()->AskYesNo(this, QString::fromLatin1(kNothingToParse))) {
            ShowEncodedBytesUndoably(QStringLiteral("Parse"));
            return;
        }
        SetDocumentModified();
    }
    ReplaceRoot(root, isConstructed);
    errors_.Clear();
}

void COrdaView::OnEncode() {
    CommitEdits();
    UndoScope step(this, QStringLiteral("Encode"), UndoScope::kWithPane);
    const bool paneEmpty = StrippedLatin1(PaneText()).isEmpty();
    GridRow* first = grid_->GetRow(0);
    if (first != nullptr) {
        const TlvNode* root = static_cast<const TlvNode*>(first->Data());
        if (root == nullptr) {
            return;
        }
        if (!paneEmpty && !AppPrompts()->AskYesNo(this, QString::fromLatin1(kReplaceEncoded))) {
            return;
        }
        QString text;
        if (!EncodedText(root, &text)) {
            return;
        }
        SetPaneText(text);
        OnDisplayModeChange();
        SetDocumentModified();
        step.RecordAlways();
        return;
    }
    if (paneEmpty || !AppPrompts()->AskYesNo(this, QString::fromLatin1(kNothingToEncode))) {
        return;
    }
    SetPaneText(QString());
    OnDisplayModeChange();
    SetDocumentModified();
    step.RecordAlways();
}

void COrdaView::StoreDocumentData(QString* treeText, QString* paneText) {
    CommitEdits();
    treeText->clear();
    GridRow* first = grid_->GetRow(0);
    const TlvNode* root = first != nullptr ? static_cast<const TlvNode*>(first->Data()) : nullptr;
    if (root != nullptr) {
        EncodedText(root, treeText);
    } else {
        *treeText = QString::fromLatin1(unreadTree_);
    }
    *paneText = PaneText();
}

void COrdaView::LoadDocumentData(QString* treeText, const QString& paneText) {
    // The caller may pass one string as both the tree and the pane text.
    *treeText = QString::fromLatin1(LoadDocument(treeText->toLatin1(), QStringView(paneText)));
}

void COrdaView::LoadDocumentData(QString* treeText, QLatin1String paneText) {
    *treeText = QString::fromLatin1(LoadDocument(treeText->toLatin1(), paneText));
}

void COrdaView::LoadDocumentData(const QByteArray& treeText, QLatin1String paneText) {
    LoadDocument(treeText, paneText);
}

void COrdaView::AppendDocumentPaneText(QLatin1String more) {
    settingPaneText_ = true;
    pane_->AppendText(more);
    SetPaneBaseline();
    settingPaneText_ = false;
}

template <typename Text>
QByteArray COrdaView::LoadDocument(const QByteArray& treeText, Text paneText) {
    bytes_.clear();
    QByteArray stripped = treeText;
    stripped.resize(
        HexTextStripWhiteSpace(stripped.data(), static_cast<uint32_t>(stripped.size())));
    bytes_ = TextToBytes(stripped);
    TlvNode* root = nullptr;
    uint32_t isConstructed = 0;
    if (!bytes_.isEmpty() && ParseBytes(bytes_, &root, &isConstructed, 0) == TLV_OK) {
        ReplaceRoot(root, isConstructed);
    } else {
        unreadTree_ = stripped;
    }
    errors_.Clear();
    SetPaneText(paneText);
    undoStack_->clear();
    // What was loaded is what undo and typing lead back to.
    MarkSaved();
    // A view showing a byte table shows the bytes of the text it now holds.
    if (displayMode_ != DISPLAY_MODE_EDIT) {
        ShowPaneBytes();
    }
    return stripped;
}

void COrdaView::SetDocumentModified() {
    if (document_ != nullptr) {
        document_->SetModifiedFlag(true);
        document_->SetTitle(document_->Title());
    }
    // A change no step records: undo no longer leads back to the saved state.
    if (recording_ == 0) {
        undoStack_->resetClean();
    }
}

QWidget* COrdaView::ClipboardTarget() const {
    QWidget* focus = CommandFocusWidget();
    if (focus == pane_) {
        return pane_;
    }
    if (QWidget* editor = grid_->ActiveTextEditor()) {
        return editor;
    }
    return focus == grid_ ? grid_ : nullptr;
}

void COrdaView::OnEditCut() {
    if (QPlainTextEdit* pane = qobject_cast<QPlainTextEdit*>(ClipboardTarget())) {
        pane->cut();
    } else if (QLineEdit* editor = qobject_cast<QLineEdit*>(ClipboardTarget())) {
        editor->cut();
    }
}

void COrdaView::OnEditCopy() {
    if (QPlainTextEdit* pane = qobject_cast<QPlainTextEdit*>(ClipboardTarget())) {
        pane->copy();
    } else if (QLineEdit* editor = qobject_cast<QLineEdit*>(ClipboardTarget())) {
        editor->copy();
    } else if (ClipboardTarget() == grid_) {
        CopyCell(grid_);
    }
}

void COrdaView::OnEditPaste() {
    if (QPlainTextEdit* pane = qobject_cast<QPlainTextEdit*>(ClipboardTarget())) {
        pane->paste();
    } else if (QLineEdit* editor = qobject_cast<QLineEdit*>(ClipboardTarget())) {
        editor->paste();
    }
}

bool COrdaView::CanCut() const {
    return ClipboardTarget() != grid_ && CanCopy();
}

bool COrdaView::CanCopy() const {
    QWidget* target = ClipboardTarget();
    if (QPlainTextEdit* pane = qobject_cast<QPlainTextEdit*>(target)) {
        return pane->textCursor().hasSelection();
    }
    if (QLineEdit* editor = qobject_cast<QLineEdit*>(target)) {
        return editor->hasSelectedText();
    }
    return target == grid_ && CanCopyCell(grid_);
}

bool COrdaView::CanPaste() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

bool COrdaView::ContextMenuAllowed() const {
    if (grid_->GetRow(0) == nullptr) {
        return true;
    }
    int column = -1;
    GridRow* row = grid_->GetCurSel(nullptr, &column);
    return row != nullptr && column == ELEMENT_COLUMN_NAME && row->Data() != nullptr;
}

void COrdaView::OnGridContextMenu(const QPoint& position) {
    const QPoint at = grid_->viewport()->mapToGlobal(position);
    if (ContextMenuAllowed()) {
        if (!dataElementMenu_->isEmpty()) {
            dataElementMenu_->popup(at);
        }
    } else if (copyMenu_->Prepare()) {
        copyMenu_->popup(at);
    }
    grid_->setFocus();
}

void COrdaView::OnFilePrint(QPrinter* printer) {
    CommitEdits();
    if (AppPrompts()->AskPrint(this, printer)) {
        PrintGrid(grid_, printer);
    }
}

void COrdaView::OnFilePrintDirect(QPrinter* printer) {
    CommitEdits();
    PrintGrid(grid_, printer);
}

void COrdaView::OnFilePrintPreview(QPrinter* printer) {
    CommitEdits();
    AppPrompts()->ShowPrintPreview(this, printer,
                                   [this](QPrinter* target) { PrintGrid(grid_, target); });
}

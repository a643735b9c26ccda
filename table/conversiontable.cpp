#include "table/conversiontable.h"
#include "table/celleditor.h"

#include "core/catalogue.h"
#include "gui/common.h"
#include "gui/dialogservice.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace ov::gui {

namespace {
constexpr int kValueColumn = ov::kColValue;

QString trimSpaces(QString s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s.at(a) == u' ')
        ++a;
    while (b > a && s.at(b - 1) == u' ')
        --b;
    return s.mid(a, b - a);
}

// Removes the last `count` characters, never splitting a surrogate pair.
void chopCharacters(QString& s, int count)
{
    for (int i = 0; i < count && !s.isEmpty(); ++i) {
        const bool pair = s.size() >= 2 && s.back().isLowSurrogate() && s.at(s.size() - 2).isHighSurrogate();
        s.chop(pair ? 2 : 1);
    }
}
} // namespace

ConversionTable::ConversionTable(const ov::UnitDatabase& db, char decimalSeparator, QWidget* parent)
    : QWidget(parent), db_(db), adapter_(*this), engine_(db_, adapter_)
{
    engine_.settings().decimalSeparator = decimalSeparator;
    setObjectName("picPrevod");
    buildWidgets();
    connectGrid();
    connectEditing();
    useOwnPaneSwitches();
    setOptions(TableOptions{});
    nameForAssistiveTechnology();
    showWelcome();
}

void ConversionTable::buildWidgets()
{
    titleLabel_ = new QLabel(this);
    titleLabel_->setObjectName("lblTitulek");
    titleLabel_->setTextFormat(Qt::PlainText);
    titleLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont titleFont = titleLabel_->font();
    titleFont.setBold(true);
    titleLabel_->setFont(titleFont);

    resultLabel_ = new QLabel(this);
    resultLabel_->setObjectName("lblSI");
    resultLabel_->setTextFormat(Qt::PlainText);
    resultLabel_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Switched off, the line gives its band to the grid.
    resultLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    titleLabel_->installEventFilter(this);
    resultLabel_->installEventFilter(this); // the right button offers what the line shows

    gridView_ = new GridView(this);
    cellEditor_ = new CellEditor(gridView_->viewport());
    editing_ = new CellEditing(gridView_, cellEditor_, this);

    topButton_ = new QToolButton(this);
    topButton_->setObjectName("picTop");
    topButton_->setArrowType(Qt::UpArrow);
    topButton_->setAutoRaise(true);
    topButton_->setFocusPolicy(Qt::NoFocus);
    topButton_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(titleLabel_);
    layout->addWidget(resultLabel_);
    layout->addWidget(gridView_, 1);
}

void ConversionTable::connectGrid()
{
    connect(gridView_, &GridView::gotFocus, this, &ConversionTable::gridGotFocus);
    connect(gridView_, &GridView::characterTyped, this, &ConversionTable::onCharacterTyped);
    connect(gridView_, &GridView::editKeyPressed, this, [this] { editing_->startEdit({}); });
    connect(gridView_, &GridView::doubleClickedCell, this, [this] { editing_->startEdit({}); });
    connect(gridView_, &GridView::insertPressed, this, &ConversionTable::onInsertPressed);
    connect(gridView_, &GridView::rightClicked, this, &ConversionTable::onGridRightClicked);
    connect(gridView_, &GridView::scrolled, this, &ConversionTable::onGridScrolled);
    connect(gridView_, &GridView::resized, this, &ConversionTable::onGridResized);
    connect(gridView_, &QTableWidget::currentCellChanged, this, &ConversionTable::onCurrentCellChanged);
    connect(topButton_, &QToolButton::clicked, this, &ConversionTable::scrollUpOneRow);
}

void ConversionTable::connectEditing()
{
    connect(editing_, &CellEditing::editStarted, this, [this](int row) { engine_.state().editRow = row; });
    connect(editing_, &CellEditing::focusGridRequested, this, &ConversionTable::focusGrid);
    connect(editing_, &CellEditing::menuRequested, this, &ConversionTable::contextMenuRequested);
    connect(cellEditor_, &QLineEdit::textChanged, this, &ConversionTable::onEditorTextChanged);
}

// Until the window hands over its switches, the table has its own: the preview on, the magnifier
// and the information off.
void ConversionTable::useOwnPaneSwitches()
{
    auto* preview = new QAction(this);
    preview->setCheckable(true);
    preview->setChecked(true);
    auto* magnifier = new QAction(this);
    magnifier->setCheckable(true);
    auto* info = new QAction(this);
    info->setCheckable(true);
    usePaneSwitches(preview, magnifier, info);
}

// ---- what the grid and the editor report -----------------------------------------------------

void ConversionTable::onCharacterTyped(const QString& text)
{
    if (!editing_->findMe(text))
        editing_->startEdit(text);
}

void ConversionTable::onInsertPressed()
{
    if (currentRow() >= 0)
        emit markToggleRequested(currentRow());
}

void ConversionTable::onGridRightClicked(int row, int column, const QPoint& globalPos)
{
    if (currentTopic_ == 0)
        return;
    if (column == kValueColumn || column < 0) {
        if (row >= 0)
            gridView_->setCurrentCell(row, kValueColumn);
        emit contextMenuRequested(cmd::Menu::ValueCell, globalPos);
    } else {
        emit contextMenuRequested(cmd::Menu::TableCell, globalPos);
    }
}

void ConversionTable::onGridScrolled()
{
    if (editing_->editing()) {
        editing_->discard();
        focusGrid();
    }
}

void ConversionTable::onGridResized()
{
    editing_->placeEditor();
    placeTopButton();
}

void ConversionTable::onCurrentCellChanged(int row, int column, int previousRow)
{
    if (row >= 0 && column != kValueColumn) {
        gridView_->setCurrentCell(row, kValueColumn); // the value column is the only current one
        return;
    }
    cellChanged(row, previousRow);
}

void ConversionTable::onEditorTextChanged(const QString& text)
{
    if (magnifierOn())
        emit magnifierTextChanged(cellString(currentRow(), 0) + QStringLiteral("\r\n") + text, 24);
}

void ConversionTable::scrollUpOneRow()
{
    if (currentRow() > 0)
        gridView_->setCurrentCell(currentRow() - 1, kValueColumn);
    if (gridView_->topRow() > 0)
        gridView_->setTopRow(gridView_->topRow() - 1);
    focusGrid();
    if (gridView_->topRow() == 0)
        topButton_->hide();
}

void ConversionTable::nameForAssistiveTechnology()
{
    // What a screen reader announces for the parts without a caption of their own; the labels
    // are read by their texts.
    setAccessibleName(QStringLiteral("Převod"));
    resultLabel_->setAccessibleDescription(QStringLiteral("Krátký náhled"));
    gridView_->setAccessibleName(QStringLiteral("Tabulka převodu"));
    topButton_->setAccessibleName(QStringLiteral("O řádek výš"));
    topButton_->setToolTip(topButton_->accessibleName());
}

ConversionTable::~ConversionTable()
{
    // The children outlive the engine; nothing they report on their way out may reach it.
    gridView_->disconnect(this);
    cellEditor_->disconnect(this);
    editing_->disconnect(this);
    topButton_->disconnect(this);
}

// ---- topics ---------------------------------------------------------------------------------

void ConversionTable::showWelcome()
{
    editing_->discard();
    currentTopic_ = 0;
    gridView_->setHasTopic(false);
    gridView_->clearContents();
    gridView_->setRowCount(0);
    setTitle(fromStd(db_.topicName(0)));
    topButton_->hide();
    showStartHint();
}

void ConversionTable::setTitle(const QString& name)
{
    const bool hidden = marks_ && marks_->hidden(currentTopic_);
    titleLabel_->setText(u' ' + name + (hidden ? QStringLiteral(" (skryto)") : QString()));
}

void ConversionTable::setTitleText(const QString& text) { titleLabel_->setText(text); }

void ConversionTable::topicRenamed(int topic, const QString& name)
{
    if (topic > 0 && topic == currentTopic_)
        setTitle(name);
}

void ConversionTable::fillTopic(int topic)
{
    if (topic < 0 || topic > ov::kMaxTopic || editMode_)
        return;
    if (topic == 0) {
        showWelcome();
        return;
    }
    busy_ = true;
    std::optional<OverrideCursor> busy;
    busy.emplace(Qt::WaitCursor);
    currentTopic_ = topic;
    showStartHint(); // over with the first topic, also in a line switched off
    const int n = db_.unitCount(topic);
    setTitle(fromStd(db_.topicName(topic)));
    engine_.state().resultText = " Jednotek k převodu: " + std::to_string(n) + " ";
    showResult(resultText(), false, Qt::black);
    emit positionTextChanged(QStringLiteral("V tématu: 1/%1").arg(n));
    if (!firstShown_) {
        firstShown_ = true;
        emit firstTopicShown();
    }

    // A value half typed into the previous topic must not land in this one.
    editing_->discard();
    gridView_->setUpdatesEnabled(false);
    gridView_->clearContents();
    gridView_->setRowCount(0);
    gridView_->setRowCount(n);
    gridView_->setHasTopic(true);
    fillRows(topic, n);
    showMarks();
    // After hiding, the degree need not be the second unit of the angle topic any more.
    engine_.state().degreeMoved = marks_ && marks_->hidden(ov::kAngleTopic);
    updateMagnifier();
    if (n > 0) {
        engine_.state().editRow = 0;
        gridView_->setCurrentCell(0, kValueColumn);
        gridView_->setTopRow(0);
    }
    focusGrid();
    gridView_->setUpdatesEnabled(true);
    busy.reset();
    updateInfo();
    updateClipboardCommands();
    emit representationEnabledChanged(!currentValueText().isEmpty());
    topButton_->hide();
    busy_ = false;
    emit topicFilled(topic);
}

// A row per unit: its name and symbol, which cannot be edited, and an empty value cell.
void ConversionTable::fillRows(int topic, int count)
{
    for (int r = 0; r < count; ++r) {
        auto* name = new QTableWidgetItem(fromStd(db_.unit(topic, r + 1).name));
        name->setFlags(Qt::ItemIsEnabled);
        name->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* symbol = new QTableWidgetItem(fromStd(db_.unit(topic, r + 1).symbol));
        symbol->setFlags(Qt::ItemIsEnabled);
        symbol->setTextAlignment(Qt::AlignCenter);
        auto* value = new QTableWidgetItem();
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        gridView_->setItem(r, 0, name);
        gridView_->setItem(r, 1, symbol);
        gridView_->setItem(r, kValueColumn, value);
    }
}

void ConversionTable::goToRow(int row)
{
    // While a data file is edited the editor's caret moves instead; the table stays.
    if (editMode_ || row < 0 || row >= gridView_->rowCount())
        return;
    gridView_->setCurrentCell(row, kValueColumn);
    gridView_->setTopRow(row);
    // The arrow is needed only when rows are scrolled away although all of them would fit.
    int total = 0;
    for (int r = 0; r < gridView_->rowCount(); ++r)
        total += gridView_->rowHeight(r);
    const bool allFit = total <= gridView_->viewport()->height();
    topButton_->setVisible(allFit && row >= 1 && gridView_->topRow() > 0);
    placeTopButton();
}

// ---- settings -------------------------------------------------------------------------------

void ConversionTable::setFormat(int index)
{
    engine_.settings().format = static_cast<ov::DisplayFormat>(std::clamp(index, 0, 3));
}
ov::EngineSettings& ConversionTable::settings() const
{
    return const_cast<ov::ConversionEngine&>(engine_).settings(); // the engine offers no const view
}
int ConversionTable::format() const { return static_cast<int>(settings().format); }
void ConversionTable::formatTable() { engine_.formatTable(currentTopic_); }

void ConversionTable::setOptions(const TableOptions& options)
{
    options_ = options;
    options_.fix = std::clamp(options.fix, 0, 9);
    ov::EngineSettings& engine = engine_.settings();
    engine.fix = options_.fix;
    engine.colored = options_.colored;
    engine.coloredColour = options_.colouredColour;
    engine.expressions = options_.expressions;
    gridView_->setGridLinesShown(options_.gridLines);
}

char ConversionTable::decimalSeparator() const { return settings().decimalSeparator; }
long ConversionTable::conversionCount() const { return engine_.state().conversionCount; }
void ConversionTable::setConversionCount(long count) { engine_.state().conversionCount = count; }

void ConversionTable::usePaneSwitches(QAction* preview, QAction* magnifier, QAction* info)
{
    // The table's own stand-ins go: the window's switches replace them for good.
    for (QAction* own : {preview_, magnifier_, info_})
        if (own && own->parent() == this)
            delete own;
    followSwitch(preview_ = preview, &ConversionTable::previewSwitched);
    followSwitch(magnifier_ = magnifier, &ConversionTable::updateMagnifier);
    followSwitch(info_ = info, &ConversionTable::updateInfo);
    previewSwitched();
    updateMagnifier();
    updateInfo();
}

void ConversionTable::followSwitch(QAction* action, void (ConversionTable::*follow)())
{
    connect(action, &QAction::toggled, this, follow);
}

void ConversionTable::previewSwitched() { resultLabel_->setVisible(resultLineVisible()); }

bool ConversionTable::resultLineVisible() const { return preview_->isChecked(); }
bool ConversionTable::magnifierOn() const { return magnifier_->isChecked(); }
bool ConversionTable::infoOn() const { return info_->isChecked(); }

void ConversionTable::setResultLineVisible(bool on) { preview_->setChecked(on); }

void ConversionTable::setReferenceMode(int mode) { referenceMode_ = mode == 1 ? 1 : 0; }

void ConversionTable::setMagnifierOn(bool on) { magnifier_->setChecked(on); }

void ConversionTable::setInfoOn(bool on) { info_->setChecked(on); }

void ConversionTable::setMarkingDisplay(bool on)
{
    markingDisplay_ = on;
    if (on) {
        showMarks();
        return;
    }
    for (int r = 0; r < gridView_->rowCount(); ++r) {
        setCellPicture(r, 0, CellPicture::Blank);
        setCellPicture(r, kValueColumn, CellPicture::Blank);
    }
}

// ShowMarks: the information picture of every unit that has a text, the mark of every marked one.
void ConversionTable::showMarks()
{
    if (!markingDisplay_)
        return;
    const int t = currentTopic_;
    for (int r = 0; r < gridView_->rowCount() && r < ov::kMaxUnits; ++r) {
        if (!db_.unit(t, r + 1).info.empty())
            setCellPicture(r, 0, CellPicture::Info);
        if (marks_ && marks_->marked(t, r + 1))
            setCellPicture(r, kValueColumn, CellPicture::Mark);
    }
}

void ConversionTable::setCellPicture(int row, int column, CellPicture picture)
{
    if (QTableWidgetItem* cell = gridView_->item(row, column))
        cell->setData(kPictureRole, static_cast<int>(picture));
}

CellPicture ConversionTable::cellPicture(int row, int column) const
{
    const QTableWidgetItem* cell = gridView_->item(row, column);
    return cell ? static_cast<CellPicture>(cell->data(kPictureRole).toInt()) : CellPicture::None;
}

// ---- focus, cell change, result line ---------------------------------------------------------

void ConversionTable::focusGrid()
{
    if (gridView_->hasFocus())
        return;
    focusDelivered_ = false;
    gridView_->setFocus(Qt::OtherFocusReason);
    // A hidden or inactive window gets no focus event; the grid still takes over the edit.
    if (!focusDelivered_)
        gridGotFocus();
}

void ConversionTable::gridGotFocus()
{
    focusDelivered_ = true;
    if (engineRunning_) // a message box shown by the engine gives the focus back to the grid
        return;
    engineRunning_ = true;
    const bool committing = editing_->editing();
    engine_.onGridFocus(currentTopic_);
    engineRunning_ = false;
    if (committing)
        emit conversionDone();
}

void ConversionTable::cellChanged(int row, int previousRow)
{
    if (row == previousRow)
        return;
    editing_->leaveCell(previousRow);
    if (row >= 0)
        enterCell();
}

void ConversionTable::enterCell()
{
    if (busy_)
        return;
    updateMagnifier();
    updateInfo();
    updateClipboardCommands();
    if (gridView_->topRow() == 0 && !topButton_->isHidden())
        topButton_->hide();
    const int row = currentRow();
    if (!cellString(row, kValueColumn).isEmpty() && resultLineVisible()) {
        int reference = referenceMode_ == 0 ? 0 : editRow();
        if (reference < 0 || reference >= gridView_->rowCount())
            reference = 0;
        engine_.state().resultText = engine_.composeResultLine(row, reference);
        showResult(resultText(), false, Qt::black);
    }
    emit positionTextChanged(QStringLiteral("V tématu: %1/%2").arg(row + 1).arg(db_.unitCount(currentTopic_)));
}

void ConversionTable::showResult(const QString& text, bool showBox, const QColor& colour)
{
    if (resultLineVisible()) {
        resultLabel_->setToolTip(text);
        QPalette pal = resultLabel_->palette();
        // Black is the line's ordinary colour: the theme's text colour, which a dark theme needs.
        const QColor ordinary = QApplication::palette(resultLabel_).color(QPalette::WindowText);
        pal.setColor(QPalette::WindowText, colour == QColor(Qt::black) ? ordinary : colour);
        resultLabel_->setPalette(pal);
        // Too long for the line: cut two characters at a time and show that something is missing.
        const int room = gridView_->width() - 20;
        const QFontMetrics metrics(resultLabel_->font());
        QString caption = text;
        if (metrics.horizontalAdvance(caption) > room) {
            do {
                chopCharacters(caption, 2);
                caption = trimSpaces(caption);
            } while (!caption.isEmpty() && metrics.horizontalAdvance(caption) >= room);
            caption += QChar(0x2026);
        }
        resultLabel_->setText(caption);
        emit representationEnabledChanged(!caption.isEmpty() && !currentValueText().isEmpty());
    } else if (showBox) {
        dialogs().message(this, DialogService::Icon::Information, appTitle(), text, QMessageBox::Ok);
    }
}

void ConversionTable::updateClipboardCommands() { emit copyEnabledChanged(!currentValueText().isEmpty()); }

// ---- small helpers --------------------------------------------------------------------------

QString ConversionTable::resultText() const { return fromStd(engine_.state().resultText); }
QString ConversionTable::resultLineText() const { return hintShown_ ? QString() : resultLabel_->toolTip(); }
QString ConversionTable::cellString(int row, int column) const
{
    const QTableWidgetItem* cell = gridView_->item(row, column);
    return cell ? cell->text() : QString();
}
QString ConversionTable::currentValueText() const { return cellString(currentRow(), kValueColumn); }
int ConversionTable::currentRow() const { return gridView_->currentRow(); }
int ConversionTable::rowCount() const { return gridView_->rowCount(); }
std::pair<int, int> ConversionTable::selectedRows() const
{
    int first = currentRow(), last = currentRow();
    for (const QTableWidgetSelectionRange& range : gridView_->selectedRanges()) {
        first = std::min(first, range.topRow());
        last = std::max(last, range.bottomRow());
    }
    return {first, last};
}

int ConversionTable::editRow() const { return engine_.state().editRow; }

void ConversionTable::placeTopButton()
{
    const QSize size(18, 18);
    const QRect grid = gridView_->geometry();
    topButton_->setGeometry(grid.right() + 1 - size.width(), grid.top(), size.width(), size.height());
    topButton_->raise();
}

void ConversionTable::mousePressEvent(QMouseEvent* event)
{
    // A right click on the pane beside the grid (title, result line, margins) offers "&Přejít".
    if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(cmd::Menu::Go, event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ConversionTable::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse already had its menu on the press.
    event->accept();
}

void ConversionTable::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeTopButton();
}

bool ConversionTable::eventFilter(QObject* watched, QEvent* event)
{
    // The result line has a menu of its own, on the release of the right button; the press
    // must not reach the pane's menu beside the grid.
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched == titleLabel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit titleClicked();
        return true;
    }
    if (watched == resultLabel_ && (press || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            if (!press)
                emit contextMenuRequested(cmd::Menu::ResultLine, mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ov::gui

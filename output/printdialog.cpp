#include "output/printdialog.h"

#include "gui/common.h"
#include "gui/dialogservice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ov::gui {

namespace {

const QString kCopyName = QStringLiteral("OMNIVEL.ASC");

// The name of what the printer prints into: the printer's, or the PDF file's for printing to a file.
QString printerDescription(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return QDir::toNativeSeparators(printer.outputFileName());
    return printer.printerName();
}

QGroupBox* frame(const QString& title, const QString& toolTip, const char* name)
{
    auto* box = new QGroupBox(title);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(toolTip);
    box->setAccessibleName(title);
    box->setAccessibleDescription(toolTip);
    return box;
}

template <class Button> Button* button(const QString& text, const QString& name)
{
    auto* b = new Button(text);
    b->setObjectName(name);
    b->setAccessibleName(text);
    return b;
}

} // namespace

// A path too long for the label keeps its start and its end: the first 11 characters, "…" and
// as much of the tail as fits. The tool tip has the whole text.
class MiddleElidedLabel : public QLabel {
public:
    using QLabel::QLabel;
    // Read whole by a screen reader, however it is shortened on the screen.
    void setFullText(const QString& text)
    {
        full_ = text;
        setToolTip(text);
        setAccessibleName(text.isEmpty() ? accessibleDescription() : text);
        fit();
    }
    QString fullText() const { return full_; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        fit();
    }

private:
    void fit()
    {
        const QFontMetrics metrics(font());
        const int room = contentsRect().width();
        if (metrics.horizontalAdvance(full_) <= room) {
            setText(full_);
            return;
        }
        QString caption;
        for (qsizetype k = full_.size() - 13; k >= 0; --k) {
            caption = full_.left(11) + QChar(0x2026) + full_.right(k);
            if (metrics.horizontalAdvance(caption) < room)
                break;
        }
        setText(caption);
    }

    QString full_;
};

PrintDialog::PrintDialog(QPrinter& printer, const QString& copyPath, QWidget* parent)
    : QDialog(parent), printer_(printer), copyPath_(copyPath)
{
    setObjectName(QStringLiteral("frmTisk"));
    setWindowTitle(QStringLiteral("Tisk"));
    setAccessibleName(QStringLiteral("Tisk"));

    QGroupBox* outputFrame = buildOutputFrame();
    buildContentFrame();
    buildFontFrame();
    buildFileFrame();
    buildDestination();

    auto* left = new QVBoxLayout;
    left->addWidget(outputFrame);
    left->addWidget(whatFrame_);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(fontFrame_);
    right->addWidget(fileFrame_);
    right->addStretch(1);
    addButtons(right);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(destination_);
    all->addWidget(fileLength_);
    targetChanged();
}

template <std::size_t N>
QButtonGroup* PrintDialog::radioColumn(QGroupBox* box, const std::array<QString, N>& texts, const QString& prefix,
                                       std::array<QRadioButton*, N>& buttons)
{
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < int(N); ++i) {
        buttons[i] = button<QRadioButton>(texts[i], prefix + QString::number(i));
        group->addButton(buttons[i], i);
        layout->addWidget(buttons[i]);
    }
    return group;
}

QGroupBox* PrintDialog::buildOutputFrame()
{
    QGroupBox* box = frame(QStringLiteral("Výstup"), QStringLiteral("Výstupní zařízení"), "fraZ");
    const std::array texts = {QStringLiteral("Tiskárna"), QStringLiteral("Soubor")};
    QButtonGroup* targets = radioColumn(box, texts, QStringLiteral("optZ_"), targetButtons_);
    targetButtons_[Printer]->setChecked(true);
    connect(targets, &QButtonGroup::idClicked, this, &PrintDialog::targetChanged);
    return box;
}

void PrintDialog::buildContentFrame()
{
    whatFrame_ = frame(QStringLiteral("Tisknout co"), QStringLiteral("Obsah výstupu"), "fraT");
    const std::array texts = {QStringLiteral("Aktuální hodnota"), QStringLiteral("Aktuální řádek"),
                              QStringLiteral("Náhled"), QStringLiteral("Tabulka"), QStringLiteral("Obsah souboru")};
    QButtonGroup* contents = radioColumn(whatFrame_, texts, QStringLiteral("optT_"), contentButtons_);
    contentButtons_[Row]->setChecked(true);
    connect(contents, &QButtonGroup::idToggled, this, &PrintDialog::contentChanged);
}

void PrintDialog::contentChanged() { ok_->setEnabled(contentButtons_[content()]->isEnabled()); }

void PrintDialog::buildFontFrame()
{
    fontFrame_ = frame(QStringLiteral("Velikost písma"), QStringLiteral("Velikost písma v bodech"), "fraPismo");
    auto* fontLayout = new QHBoxLayout(fontFrame_);
    fontSlider_ = new QSlider(Qt::Horizontal);
    fontSlider_->setObjectName(QStringLiteral("sldPismo"));
    fontSlider_->setAccessibleName(QStringLiteral("Velikost písma"));
    fontSlider_->setRange(kMinFontSize, kMaxFontSize);
    fontSlider_->setValue(kDefaultFontSize);
    fontValue_ = new QLabel(QString::number(kDefaultFontSize));
    fontValue_->setObjectName(QStringLiteral("lblPismo"));
    fontValue_->setAccessibleDescription(QStringLiteral("Velikost písma v bodech"));
    setLabelText(fontValue_, fontValue_->text());
    auto* points = new QLabel(QStringLiteral("bodů"));
    points->setObjectName(QStringLiteral("lblBodu"));
    points->setAccessibleName(QStringLiteral("bodů"));
    fontLayout->addWidget(fontSlider_, 1);
    fontLayout->addWidget(fontValue_);
    fontLayout->addWidget(points);
    connect(fontSlider_, &QSlider::valueChanged, this, [this](int v) { setLabelText(fontValue_, QString::number(v)); });
}

void PrintDialog::buildFileFrame()
{
    fileFrame_ = frame(QStringLiteral("Výstupní soubor"), QString(), "fraSoubor");
    auto* fileLayout = new QVBoxLayout(fileFrame_);
    eraseCheck_ = button<QCheckBox>(QStringLiteral("Mazat výstupní soubor"), QStringLiteral("chkMazat"));
    separateCheck_ = button<QCheckBox>(QStringLiteral("Při tisku výstup oddělit"), QStringLiteral("chkOddel"));
    fileLayout->addWidget(eraseCheck_);
    fileLayout->addWidget(separateCheck_);
}

// OK, Storno and the printer set-up, under each other at the foot of the right column.
void PrintDialog::addButtons(QVBoxLayout* column)
{
    ok_ = button<QPushButton>(QStringLiteral("OK"), QStringLiteral("cmdTisk_0"));
    ok_->setDefault(true);
    auto* cancel = button<QPushButton>(QStringLiteral("Storno"), QStringLiteral("cmdTisk_1"));
    auto* setup = button<QPushButton>(QStringLiteral("Tiskárna ..."), QStringLiteral("cmdTisk_2"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(setup, &QPushButton::clicked, this, &PrintDialog::printerSetup);
    for (QPushButton* b : {ok_, cancel, setup})
        column->addWidget(b);
}

void PrintDialog::buildDestination()
{
    destination_ = new MiddleElidedLabel;
    destination_->setObjectName(QStringLiteral("lblAbout_6"));
    destination_->setAccessibleDescription(QStringLiteral("Cíl výstupu"));
    destination_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    fileLength_ = new QLabel;
    fileLength_->setObjectName(QStringLiteral("lblAbout_8"));
    fileLength_->setToolTip(QStringLiteral("Délka souboru"));
    fileLength_->setAccessibleDescription(QStringLiteral("Délka souboru"));
    setLabelText(fileLength_, {});
}

void PrintDialog::setAvailability(bool haveRow, bool previewShown)
{
    for (Content c : {Value, Row, Table})
        contentButtons_[c]->setEnabled(haveRow);
    contentButtons_[Preview]->setEnabled(haveRow && previewShown);
    chooseAvailableContent();
}

PrintDialog::Target PrintDialog::target() const { return targetButtons_[File]->isChecked() ? File : Printer; }

PrintDialog::Content PrintDialog::content() const
{
    for (int i = 0; i < 5; ++i)
        if (contentButtons_[i]->isChecked())
            return static_cast<Content>(i);
    return Row;
}

int PrintDialog::fontSize() const { return fontSlider_->value(); }
bool PrintDialog::eraseFile() const { return eraseCheck_->isChecked(); }
bool PrintDialog::separateOutput() const { return separateCheck_->isChecked(); }
QString PrintDialog::destinationText() const { return destination_->fullText(); }

void PrintDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The print copy file may have come or gone since the last time.
    refreshFileState();
    updateDestination();
    ok_->setFocus(Qt::OtherFocusReason);
}

void PrintDialog::targetChanged()
{
    updateDestination();
    const bool printer = target() == Printer;
    fontFrame_->setVisible(printer);
    fileFrame_->setVisible(!printer);
    whatFrame_->setTitle(printer ? QStringLiteral("Tisknout co") : QStringLiteral("Uložit co"));
    whatFrame_->setAccessibleName(whatFrame_->title());
    fileLength_->setVisible(!printer);
    contentButtons_[FileContent]->setVisible(printer);
    chooseAvailableContent();
}

void PrintDialog::refreshFileState()
{
    const QFileInfo info(copyPath_);
    const bool readable = info.isFile();
    if (!info.exists()) {
        setLabelText(fileLength_, kCopyName + QStringLiteral(" neexistuje"));
    } else if (readable) {
        setLabelText(fileLength_, kCopyName + QStringLiteral(" %1 B").arg(info.size()));
    } else {
        setLabelText(fileLength_, kCopyName);
        dialogs().message(this, DialogService::Icon::Critical, appTitle(),
                          QStringLiteral("Chyba při čtení souboru ") + kCopyName);
    }
    contentButtons_[FileContent]->setEnabled(readable);
    chooseAvailableContent();
}

void PrintDialog::updateDestination()
{
    if (target() == Printer)
        destination_->setFullText(QStringLiteral("Tiskárna: ") + printerDescription(printer_));
    else
        destination_->setFullText(QStringLiteral("Soubor: ") + QDir::toNativeSeparators(copyPath_));
}

// An option that cannot be used now gives way to the current row, or else to the first one
// that can; with none, OK has nothing to print.
void PrintDialog::chooseAvailableContent()
{
    const auto usable = [this](int i) { return contentButtons_[i]->isEnabled() && !contentButtons_[i]->isHidden(); };
    if (!usable(content())) {
        int chosen = usable(Row) ? int(Row) : -1;
        for (int i = 0; i < 5 && chosen < 0; ++i)
            if (usable(i))
                chosen = i;
        if (chosen >= 0)
            contentButtons_[chosen]->setChecked(true);
    }
    ok_->setEnabled(usable(content()));
}

void PrintDialog::printerSetup()
{
    // Cancelling keeps the printer there was; the dialog stays open either way.
    if (dialogs().printDialog(this, printer_, false))
        updateDestination();
}

} // namespace ov::gui

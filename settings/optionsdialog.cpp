#include "settings/optionsdialog.h"

#include "core/catalogue.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "settings/appcontext.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

namespace ov::gui {
namespace {

// One tab of the dialog: caption, and the container the program has always named.
struct TabRow {
    const char* caption;
    QWidget* (OptionsDialog::*build)();
};

// Only whole numbers written in digits; a sign, a fraction or an exponent is not one.
std::optional<int> wholeNumber(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    return t.toInt();
}

// A bound of the range message: a leading space stands for the sign of a positive number.
QString signedText(double v)
{
    const auto n = static_cast<long long>(v);
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

// "12,5 kB (12800 bajtů)": kilobytes with at most two decimals, none when they are zero.
QString sizeText(qint64 bytes)
{
    QString kb = QString::number(std::round(double(bytes) / 1024.0 * 100.0) / 100.0, 'f', 2);
    while (kb.endsWith(QLatin1Char('0')))
        kb.chop(1);
    if (kb.endsWith(QLatin1Char('.')))
        kb.chop(1);
    kb.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return kb + QStringLiteral(" kB (") + QString::number(bytes) + QStringLiteral(" bajtů)");
}

// The colour as the table shows it: a system colour from the palette, or the stored one.
QColor shownColour(qint32 stored, const QPalette& palette)
{
    const ov::TextColour c = storedColour(stored);
    switch (c.role) {
    case ov::TextColour::Role::Rgb: return QColor::fromRgb(QRgb(c.rgb));
    case ov::TextColour::Role::HighlightText: return palette.color(QPalette::HighlightedText);
    case ov::TextColour::Role::Highlight: return palette.color(QPalette::Highlight);
    case ov::TextColour::Role::GrayText: return palette.color(QPalette::Disabled, QPalette::Text);
    case ov::TextColour::Role::WindowText: break;
    }
    return palette.color(QPalette::WindowText);
}

// Colours are stored blue-green-red, the way the settings have always held them.
qint32 storedForm(const QColor& c)
{
    return qint32(quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16);
}

void settingsNotSaved(QWidget* parent, const SettingsStore& store)
{
    dialogs().message(parent, DialogService::Icon::Warning, appTitle(), store.notSavedText());
}

} // namespace

OptionsDialog::OptionsDialog(AppContext& ctx, OptionsHost& host, QWidget* parent)
    : QDialog(parent), ctx_(ctx), host_(host)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Možnosti"));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tbsOptions"));
    tabs_->setAccessibleName(QStringLiteral("Možnosti"));
    const TabRow tabs[] = {
        {"Obecné", &OptionsDialog::buildGeneral}, {"Zobrazení", &OptionsDialog::buildView},
        {"Formát", &OptionsDialog::buildFormat},  {"Po startu", &OptionsDialog::buildStart},
        {"Informace", &OptionsDialog::buildInfo},
    };
    for (const TabRow& t : tabs) {
        QWidget* page = (this->*t.build)();
        page->setObjectName(QStringLiteral("picOptions_%1").arg(tabs_->count()));
        tabs_->addTab(page, QString::fromUtf8(t.caption));
    }
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int i) { lastTab_ = i; });

    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setDefault(true);
    cancelButton_ = buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    cancelButton_->setObjectName(QStringLiteral("cmdStorno"));
    connect(okButton_, &QPushButton::clicked, this, &OptionsDialog::ok);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    // A refused number keeps the focus in its field; Storno may still be pressed.
    connect(qApp, &QApplication::focusChanged, this, &OptionsDialog::onFocusChanged);
}

bool OptionsDialog::run()
{
    load();
    return dialogs().exec(*this) == QDialog::Accepted;
}

void OptionsDialog::load()
{
    const Preferences& shown = ctx_.prefs;
    live_ = host_.liveOptions();
    path_ = {shown.path, shown.pathUser};
    file_ = {shown.file, shown.fileUser};
    // The file saved in the editor must be the one reloaded: no other while it is open.
    const bool filesFree = !host_.editingDataFile();
    for (int i = 0; i < 2; ++i) {
        pathEdits_[std::size_t(i)]->setText(QDir::toNativeSeparators(path_[std::size_t(i)]));
        pathButtons_[std::size_t(i)]->setEnabled(filesFree);
        showFile(i);
    }
    safeEndCheck_->setChecked(shown.safeEnd == 1);
    expressionsCheck_->setChecked(shown.evaluateExpressions);
    keepHistoryCheck_->setChecked(shown.keepHistory);
    onlyOneCheck_->setChecked(shown.onlyOne == 1);
    gridCheck_->setChecked(shown.gridOption == 1);
    startHintCheck_->setChecked(shown.startHint);
    const QString numbers[] = {QString::number(shown.numBase), QString::number(shown.numBaseDec),
                               QString::number(shown.fractionSensitivity), shown.fixText};
    for (std::size_t i = 0; i < numbers_.size(); ++i)
        numbers_[i].edit->setText(numbers[i]);
    // The level as last chosen and on-top as stored: they take effect at the next start.
    const int level = live_.level >= 0 ? live_.level : shown.level;
    if (QAbstractButton* b = levelGroup_->button(std::clamp(level, 0, 3)))
        b->setChecked(true);
    onTopCheck_->setChecked(shown.onTop);
    const bool panes[] = {live_.showPreview, live_.showMagnifier, live_.showInfo};
    for (std::size_t i = 0; i < 3; ++i)
        paneChecks_[i]->setChecked(panes[i]);
    navigatorGroup_->button(live_.navigator == 0 ? 0 : 1)->setChecked(true);
    topicViewGroup_->button(live_.topicView == 0 ? 0 : 1)->setChecked(true);
    markingCheck_->setChecked(live_.marking);
    rememberMarksCheck_->setChecked(shown.rememberMarks);
    formatCombo_->setCurrentIndex(std::clamp(live_.displayFormat, 0, 3));
    numbers_[3].edit->setEnabled(formatCombo_->currentIndex() == 3);

    // Before start-up has filled the navigator (the set-up switch) the stored names serve.
    const QStringList names = host_.startTopicNames();
    startTopicCombo_->clear();
    startTopicCombo_->addItem(QStringLiteral("Úvodní obrazovka")); // topic 0: no topic, the start screen
    for (int n = 1; n <= ov::kBuiltinTopics; ++n) {
        QString name = names.size() >= n ? names.at(n - 1) : ctx_.store.navigatorText(false, n, {});
        startTopicCombo_->addItem(name.isEmpty() ? fromStd(ov::DefaultTopicName(n)) : name);
    }
    startTopicCombo_->setCurrentIndex(std::clamp(shown.startTopic, 0, ov::kBuiltinTopics));

    colouredCheck_->setChecked(shown.colored == 1);
    colour_ = shown.coloredColor;
    showColour();
    showStatistics();
    tabs_->setCurrentIndex(lastTab_);
}

void OptionsDialog::showFile(int index)
{
    const QFileInfo fi(path_[std::size_t(index)]);
    if (!fi.isFile()) {
        setLabelText(size_[std::size_t(index)], {});
        setLabelText(time_[std::size_t(index)], {});
        return;
    }
    setLabelText(size_[std::size_t(index)], sizeText(fi.size()));
    setLabelText(time_[std::size_t(index)], fi.lastModified().toString(QStringLiteral("dd.MM.yyyy, hh:mm:ss")));
}

void OptionsDialog::chooseFile(int index)
{
    const auto i = std::size_t(index);
    const QString chosen =
        dialogs().openFileName(this, QStringLiteral("Zvolte soubor s daty programu omniVELOR"), path_[i],
                               QStringLiteral("Soubor dat omniVELOR (*.omv);;Všechny soubory (*)"));
    if (chosen.isEmpty())
        return;
    path_[i] = chosen;
    file_[i] = QFileInfo(chosen).fileName();
    pathEdits_[i]->setText(QDir::toNativeSeparators(chosen));
    showFile(0);
    showFile(1);
}

void OptionsDialog::chooseColour()
{
    const std::optional<QColor> chosen =
        dialogs().colour(this, shownColour(colour_, colouredCheck_->palette()), QStringLiteral("Volba barvy"));
    if (chosen) {
        colour_ = storedForm(*chosen);
        showColour();
    }
    colouredCheck_->setFocus();
}

void OptionsDialog::showColour()
{
    // The swatch on the button shows every colour; the caption takes only a colour of its own,
    // since the system colour for highlighted text would vanish on the dialog's background.
    const QColor c = shownColour(colour_, palette());
    QPixmap swatch(14, 14);
    swatch.fill(c);
    QPainter(&swatch).drawRect(0, 0, 13, 13);
    colourButton_->setIcon(QIcon(swatch));
    QPalette p = palette();
    if (storedColour(colour_).role == ov::TextColour::Role::Rgb)
        p.setColor(QPalette::WindowText, c);
    colouredCheck_->setPalette(p);
}

void OptionsDialog::showStatistics()
{
    // An unreadable total counts from this run, as shut-down will store it.
    const qint64 totalSeconds = readOr<qint64>(0, [&] { return ctx_.store.seconds(Key::TotalTime); });
    const qint64 running = host_.runningSeconds();
    setLabelText(stats_[0], QString::number(ctx_.prefs.startCount));
    setLabelText(stats_[1], QString::number(host_.conversionCount()));
    setLabelText(stats_[2], timeText(totalSeconds + running));
    setLabelText(stats_[3], timeText(running));
}

void OptionsDialog::resetStatistics()
{
    // One start, no conversions, no time: stored at once and counted so from now on.
    if (!host_.clearCounters())
        settingsNotSaved(this, ctx_.store);
    showStatistics();
}

void OptionsDialog::keyPressEvent(QKeyEvent* event)
{
    // Ctrl+Tab goes round the tabs, from the last back to the first.
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count());
        return;
    }
    QDialog::keyPressEvent(event);
}

void OptionsDialog::onFocusChanged(QWidget* old, QWidget* now)
{
    // Leaving a field for another control of the dialog checks it; Storno does not, and
    // neither does a box or another window taking the focus.
    if (checking_ || !isVisible() || !old || !now || now == cancelButton_ || now->window() != this)
        return;
    for (const NumberField& f : numbers_)
        if (f.edit == old) {
            acceptable(f);
            return;
        }
}

bool OptionsDialog::acceptable(const NumberField& field)
{
    const KeyInfo& info = keyInfo(field.key);
    const std::optional<int> v = wholeNumber(field.edit->text());
    if (v && *v >= info.min && *v <= info.max)
        return true;
    checking_ = true;
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->widget(i)->isAncestorOf(field.edit))
            tabs_->setCurrentIndex(i);
    dialogs().message(this, DialogService::Icon::Information, appTitle(),
                      QStringLiteral("Musí být číslo mezi") + signedText(info.min) + QStringLiteral(" a") +
                          signedText(info.max));
    field.edit->setFocus(Qt::OtherFocusReason);
    field.edit->selectAll();
    checking_ = false;
    return false;
}

void OptionsDialog::ok()
{
    // Enter on OK leaves no field, so every number is checked here.
    for (const NumberField& f : numbers_)
        if (!acceptable(f))
            return;
    storeAndApply();
    accept();
}

void OptionsDialog::storeAndApply()
{
    const LiveOptions chosen = takeChoices();
    writeChoices();
    if (!ctx_.store.sync())
        settingsNotSaved(this, ctx_.store);
    host_.applyOptions(live_, chosen);
}

// The dialog's fields into the preferences; returns what the window shows at once.
LiveOptions OptionsDialog::takeChoices()
{
    auto number = [this](std::size_t i) { return wholeNumber(numbers_[i].edit->text()).value_or(0); };
    Preferences& p = ctx_.prefs;
    p.file = file_[0];
    p.path = path_[0];
    p.fileUser = file_[1];
    p.pathUser = path_[1];
    p.safeEnd = safeEndCheck_->isChecked() ? 1 : 0;
    p.evaluateExpressions = expressionsCheck_->isChecked();
    p.startTopic = startTopicCombo_->currentIndex();
    p.onlyOne = onlyOneCheck_->isChecked() ? 1 : 0;
    p.startHint = startHintCheck_->isChecked();
    p.gridOption = p.gridLines = gridCheck_->isChecked() ? 1 : 0;
    p.numBase = number(0);
    p.numBaseDec = number(1);
    p.fractionSensitivity = number(2);
    p.fix = number(3);
    p.fixText = QString::number(number(3));
    p.level = std::max(levelGroup_->checkedId(), 0);
    const LiveOptions chosen{paneChecks_[0]->isChecked(),  paneChecks_[1]->isChecked(),
                             paneChecks_[2]->isChecked(),  formatCombo_->currentIndex(),
                             navigatorGroup_->checkedId(), topicViewGroup_->checkedId(),
                             markingCheck_->isChecked(),   p.level};
    p.showPreview = chosen.showPreview;
    p.showMagnifier = chosen.showMagnifier;
    p.showInfo = chosen.showInfo;
    p.onTop = onTopCheck_->isChecked();
    p.displayFormat = chosen.displayFormat;
    p.topicView = chosen.topicView;
    p.navigator = chosen.navigator;
    p.colored = colouredCheck_->isChecked() ? 1 : 0;
    p.coloredColor = colour_;
    p.rememberMarks = rememberMarksCheck_->isChecked();
    p.keepHistory = keepHistoryCheck_->isChecked();
    return chosen;
}

void OptionsDialog::writeChoices()
{
    const Preferences& p = ctx_.prefs;
    writePreferences(ctx_.store, p,
                     {Key::File,
                      Key::FileUser,
                      Key::Path,
                      Key::PathUser,
                      Key::SafeEnd,
                      Key::StartTopic,
                      Key::OnlyOne,
                      Key::Grid,
                      Key::NumBase,
                      Key::NumBaseDec,
                      Key::Fix,
                      Key::Level,
                      Key::Preview,
                      Key::Magnifier,
                      Key::Info,
                      Key::OnTop,
                      Key::FractionSensitivity,
                      Key::DisplayFormat,
                      Key::TopicView,
                      Key::Navigator,
                      Key::Colored,
                      Key::ColoredColor,
                      Key::Expressions,
                      Key::StartHint,
                      Key::RememberMarks,
                      Key::KeepHistory});
}

} // namespace ov::gui

// The five pages of the options dialog: which controls each holds, named as the settings
// and the help know them. What the controls mean (loading, checking, storing) is in
// optionsdialog.cpp.
#include "settings/optionsdialog.h"

#include "core/catalogue.h"
#include "gui/common.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <vector>

namespace ov::gui {
namespace {

QGroupBox* frame(const char* objectName, const QString& caption)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

QCheckBox* checkBox(const char* objectName, const QString& caption)
{
    auto* c = new QCheckBox(caption);
    c->setObjectName(QString::fromUtf8(objectName));
    return c;
}

QLabel* label(const QString& text, const char* objectName = nullptr)
{
    auto* l = new QLabel(text);
    if (objectName)
        l->setObjectName(QString::fromUtf8(objectName));
    return l;
}

// A group of option buttons, id = index: (objectName prefix, captions by index, shown order).
QButtonGroup* optionGroup(QWidget* owner, QLayout* layout, const char* prefix,
                          std::initializer_list<const char*> captions, std::initializer_list<int> order)
{
    auto* group = new QButtonGroup(owner);
    std::vector<const char*> byIndex(captions);
    for (int i : order) {
        auto* b = new QRadioButton(QString::fromUtf8(byIndex[std::size_t(i)]));
        b->setObjectName(QString::fromUtf8(prefix) + QLatin1Char('_') + QString::number(i));
        group->addButton(b, i);
        layout->addWidget(b);
    }
    return group;
}

} // namespace

QLineEdit* OptionsDialog::addNumber(Key key, const QString& objectName)
{
    const KeyInfo& info = keyInfo(key);
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    edit->setToolTip(QStringLiteral("%1-%2").arg(info.min).arg(info.max));
    edit->setMaxLength(9);
    edit->setMaximumWidth(60);
    auto slot = std::find_if(numbers_.begin(), numbers_.end(), [](const NumberField& f) { return !f.edit; });
    *slot = {key, edit};
    return edit;
}

QWidget* OptionsDialog::buildGeneral()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    struct FileRow {
        const char *frame, *caption, *edit, *button, *size, *time, *buttonName;
    };
    const FileRow rows[] = {
        {"fraObecne_0", "Soubor s jednotkami a koeficienty", "txtCesta_0", "cmdCesta_0", "lblInfo_11", "lblInfo_12",
         "Zvolit soubor s jednotkami a koeficienty"},
        {"fraObecne_1", "Soubor s uživatelskými jednotkami a veličinami", "txtCesta_1", "cmdCesta_1", "lblInfo_19",
         "lblInfo_18", "Zvolit soubor s uživatelskými jednotkami a veličinami"},
    };
    for (int i = 0; i < 2; ++i) {
        const FileRow& r = rows[i];
        QGroupBox* box = frame(r.frame, QString::fromUtf8(r.caption));
        auto* g = new QGridLayout(box);
        pathEdits_[i] = new QLineEdit;
        pathEdits_[i]->setObjectName(QString::fromUtf8(r.edit));
        pathEdits_[i]->setReadOnly(true);
        pathEdits_[i]->setAccessibleName(QString::fromUtf8(r.caption));
        pathButtons_[i] = new QPushButton(QStringLiteral("…"));
        pathButtons_[i]->setObjectName(QString::fromUtf8(r.button));
        pathButtons_[i]->setAccessibleName(QString::fromUtf8(r.buttonName));
        pathButtons_[i]->setToolTip(QString::fromUtf8(r.buttonName));
        connect(pathButtons_[i], &QPushButton::clicked, this, [this, i] { chooseFile(i); });
        size_[i] = label({}, r.size);
        size_[i]->setAccessibleDescription(QStringLiteral("Velikost"));
        time_[i] = label({}, r.time);
        time_[i]->setAccessibleDescription(QStringLiteral("Modifikace"));
        g->addWidget(label(QStringLiteral("Umístění:")), 0, 0);
        g->addWidget(pathEdits_[i], 0, 1);
        g->addWidget(pathButtons_[i], 0, 2);
        g->addWidget(label(QStringLiteral("Velikost:")), 1, 0);
        g->addWidget(size_[i], 1, 1, 1, 2);
        g->addWidget(label(QStringLiteral("Modifikace:")), 2, 0);
        g->addWidget(time_[i], 2, 1, 1, 2);
        g->setColumnStretch(1, 1);
        v->addWidget(box);
    }
    safeEndCheck_ =
        checkBox("chkSafeEnd", QStringLiteral("Bezpečné ukončení (kontrolní dotaz před ukončením aplikace)"));
    v->addWidget(safeEndCheck_);
    expressionsCheck_ = checkBox("chkVyrazy", QStringLiteral("Vyhodnocovat výrazy v buňkách"));
    expressionsCheck_->setToolTip(QStringLiteral("Do buňky lze psát např. 5+3, 1/3, 2*(3,5-1) nebo 2*pi"));
    v->addWidget(expressionsCheck_);
    keepHistoryCheck_ = checkBox("chkUkladatHistorii", QStringLiteral("Ukládat historii převodů"));
    v->addWidget(keepHistoryCheck_);
    v->addStretch();
    return page;
}

QWidget* OptionsDialog::buildView()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    QGroupBox* nav = frame("fraFormát_1", QStringLiteral("Navigátor zobrazuje"));
    navigatorGroup_ = optionGroup(this, new QVBoxLayout(nav), "optNavigator", {"Veličiny", "Jednotky"}, {0, 1});
    QGroupBox* as = frame("fraFormát_2", QStringLiteral("Zobrazit Navigátor jako"));
    topicViewGroup_ = optionGroup(this, new QVBoxLayout(as), "optVeliciny", {"Velké ikony", "Seznam"}, {1, 0});
    QGroupBox* show = frame("fraZobrazit_1", QStringLiteral("Zobrazení"));
    auto* sv = new QVBoxLayout(show);
    onTopCheck_ = checkBox("chkOnTop", QStringLiteral("Okno vždy navrchu"));
    sv->addWidget(onTopCheck_);
    const char* const panes[] = {"Krátký náhled", "Lupa", "Informace o jednotce"};
    for (int i : {2, 1, 0}) {
        paneChecks_[std::size_t(i)] =
            checkBox(QStringLiteral("chkZobrazeni_%1").arg(i).toUtf8().constData(), QString::fromUtf8(panes[i]));
        sv->addWidget(paneChecks_[std::size_t(i)]);
    }
    QGroupBox* level = frame("fraZobrazit_0", QStringLiteral("Úroveň"));
    levelGroup_ = optionGroup(this, new QVBoxLayout(level), "optUroven", {"Vše", "Úroveň 1", "Úroveň 2", "Úroveň 3"},
                              {0, 1, 2, 3});
    g->addWidget(nav, 0, 0);
    g->addWidget(as, 1, 0);
    g->addWidget(show, 0, 1);
    g->addWidget(level, 1, 1);
    g->setRowStretch(2, 1);
    return page;
}

QWidget* OptionsDialog::buildFormat()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    v->addWidget(buildPreviewFrame());
    v->addWidget(buildRowsFrame());
    v->addWidget(buildPrecisionFrame());
    v->addStretch();
    return page;
}

// The number fields of the short preview: the own base, its places and the fractions' sensitivity.
QGroupBox* OptionsDialog::buildPreviewFrame()
{
    QGroupBox* preview = frame("fraZobrazit_2", QStringLiteral("Krátký náhled"));
    auto* pg = new QGridLayout(preview);
    struct NumberRow {
        Key key;
        const char *name, *caption, *labelTip;
        int row, column;
    };
    const NumberRow rows[] = {
        {Key::NumBase, "txtNumBase", "Vlastní převod do číselné soustavy:", nullptr, 0, 0},
        {Key::NumBaseDec, "txtNumBaseDec", ", poč. míst:", "Počet míst za \"desetinnou\" čárkou", 0, 2},
        {Key::FractionSensitivity, "txtCit", "Zlomky (počet desetinných míst):", nullptr, 1, 0},
    };
    for (const NumberRow& r : rows) {
        QLabel* l = label(QString::fromUtf8(r.caption));
        if (r.labelTip)
            l->setToolTip(QString::fromUtf8(r.labelTip));
        QLineEdit* e = addNumber(r.key, QString::fromUtf8(r.name));
        e->setAccessibleName(QString::fromUtf8(r.labelTip ? r.labelTip : r.caption).remove(QLatin1Char(':')));
        l->setBuddy(e);
        pg->addWidget(l, r.row, r.column);
        pg->addWidget(e, r.row, r.column + 1);
    }
    pg->setColumnStretch(4, 1);
    return preview;
}

QGroupBox* OptionsDialog::buildRowsFrame()
{
    QGroupBox* rowsBox = frame("fraFormát_3", QStringLiteral("Řádky"));
    auto* rg = new QGridLayout(rowsBox);
    colouredCheck_ = checkBox("chkColored", QStringLiteral("Barevně odlišit zadání"));
    colourButton_ = new QPushButton(QStringLiteral("Nastavit"));
    colourButton_->setObjectName(QStringLiteral("cmdBarva"));
    colourButton_->setAccessibleName(QStringLiteral("Nastavit barvu zadání"));
    connect(colourButton_, &QPushButton::clicked, this, &OptionsDialog::chooseColour);
    markingCheck_ = checkBox("chkBarvy", QStringLiteral("Barevné značení (Ins)"));
    rg->addWidget(colouredCheck_, 0, 0);
    rg->addWidget(colourButton_, 0, 1);
    rg->addWidget(markingCheck_, 1, 0);
    rememberMarksCheck_ = checkBox("chkPamatovatOznacene", QStringLiteral("Pamatovat si označené jednotky"));
    rg->addWidget(rememberMarksCheck_, 2, 0, 1, 2);
    rg->setColumnStretch(2, 1);
    return rowsBox;
}

QGroupBox* OptionsDialog::buildPrecisionFrame()
{
    QGroupBox* precision = frame("fraFormát_0", QStringLiteral("Přesnost"));
    auto* xg = new QGridLayout(precision);
    formatCombo_ = new QComboBox;
    formatCombo_->setObjectName(QStringLiteral("cboPresnost"));
    formatCombo_->setAccessibleName(QStringLiteral("Přesnost"));
    formatCombo_->addItems({QStringLiteral("Jednoduchá"), QStringLiteral("Dvojitá"),
                            QStringLiteral("Vědecké zobrazení"), QStringLiteral("Pevné (Fixed)")});
    QLabel* fixLabel = label(QStringLiteral("Desetinných míst:"));
    fixLabel->setToolTip(QStringLiteral("Počet míst při pevném zobrazení"));
    QLineEdit* fix = addNumber(Key::Fix, QStringLiteral("txtFix"));
    fix->setAccessibleName(QStringLiteral("Desetinných míst"));
    fixLabel->setBuddy(fix);
    // The decimals count only for the fixed format.
    connect(formatCombo_, &QComboBox::currentIndexChanged, fix, [fix](int i) { fix->setEnabled(i == 3); });
    xg->addWidget(formatCombo_, 0, 0);
    xg->addWidget(fixLabel, 0, 1);
    xg->addWidget(fix, 0, 2);
    xg->setColumnStretch(3, 1);
    return precision;
}

QWidget* OptionsDialog::buildStart()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    gridCheck_ = checkBox("chkGrid", QStringLiteral("Zobrazit mřížku"));
    onlyOneCheck_ = checkBox("chkOnlyOne", QStringLiteral("Umožnit pouze 1 instanci programu"));
    startHintCheck_ = checkBox("chkRady", QStringLiteral("Zobrazovat rady na úvodní obrazovce"));
    QGroupBox* start = frame("fraStart", QStringLiteral("Téma zobrazené po startu aplikace"));
    startTopicCombo_ = new QComboBox;
    startTopicCombo_->setObjectName(QStringLiteral("cboTema"));
    startTopicCombo_->setAccessibleName(QStringLiteral("Téma zobrazené po startu aplikace"));
    (new QVBoxLayout(start))->addWidget(startTopicCombo_);
    v->addWidget(gridCheck_);
    v->addWidget(onlyOneCheck_);
    v->addWidget(startHintCheck_);
    v->addWidget(start);
    v->addStretch();
    return page;
}

QWidget* OptionsDialog::buildInfo()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    QGroupBox* use = frame("fraInfo_0", QStringLiteral("Používání aplikace"));
    auto* g = new QGridLayout(use);
    const std::pair<const char*, const char*> rows[] = {
        {"Počet spuštění:", "lblInfo_3"},
        {"Počet převodů:", "lblInfo_4"},
        {"Celková doba spuštění:", "lblInfo_5"},
        {"Doba spuštění:", "lblInfo_8"},
    };
    for (int i = 0; i < 4; ++i) {
        const QString caption = QString::fromUtf8(rows[i].first);
        stats_[std::size_t(i)] = label({}, rows[i].second);
        stats_[std::size_t(i)]->setAccessibleDescription(QString(caption).remove(QLatin1Char(':')));
        g->addWidget(label(caption), i, 0);
        g->addWidget(stats_[std::size_t(i)], i, 1);
    }
    auto* reset = new QPushButton(QStringLiteral("Vymazat"));
    reset->setObjectName(QStringLiteral("cmdReset"));
    connect(reset, &QPushButton::clicked, this, &OptionsDialog::resetStatistics);
    g->addWidget(reset, 4, 1, Qt::AlignLeft);
    g->setColumnStretch(1, 1);
    v->addWidget(use);
    v->addStretch();
    return page;
}

} // namespace ov::gui

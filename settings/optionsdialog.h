// The options dialog frmOptions "Možnosti": five tabs of preferences, the two data files with
// their size and time, and the usage statistics. Each showing starts from the preferences and
// the window's state as they are; OK checks the numbers, stores every preference and has the
// window apply them, Storno changes nothing. "Vymazat" resets the statistics at once.
#pragma once
#include "settings/preferences.h"
#include "settings/optionshost.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ov::gui {

struct AppContext;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(AppContext& ctx, OptionsHost& host, QWidget* parent = nullptr);

    // Shows the dialog modally (through the dialog service); true when closed with OK.
    bool run();

    // The four number fields, with the range each takes from the settings key table.
    struct NumberField {
        Key key;
        QLineEdit* edit;
    };

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildGeneral();
    QWidget* buildView();
    QWidget* buildFormat();
    QGroupBox* buildPreviewFrame();
    QGroupBox* buildRowsFrame();
    QGroupBox* buildPrecisionFrame();
    QWidget* buildStart();
    QWidget* buildInfo();
    QLineEdit* addNumber(Key key, const QString& objectName);

    void load();                // Form_Activate
    void showFile(int index);   // CestaLenDate
    void chooseFile(int index); // cmdCesta_Click
    void chooseColour();        // cmdBarva_Click
    void showColour();
    void showStatistics();
    void resetStatistics(); // cmdReset_Click
    void onFocusChanged(QWidget* old, QWidget* now);
    // JeVhodneCislo: the message and the focus back in the field when refused.
    bool acceptable(const NumberField& field);
    void ok(); // cmdOK_Click
    void storeAndApply();
    LiveOptions takeChoices();
    void writeChoices();

    AppContext& ctx_;
    OptionsHost& host_;
    LiveOptions live_;                   // the window's state at this showing
    std::array<QString, 2> path_, file_; // the data files chosen in this showing
    qint32 colour_ = 0;                  // the colour chosen in this showing
    int lastTab_ = 0;                    // remembered while the program runs
    bool checking_ = false;

    QTabWidget* tabs_ = nullptr;
    std::array<QLineEdit*, 2> pathEdits_{};
    std::array<QPushButton*, 2> pathButtons_{};
    std::array<QLabel*, 2> size_{}, time_{};
    QCheckBox* safeEndCheck_ = nullptr;
    QCheckBox* expressionsCheck_ = nullptr;
    QCheckBox* keepHistoryCheck_ = nullptr;
    QButtonGroup* navigatorGroup_ = nullptr;
    QButtonGroup* topicViewGroup_ = nullptr;
    QCheckBox* onTopCheck_ = nullptr;
    std::array<QCheckBox*, 3> paneChecks_{};
    QButtonGroup* levelGroup_ = nullptr;
    std::array<NumberField, 4> numbers_{};
    QCheckBox* colouredCheck_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QCheckBox* markingCheck_ = nullptr;
    QCheckBox* rememberMarksCheck_ = nullptr;
    QComboBox* formatCombo_ = nullptr;
    QCheckBox* gridCheck_ = nullptr;
    QCheckBox* onlyOneCheck_ = nullptr;
    QCheckBox* startHintCheck_ = nullptr;
    QComboBox* startTopicCombo_ = nullptr;
    std::array<QLabel*, 4> stats_{}; // runs, conversions, total time, this run
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace ov::gui

// The compact window picLt ("omniVELOR Lite"): a small panel laid over the main window that
// converts between two units of the current topic. Each row shows a unit's name and symbol, a
// value box and a button that opens the list of the topic's units; Enter in a box writes the
// value in the other row's unit into the other box. It reads the unit tables only, the
// conversion table never learns of it.
#pragma once
#include <QFrame>
#include <array>
#include <optional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QToolButton;

namespace ov {
struct UnitDatabase;
}

namespace ov::gui {

class UnitList;

class CompactPanel : public QFrame {
    Q_OBJECT
public:
    // Lies over `host`, in its top right corner, hidden until opened. It reads the units of
    // `db`, which outlives it, and writes and reads values with the decimal separator given.
    CompactPanel(const ov::UnitDatabase& db, char decimal, QWidget* host);

    // Opens the panel on units 1 and 2 of the topic, both boxes empty; topic 0 (none shown)
    // tells the user to choose one first.
    void open(int topic);
    void closePanel();
    // Enter in row 0 or 1: the other row from this one.
    void compute(int row);
    // The unit list for a row, as its button opens it; choosing unit `unit` (1-based) takes it
    // for the row and recomputes the other row from this one.
    void openUnitList(int row);
    void chooseUnit(int row, int unit);

    int topic() const { return topic_; }
    int unit(int row) const { return unit_[std::size_t(row)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTitleRow(QGridLayout* grid);
    void addUnitRow(QGridLayout* grid, int k);
    void setUnit(int row, int unit);
    void warn(const QString& text);
    void place();

    const ov::UnitDatabase& db_;
    char decimal_;
    int topic_ = 0;
    std::array<int, 2> unit_{};           // 0: the row has no unit
    std::array<QLabel*, 4> unitLabels_{}; // names (0, 1) and symbols (2, 3)
    std::array<QLineEdit*, 2> valueEdits_{};
    std::array<QToolButton*, 2> listButtons_{};
    QToolButton* closeButton_ = nullptr;
    UnitList* unitList_ = nullptr;
    int listRow_ = 0; // the row the open list chooses for
};

} // namespace ov::gui

// Row marks, hiding and the marking display of the conversion table: Insert marks the current
// unit, "Skrýt neoznačené" keeps only the marked units of the topic, "Skrýt aktivní" drops the
// selected block, "Barevné značení" shows or hides the pictures. The marks belong to the
// application; showing everything again is the window's reload, asked for by a signal.
#pragma once
#include <QObject>

#include <string>
#include <vector>

namespace ov {
class MarkState;
struct UnitDatabase;
} // namespace ov

namespace ov::gui {

class Commands;
class ConversionTable;

class RowMarking : public QObject {
    Q_OBJECT
public:
    // Binds mnuSkryt, mnuZobrazitVse, mnuBarvy and mnuHide(0..2) and follows the table.
    RowMarking(Commands& commands, ConversionTable& table, ov::UnitDatabase& db, ov::MarkState& marks);

    void toggleMark(int row); // Insert
    void hideUnmarked();      // mnuSkryt, mnuHide(2)
    void hideSelected();      // mnuHide(1): MarkAsHide, then the hiding
    // The hiding commands as the topic on show allows (after a display or a reload).
    void updateAvailability();
    // While the marks are kept from run to run, hiding leaves the user's marks on the units it
    // keeps, so that showing everything again still shows them marked.
    void setRemembering(bool on) { remembering_ = on; }

signals:
    // The units of a topic changed: the unit list and the search results are out of date.
    // Sent before the table is filled again.
    void unitsHidden(int topic);
    void reloadRequested(); // "Zobrazit": read the data files again

private:
    bool canHide(int topic) const;
    void hide(int topic, const std::vector<std::string>& keptMarks);

    Commands& commands_;
    ConversionTable& table_;
    ov::UnitDatabase& db_;
    ov::MarkState& marks_;
    bool remembering_ = false;
};

} // namespace ov::gui

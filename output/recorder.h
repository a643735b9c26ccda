// Recording of conversions: the table of the current topic written to a text file, a header of
// unit names and then one line per completed conversion, for a spreadsheet or a text editor.
// The commands run Stop -> Rec -> (Pause <-> Start)* -> Stop; a command that does not fit the
// state it meets (a stale shortcut) does nothing.
#pragma once
#include <QFile>
#include <QObject>
#include <QString>

class QWidget;

namespace ov {
struct UnitDatabase;
}

namespace ov::gui {

class ConversionTable;

class Recorder : public QObject {
    Q_OBJECT
public:
    // The three kinds of file, as the save dialog offers them; the separator follows the choice.
    static const QStringList& fileFilters();

    Recorder(const ov::UnitDatabase& db, ConversionTable& table, QWidget* dialogParent);
    ~Recorder() override;

    // "Rec", "Pause", "Start" or "Stop".
    void command(const QString& command);
    // Ends a recording that is open (recording or paused); the file keeps what was written.
    void stop();
    // One record line of the table as it stands, when recording (not paused).
    void writeRecord();
    // A topic was put into the table: a recording in the "Rec" state ends; one that was
    // paused, or resumed after a pause, goes on, and its next line comes under the new
    // table's unit names. "Rec" is offered when the topic has units.
    void topicFilled(int topic);

    // "" (never started, stopped), "Rec", "Pause", "Start", "Stop".
    QString state() const { return state_; }
    bool isOpen() const { return file_.isOpen(); }

signals:
    // The command whose buttons and menu items are to be shown ("Rec", "Pause", "Start", "Stop").
    void stateChanged(const QString& command);
    void recEnabledChanged(bool enabled);

private:
    void begin();
    QStringList unitNames(int topic) const;
    bool writeHeader(int topic);
    bool writeLine(const QStringList& fields);
    void setState(const QString& command);
    void failed(const QString& reason);
    QString field(const QString& text) const;

    const ov::UnitDatabase& db_;
    ConversionTable& table_;
    QWidget* dialogParent_;
    QFile file_;
    QString state_;
    QChar separator_ = u';';
    int headerTopic_ = 0; // the topic and unit names of the last header written
    QStringList header_;
    QString lastFolder_;
};

} // namespace ov::gui

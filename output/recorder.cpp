#include "output/recorder.h"

#include "core/grid.h"
#include "core/unitdb.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "table/conversiontable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace ov::gui {

namespace {

// The kinds of file by the filter the user chose: two share "*.txt", so the filter's text
// tells them apart.
struct FileKind {
    const char* filter;
    char16_t separator;
};
constexpr FileKind kKinds[] = {
    {"CSV text oddělený středníky (*.csv)", u';'},
    {"text (oddělený tabulátory) (*.txt)", u'\t'},
    {"formátovaný text (oddělený mezerami) (*.txt)", u' '},
};

const QString kRec = QStringLiteral("Rec");
const QString kPause = QStringLiteral("Pause");
const QString kStart = QStringLiteral("Start");
const QString kStop = QStringLiteral("Stop");

// The first recording of a run starts in the documents folder, or in the home folder where
// there is none.
QString firstFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

const QStringList& Recorder::fileFilters()
{
    static const QStringList filters = [] {
        QStringList f;
        for (const FileKind& k : kKinds)
            f << QString::fromUtf8(k.filter);
        return f;
    }();
    return filters;
}

Recorder::Recorder(const ov::UnitDatabase& db, ConversionTable& table, QWidget* dialogParent)
    : QObject(dialogParent), db_(db), table_(table), dialogParent_(dialogParent)
{
}

Recorder::~Recorder() = default;

void Recorder::command(const QString& command)
{
    const bool recording = isOpen() && (state_ == kRec || state_ == kStart);
    if (command == kRec) {
        if (!isOpen())
            begin();
    } else if (command == kPause) {
        if (recording)
            setState(kPause);
    } else if (command == kStart) {
        if (isOpen() && state_ == kPause)
            setState(kStart);
    } else if (command == kStop) {
        stop();
    }
}

void Recorder::begin()
{
    const int topic = table_.currentTopic();
    const int n = db_.unitCount(topic);
    if (topic <= 0 || n < 1)
        return;
    const QString folder = lastFolder_.isEmpty() ? firstFolder() : lastFolder_;
    const auto choice =
        dialogs().saveFileChoice(dialogParent_, QStringLiteral("Název výstupního souboru"), folder, fileFilters());
    if (!choice || choice->path.isEmpty()) {
        setState(kStop);
        return;
    }
    lastFolder_ = QFileInfo(choice->path).absolutePath();
    separator_ = u';';
    for (const FileKind& k : kKinds)
        if (choice->filter == QString::fromUtf8(k.filter))
            separator_ = QChar(k.separator);

    file_.setFileName(choice->path);
    // Unbuffered: every line reaches the file at once, so a program killed meanwhile loses nothing.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        failed(file_.errorString());
        return;
    }
    if (writeHeader(topic))
        setState(kRec);
}

QStringList Recorder::unitNames(int topic) const
{
    QStringList names;
    for (int u = 1; u <= db_.unitCount(topic); ++u)
        names << fromStd(db_.unit(topic, u).name);
    return names;
}

bool Recorder::writeHeader(int topic)
{
    const QStringList names = unitNames(topic);
    if (!writeLine(names))
        return false;
    headerTopic_ = topic;
    header_ = names;
    return true;
}

void Recorder::stop()
{
    if (!isOpen())
        return;
    file_.close();
    setState(kStop);
}

void Recorder::writeRecord()
{
    if (!isOpen() || (state_ != kRec && state_ != kStart))
        return;
    // The first line of another topic, or of the same topic with other units (a level, hiding,
    // a reload), comes under its own unit names.
    const int topic = table_.currentTopic();
    if ((topic != headerTopic_ || unitNames(topic) != header_) && !writeHeader(topic))
        return;
    const int n = std::min(db_.unitCount(topic), table_.rowCount());
    QStringList values;
    for (int row = 0; row < n; ++row)
        values << table_.cellText(row, ov::kColValue);
    writeLine(values);
}

void Recorder::topicFilled(int topic)
{
    // Only a recording not yet paused ends; paused or resumed, it goes on with the new table.
    if (state_ == kRec)
        stop();
    emit recEnabledChanged(db_.unitCount(topic) >= 1);
}

bool Recorder::writeLine(const QStringList& fields)
{
    QStringList out;
    for (const QString& f : fields)
        out << field(f);
    const QByteArray bytes = (out.join(separator_) + QStringLiteral("\r\n")).toUtf8();
    const qint64 before = file_.size();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file_.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done == bytes.size())
        return true;
    const QString reason = file_.errorString();
    // Half a line would not match the header: the file ends with the last whole record.
    if (done > 0)
        file_.resize(before);
    failed(reason);
    return false;
}

// In the semicolon file a field is quoted when a spreadsheet would split it otherwise; the tab
// and space files carry the texts as they are.
QString Recorder::field(const QString& text) const
{
    if (separator_ != u';')
        return text;
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void Recorder::setState(const QString& command)
{
    state_ = command;
    emit stateChanged(command);
}

// The recording ends with what was written so far; the conversion that asked for the record
// stands, and the user learns why the file stopped growing.
void Recorder::failed(const QString& reason)
{
    const QString path = QDir::toNativeSeparators(file_.fileName());
    file_.close();
    setState(kStop);
    dialogs().messageWithDetails(
        dialogParent_, DialogService::Icon::Warning, appTitle(),
        QStringLiteral("Záznam byl zastaven: do souboru ") + path + QStringLiteral(" nelze zapisovat."), reason);
}

} // namespace ov::gui

#include "table/datafileeditor.h"

#include "core/catalogue.h"
#include "gui/common.h"
#include "gui/dialogservice.h"
#include "settings/datafolder.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace ov::gui {
namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// Every character of the text has a place in Windows-1250 (the five codes it leaves
// undefined come back as the same C1 controls).
bool fitsWindows1250(const std::vector<std::string>& lines)
{
    for (const std::string& utf8 : lines)
        if (ov::windows1250ToUtf8(ov::utf8ToWindows1250(utf8)) != utf8)
            return false;
    return true;
}

// The editor's lines as the file holds them: a line break typed with Shift+Enter is a line
// break too, and empty lines at the end are dropped, since the loader refuses empty lines
// and a file ending in CR LF must not grow by one on every save.
std::vector<std::string> fileLines(const QTextDocument& doc)
{
    std::vector<std::string> lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (const QString& part : b.text().split(QChar::LineSeparator))
            lines.push_back(part.toStdString());
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// Text added in this editing is told apart in red: what is typed, and what is pasted or dropped.
void markAsAdded(QPlainTextEdit& edit)
{
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    edit.mergeCurrentCharFormat(red);
}

// The editor's text box: a pasted or dropped text takes the current format, which turns red first.
class EditBox final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void insertFromMimeData(const QMimeData* source) override
    {
        markAsAdded(*this);
        QPlainTextEdit::insertFromMimeData(source);
    }
};

} // namespace

DataFileEditor::DataFileEditor(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picEditace"));
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblTitulekEditace"));
    title_->setTextFormat(Qt::PlainText);
    title_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);

    edit_ = new EditBox(this);
    edit_->setObjectName(QStringLiteral("rtfEdit"));
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setAccessibleName(QStringLiteral("Editace souboru"));
    edit_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(title_);
    layout->addWidget(edit_, 1);
}

QString DataFileEditor::title() const { return title_->text(); }

bool DataFileEditor::isModified() const { return isOpen() && edit_->document()->isModified(); }

bool DataFileEditor::open(const QString& path, bool userFile)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        dialogs().message(this, DialogService::Icon::Warning, QStringLiteral("Chyba otevření souboru"),
                          QStringLiteral("Soubor s daty na daném umístění %1 neexistuje.").arg(native(path)));
        return false;
    }
    errno = 0;
    const std::optional<ov::TextFileContent> content = ov::readTextFile(path.toStdString());
    if (!content) {
        const int error = info.isDir() ? EISDIR : errno;
        dialogs().message(
            this, DialogService::Icon::Warning, QStringLiteral("Chyba"),
            QStringLiteral("Při otevírání souboru %1 nastala chyba %2 %3 v proceduře mnuEdit_Click."
                           "\r\n\r\nZkontrolujte umístění datového souboru. Program bude dále pokračovat.")
                .arg(native(path))
                .arg(error)
                .arg(QString::fromLocal8Bit(std::strerror(error))));
        return false;
    }
    QStringList lines;
    lines.reserve(qsizetype(content->lines.size()));
    for (const std::string& line : content->lines)
        lines << QString::fromStdString(line);
    // What the file holds is in the window's text colour. The text takes the current format,
    // which may still be the red of an earlier editing's typing: it is reset first.
    QTextCharFormat plain;
    plain.setForeground(palette().color(QPalette::Text));
    edit_->setCurrentCharFormat(plain);
    edit_->setPlainText(lines.join(QLatin1Char('\n')));
    edit_->document()->setModified(false);
    path_ = path;
    userFile_ = userFile;
    encoding_ = content->encoding;
    modified_ = info.lastModified();
    title_->setText(QStringLiteral(" Editace souboru ") + native(path));
    edit_->moveCursor(QTextCursor::Start);
    return true;
}

void DataFileEditor::clear()
{
    edit_->clear();
    edit_->document()->setModified(false);
    path_.clear();
    title_->clear();
}

bool DataFileEditor::save()
{
    if (!isOpen())
        return false;
    const QFileInfo info(path_);
    if (info.exists() && modified_.isValid() && info.lastModified() != modified_) {
        const auto answer = dialogs().message(
            this, DialogService::Icon::Question, appTitle(),
            QStringLiteral("Soubor %1 byl od otevření změněn jiným programem. Přepsat jej?").arg(native(path_)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    const std::vector<std::string> lines = fileLines(*edit_->document());
    ov::TextEncoding encoding = encoding_;
    if (encoding == ov::TextEncoding::Windows1250 && !fitsWindows1250(lines)) {
        const auto answer = dialogs().message(
            this, DialogService::Icon::Question, appTitle(),
            QStringLiteral("Text obsahuje znaky, které kódování Windows-1250 souboru %1 neumí zapsat. "
                           "Uložit soubor v kódování UTF-8?")
                .arg(native(path_)),
            QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes);
        if (answer != QMessageBox::Yes)
            return false;
        encoding = ov::TextEncoding::Utf8;
    }
    return writeTo(path_, lines, encoding);
}

bool DataFileEditor::writeTo(const QString& path, const std::vector<std::string>& lines, ov::TextEncoding encoding)
{
    std::string reason;
    if (!ov::writeTextFile(path.toStdString(), lines, encoding, &reason)) {
        // The text stays as it is, still marked as changed.
        dialogs().messageWithDetails(this, DialogService::Icon::Critical, appTitle(),
                                     QStringLiteral("Soubor %1 se nepodařilo uložit.").arg(native(path)),
                                     QString::fromLocal8Bit(reason.c_str()));
        return false;
    }
    encoding_ = encoding;
    modified_ = QFileInfo(path).lastModified();
    edit_->document()->setModified(false);
    return true;
}

QString DataFileEditor::keepUnsaved()
{
    if (!isModified())
        return {};
    const std::vector<std::string> lines = fileLines(*edit_->document());
    const bool windows1250 = encoding_ == ov::TextEncoding::Windows1250 && fitsWindows1250(lines);
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray::fromStdString(windows1250 ? ov::utf8ToWindows1250(line) : line) + "\r\n";
    const QFileInfo file(path_);
    const QString name = file.fileName() + QStringLiteral(".neulozeno");
    QStringList folders{file.absolutePath()};
    if (const QString own = userDataFolder(); QDir(own) != QDir(file.absolutePath()))
        folders << own;
    for (const QString& folder : std::as_const(folders)) {
        QSaveFile copy(QDir(folder).filePath(name));
        if (QDir().mkpath(folder) && copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() &&
            copy.commit())
            return copy.fileName();
    }
    qWarning("omniVELOR: the unsaved changes of %s could not be kept", qPrintable(native(path_)));
    return {};
}

bool DataFileEditor::maySetAside()
{
    if (!isModified())
        return true;
    const auto answer = dialogs().message(this, DialogService::Icon::Question, appTitle(),
                                          QStringLiteral("Uložit změny v souboru %1?").arg(QFileInfo(path_).fileName()),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return save();
    return answer == QMessageBox::No;
}

bool DataFileEditor::goToTopic(int topic)
{
    if (topic < 1 || ov::isUserTopic(topic) != userFile_)
        return false;
    const int number = ov::isUserTopic(topic) ? topic - (ov::kFirstUserTopic - 1) : topic;
    const QString prefix = QString::number(number) + QLatin1Char('|');
    for (QTextBlock b = edit_->document()->begin(); b.isValid(); b = b.next())
        if (b.text().startsWith(prefix)) {
            QTextCursor c(b);
            edit_->setTextCursor(c);
            edit_->centerCursor();
            return true;
        }
    return false;
}

void DataFileEditor::find()
{
    const std::optional<QString> text = dialogs().getText(this, QStringLiteral("Najít"), QStringLiteral("Najít"));
    if (text && !text->isEmpty())
        findNext(*text);
    edit_->setFocus();
}

bool DataFileEditor::findNext(const QString& text)
{
    // From the start of the selection, one further when something is selected, so that a
    // repeated search moves past what it found last time.
    const QTextCursor at = edit_->textCursor();
    const int from = at.selectionStart() + (at.hasSelection() ? 1 : 0);
    const QTextCursor found = edit_->document()->find(text, from);
    if (found.isNull())
        return false;
    edit_->setTextCursor(found);
    return true;
}

void DataFileEditor::setEditorFont(const QFont& font) { edit_->setFont(font); }

bool DataFileEditor::eventFilter(QObject* watched, QEvent* event)
{
    // What the user types shows in red, so that the edits stand out from the file.
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            markAsAdded(*edit_);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ov::gui

// The data-file editor rtfEdit: one of the data files as plain text in the right-hand column,
// under the title " Editace souboru " + path. It reads and writes through the core's text-file
// routines, so the file keeps its encoding and CR LF line ends and is replaced whole or not
// at all. It never loses an edit silently: a failed save keeps the text and says why, a
// character the file's encoding cannot hold is saved as UTF-8 only when the user agrees, and a
// file changed on disk since it was opened is overwritten only when the user agrees.
#pragma once
#include "core/encoding.h"

#include <QDateTime>
#include <QPlainTextEdit>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;

namespace ov::gui {

class DataFileEditor : public QWidget {
    Q_OBJECT
public:
    explicit DataFileEditor(QWidget* parent = nullptr);

    // Reads the file and shows it; on failure shows the message and changes nothing.
    // userFile: the file holds the user topics (the caret jump looks for those only).
    bool open(const QString& path, bool userFile);
    // Writes the text back; false (after saying why) when nothing was written.
    bool save();
    // Before the text is set aside (closing, another file, the end of the program): asks
    // "Uložit změny v souboru ...?" when it is modified. False when the user chose Storno or
    // the save failed: then the caller stops.
    bool maySetAside();
    void clear(); // the editor closed
    // The system ends the program and nobody may be there to ask: unsaved changes are written
    // to <file>.neulozeno beside the file, or in the user's data folder when the file's folder
    // cannot be written, as a save would write them (Windows-1250 only when every character
    // fits). The copy's path; empty when there was nothing to keep or it could not be written.
    QString keepUnsaved();

    QString path() const { return path_; }
    bool isOpen() const { return !path_.isEmpty(); }
    bool isModified() const;
    // The topic current when the file was opened, for closing.
    int openedTopic() const { return openedTopic_; }
    void setOpenedTopic(int topic) { openedTopic_ = topic; }

    // The caret to the start of the topic's first line ("n|..."), n = topic or topic - 26 for
    // a user topic, when the file holds that kind of topic; false when no line begins so.
    bool goToTopic(int topic);
    // Ctrl+F: asks for the text ("Najít") and selects it after the caret.
    void find();
    // Selects the next occurrence after the caret (or the current selection); false when none.
    bool findNext(const QString& text);

    void setEditorFont(const QFont& font);
    QPlainTextEdit* textEdit() const { return edit_; }
    QString title() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool writeTo(const QString& path, const std::vector<std::string>& lines, ov::TextEncoding encoding);

    QLabel* title_;
    QPlainTextEdit* edit_;
    QString path_;
    bool userFile_ = false;
    ov::TextEncoding encoding_ = ov::TextEncoding::Utf8;
    QDateTime modified_; // the file's time when read or last saved
    int openedTopic_ = 0;
};

} // namespace ov::gui

// Where each help context number leads: a page of the program's own help (Czech HTML in the
// resources) and an anchor on it. Menu items carry their numbers in the command table; the
// main controls get theirs here, by object name, so F1 finds a page for whatever has the focus.
#pragma once
#include <QString>
#include <QUrl>
#include <span>

class QWidget;

namespace ov::gui::help {

inline constexpr int kIndex = 1;
inline constexpr int kConstants = 1040;
inline constexpr int kKeyboard = 1160;

struct Topic {
    int context;
    const char* page;   // file name in :/help without ".html"
    const char* anchor; // empty for the top of the page
};
std::span<const Topic> topics();

struct ControlTopic {
    const char* objectName;
    int context;
};
std::span<const ControlTopic> controlTopics();

// The page and anchor of a context number; an unknown number gives the index.
QUrl url(int context);
// The number of the widget or of the nearest parent that has one; the table's when none has.
int contextOf(const QWidget* widget);

// The keyboard page, written from the command table so that it always lists the shortcuts
// the menus really have.
inline constexpr const char* kKeyboardPage = "qrc:/help/klavesnice.html";
QString keyboardPage();

} // namespace ov::gui::help

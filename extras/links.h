// The program's addresses and versions as the help menu and the about box use them: the home
// page, the feedback mail (both set when the program is built; empty when there is none),
// and the mailto addresses the feedback commands open.
#pragma once
#include <QString>
#include <QUrl>

class QWidget;

namespace ov::gui {

struct Addresses {
    QString homePage;
    QString feedbackMail;
    // The addresses this build was made with.
    static Addresses built();
};

int versionMajor();
int versionMinor();
int versionRevision();
QString versionText(); // "1.41"

// PosliMail's address: "mailto:" + address, then "?Subject=", "&Body=", "&CC=", "&BCC=" for the
// parts that are not empty, the first one opening with "?". mailtoText keeps the texts as they
// are; mailtoUrl percent-encodes each value (spaces, Czech letters, "&") for the desktop.
QString mailtoText(const QString& address, const QString& subject, const QString& body = {}, const QString& copy = {},
                   const QString& blindCopy = {});
QUrl mailtoUrl(const QString& address, const QString& subject, const QString& body = {}, const QString& copy = {},
               const QString& blindCopy = {});

// Opens the address with the desktop's program for it; false when that failed.
bool openAddress(const QUrl& url);

} // namespace ov::gui

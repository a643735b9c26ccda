// Where the window program keeps its data files: the user edits them inside the program and
// the folder of an installed program is read-only, so they live in the per-user data folder
// (~/.local/share/omnivelor), copied there from the shipped files on the first start. The
// command-line converter reads the same folder first.
#pragma once
#include <QString>
#include <QStringList>

namespace ov::gui {

QString userDataFolder();
// Beside the executable in a build tree, share/omnivelor of the install prefix when installed.
QString shippedDataFolder();

// Copies each named shipped file that the user's folder lacks into it (an existing copy is
// never replaced). Returns why the folder cannot be used, empty when it can.
QString prepareUserDataFolder(const QStringList& fileNames);

// The default path of a data file: the user's copy when there is one, else the shipped file.
QString programFolderPath(const QString& fileName);

// Told once at start-up when the user's folder cannot be used.
QString dataFolderProblemText(const QString& reason);

} // namespace ov::gui

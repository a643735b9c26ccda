#include "settings/datafolder.h"

#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ov::gui {
namespace {

QString fromPath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

} // namespace

QString userDataFolder() { return fromPath(ov::userDataFolder()); }

QString shippedDataFolder()
{
    return fromPath(ov::shippedDataFolder(QCoreApplication::applicationDirPath().toStdString()));
}

QString prepareUserDataFolder(const QStringList& fileNames)
{
    const QString folder = userDataFolder();
    if (folder.isEmpty())
        return QStringLiteral("není nastavena proměnná HOME ani XDG_DATA_HOME");
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return QStringLiteral("složku nelze vytvořit");
    const QString shipped = shippedDataFolder();
    for (const QString& name : fileNames) {
        const QString copy = folder + QLatin1Char('/') + name;
        if (QFileInfo::exists(copy))
            continue;
        const QString source = shipped + QLatin1Char('/') + name;
        if (!QFileInfo::exists(source))
            continue; // nothing shipped to copy; the loader reports the missing file
        QFile in(source);
        if (!in.copy(copy))
            return QStringLiteral("soubor %1 do ní nelze zkopírovat (%2)").arg(name, in.errorString());
        // The shipped file may be read-only; the copy is the user's to edit.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    }
    return {};
}

QString programFolderPath(const QString& fileName)
{
    return fromPath(ov::dataFile(ov::userDataFolder(),
                                 ov::shippedDataFolder(QCoreApplication::applicationDirPath().toStdString()),
                                 fileName.toStdString()));
}

QString dataFolderProblemText(const QString& reason)
{
    return QStringLiteral("Složku pro datové soubory %1 nelze použít: %2.\r\n\r\nPoužijí se dodané datové soubory jen "
                          "pro čtení; jejich úpravy v programu nepůjde uložit.")
        .arg(QDir::toNativeSeparators(userDataFolder()), reason);
}

} // namespace ov::gui

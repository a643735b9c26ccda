#include "fixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>

namespace ov::gui::test {

void initGuiTests()
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QApplication::setQuitOnLastWindowClosed(false);
}

TestEnvironment::TestEnvironment()
    : oldConfig_(qgetenv("XDG_CONFIG_HOME")), oldRuntime_(qgetenv("XDG_RUNTIME_DIR"))
{
    QDir().mkpath(configFolder());
    QDir().mkpath(runtimeFolder());
    // Qt insists on a private runtime folder.
    QFile::setPermissions(runtimeFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", configFolder().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtimeFolder().toLocal8Bit());
}

TestEnvironment::~TestEnvironment()
{
    auto restore = [](const char* name, const QByteArray& value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("XDG_CONFIG_HOME", oldConfig_);
    restore("XDG_RUNTIME_DIR", oldRuntime_);
}

QString TestEnvironment::configFolder() const
{
    return dir_.path() + QStringLiteral("/config");
}

QString TestEnvironment::runtimeFolder() const
{
    return dir_.path() + QStringLiteral("/runtime");
}

QString TestEnvironment::iniPath() const
{
    return configFolder() + QStringLiteral("/KZomniVELOR140.ini");
}

void TestEnvironment::setSetting(const QString& sectionKey, const QString& value) const
{
    QSettings s(iniPath(), QSettings::IniFormat);
    s.setValue(sectionKey, value);
}

QString TestEnvironment::setting(const QString& sectionKey) const
{
    QSettings s(iniPath(), QSettings::IniFormat);
    return s.value(sectionKey).toString();
}

bool TestEnvironment::hasSetting(const QString& sectionKey) const
{
    QSettings s(iniPath(), QSettings::IniFormat);
    return s.contains(sectionKey);
}

QString TestEnvironment::writeFile(const QString& name, const QStringList& lines) const
{
    const QString path = dir_.path() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        for (const QString& line : lines)
            f.write(line.toUtf8() + "\r\n");
    }
    return path;
}

void TestEnvironment::useSmallData() const
{
    setSetting(QStringLiteral("Obecne/Path"), writeFile(QStringLiteral("Omnivel.omv"), smallMainData()));
    setSetting(QStringLiteral("Obecne/PathUser"), writeFile(QStringLiteral("User.omv"), smallUserData()));
}

QStringList smallMainData()
{
    return {
        QStringLiteral("' Malý datový soubor pro zkoušky okna"),
        QStringLiteral("1|metr|m|1|Základní jednotka délky.|True"),
        QStringLiteral("1|kilometr|km|1000"),
        QStringLiteral("1|centimetr|cm|0.01"),
        QStringLiteral("2|metr čtvereční|m²|1||True"),
        QStringLiteral("2|ar|a|100"),
    };
}

QStringList smallUserData()
{
    return {
        QStringLiteral("1|kus|ks|1"),
        QStringLiteral("1|tucet|tuc|12"),
    };
}

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
    timer_.start(100);
}

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isModal()) {
                modal = w;
                break;
            }
    }
    if (!modal)
        return;
    ++caught_;
    const QByteArray what = QByteArray("A real modal dialog opened: ") + modal->metaObject()->className() + QByteArray(" \"") +
                            modal->windowTitle().toUtf8() + "\"";
    QTest::qFail(what.constData(), __FILE__, __LINE__);
    if (auto* d = qobject_cast<QDialog*>(modal))
        d->reject();
    else
        modal->close();
}

QAction* findAction(const QWidget* root, const QString& objectName)
{
    return root->findChild<QAction*>(objectName);
}

bool triggerAction(const QWidget* root, const QString& objectName)
{
    QAction* a = findAction(root, objectName);
    if (!a) {
        QTest::qFail(("No action " + objectName.toUtf8()).constData(), __FILE__, __LINE__);
        return false;
    }
    if (!a->isEnabled()) {
        QTest::qFail(("Action is disabled: " + objectName.toUtf8()).constData(), __FILE__, __LINE__);
        return false;
    }
    a->trigger();
    return true;
}

static QWidget* focusTarget(QWidget* window)
{
    QWidget* f = QApplication::focusWidget();
    if (!f || f->window() != window->window())
        f = window->focusWidget();
    return f ? f : window;
}

void keyToFocus(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(focusTarget(window), key, mods);
}

void typeToFocus(QWidget* window, const QString& text)
{
    for (const QChar c : text) {
        // Letters beyond ASCII ("á") have no key code of their own: they come as text.
        if (c.unicode() < 128)
            QTest::keyClicks(focusTarget(window), QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, focusTarget(window), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace ov::gui::test

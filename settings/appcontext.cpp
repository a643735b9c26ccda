#include "settings/appcontext.h"

#include "gui/boxsink.h"
#include "gui/common.h"

namespace ov::gui {

AppContext::AppContext() : AppContext(SettingsStore::defaultFilePath()) {}

AppContext::AppContext(const QString& settingsFile)
    : store(settingsFile), decimal(localeDecimalSeparator()),
      messageSink([](QWidget* parent, QStringList* seen) { return std::make_unique<BoxSink>(parent, seen); })
{
}

} // namespace ov::gui

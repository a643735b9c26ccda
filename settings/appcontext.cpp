#include "settings/appcontext.h"

#include "gui/common.h"

namespace ov::gui {

AppContext::AppContext() : AppContext(SettingsStore::defaultFilePath()) {}

AppContext::AppContext(const QString& settingsFile) : store(settingsFile), decimal(localeDecimalSeparator()) {}

} // namespace ov::gui

#include "unitdb.h"

namespace ov {

UnitDatabase::UnitDatabase() {
    for (int t = 0; t <= kBuiltinTopics; ++t) NazvyTemat[t] = std::string(DefaultTopicName(t));
}

} // namespace ov

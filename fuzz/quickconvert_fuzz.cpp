// Queries of the desktop search: whatever the text, answering does not crash, stays within its
// limits, and every result's id names that same result again.
#include "core/loader.h"
#include "core/quickconvert.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <cmath>
#include <memory>
#include <string>

namespace {

struct Shipped {
    std::unique_ptr<ov::UnitDatabase> db = std::make_unique<ov::UnitDatabase>();
    std::unique_ptr<ov::QuickConverter> comma, point;
    Shipped()
    {
        ov::LoadOptions o;
        o.mainPath = OV_DATA_DIR "/Omnivel.omv";
        o.userPath = OV_DATA_DIR "/User.omv";
        struct Quiet : ov::MessageSink {
            void showMessage(const std::string&, const std::string&, ov::MessageIcon) override {}
        } quiet;
        ov::LoadDataFiles(*db, o, quiet);
        comma = std::make_unique<ov::QuickConverter>(*db, ',');
        point = std::make_unique<ov::QuickConverter>(*db, '.');
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Shipped shipped;
    ovfuzz::Input in(data, size);
    const ov::QuickConverter& converter = in.separator() == ',' ? *shipped.comma : *shipped.point;
    const std::string query(in.rest());
    const std::vector<ov::QuickResult> results = converter.answer(query);
    OV_FUZZ_CHECK(results.size() <= ov::QuickConverter::kMaxResults, "'%s' gives %zu results", query.c_str(),
                  results.size());
    for (const ov::QuickResult& r : results) {
        OV_FUZZ_CHECK(std::isfinite(r.converted) && !r.title.empty(), "'%s': '%s'", query.c_str(), r.title.c_str());
        const std::optional<ov::QuickResult> again = converter.result(r.id);
        OV_FUZZ_CHECK(again && again->title == r.title, "'%s': id '%s' names '%s'", query.c_str(), r.id.c_str(),
                      again ? again->title.c_str() : "nothing");
    }
    // An id from outside is read or refused, never trusted.
    (void)converter.result(query);
    return 0;
}

// The main and the user data file from any bytes, at any level and in either locale: no crash,
// no hang, and the tables keep the shape the rest of the program relies on.
#include "core/loader.h"
#include "fuzz_check.h"

#include <memory>
#include <string_view>

namespace {

class CountingSink : public ov::MessageSink {
public:
    int count = 0;
    void showMessage(const std::string& text, const std::string&, ov::MessageIcon) override
    {
        OV_FUZZ_CHECK(!text.empty(), "an empty message");
        ++count;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The level and the locale come from the length, so that a real data file is a seed as it is.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t choice = size;
    ov::LoadOptions opt;
    opt.mainFileName = "Omnivel.omv";
    opt.level = static_cast<ov::Level>(choice & 3);
    opt.decimalSeparator = (choice & 4) ? '.' : ',';

    // One database for the life of the process, as the window keeps one across reloads.
    static auto db = std::make_unique<ov::UnitDatabase>();
    CountingSink shown;
    ov::CappedMessageSink cap(shown, opt.mainFileName);
    const bool loaded = ov::LoadMainText(*db, opt, bytes, cap);
    ov::LoadUserText(*db, bytes);
    OV_FUZZ_CHECK(shown.count <= ov::CappedMessageSink::kMessageCap + 1, "%d messages", shown.count);

    for (int t = 0; t <= ov::kMaxTopic; ++t) {
        const int n = db->unitCount(t);
        OV_FUZZ_CHECK(n >= 0 && n <= ov::kMaxUnits, "topic %d counts %d units", t, n);
        OV_FUZZ_CHECK(loaded || t > ov::kBuiltinTopics || n == 0, "failed load left %d units in topic %d", n, t);
        // The table shows every counted unit by name; a built-in topic stops at the first empty one.
        for (int u = 1; u <= n && t <= ov::kBuiltinTopics; ++u)
            OV_FUZZ_CHECK(!db->unit(t, u).name.empty(), "topic %d unit %d has no name", t, u);
    }
    return 0;
}

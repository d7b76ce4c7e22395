#include "timetable/AddFileOrder.h"

#include "common/Errors.h"

namespace tarnwell {

void CheckAddFileOrder(std::span<const ScheduleRecord> added, const std::string& label,
                       std::span<const std::int64_t> lines) {
    for (std::size_t i = 1; i < added.size(); ++i) {
        const ScheduleKey before = KeyOf(added[i - 1]);
        const ScheduleKey key = KeyOf(added[i]);
        if (!(key < before)) continue;
        const auto text = [](const ScheduleKey& k) { return std::string(k.begin(), k.end()); };
        throw TarnwellError(ErrorKind::Input,
                            "the added flights are out of the order the real-world merge writes them (\"" + text(key) +
                                "\" after \"" + text(before) +
                                "\"), so the route set would be wrong; run the real-world merge again",
                            {label, i < lines.size() ? std::optional<std::int64_t>(lines[i]) : std::nullopt, {}, {},
                             static_cast<std::int64_t>(i)});
    }
}

}  // namespace tarnwell

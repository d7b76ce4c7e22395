#include "common/Errors.h"

#include <cstdio>

namespace tarnwell {

std::string QuotedField(std::string_view text) {
    constexpr std::size_t MostShown = 40;
    std::string out = "\"";
    for (const char c : text.substr(0, MostShown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            out += code;
        }
    }
    out += '"';
    if (text.size() > MostShown) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string DescribeError(const std::string& what, const ErrorPlace& place) {
    std::string where;
    auto add = [&where](const std::string& part) {
        if (!where.empty()) where += ", ";
        where += part;
    };
    if (!place.file.empty()) add(place.file);
    if (place.line) add("line " + std::to_string(*place.line));
    if (place.field) {
        std::string f = "field " + std::to_string(*place.field);
        if (!place.fieldName.empty()) f += " (" + place.fieldName + ")";
        add(f);
    } else if (!place.fieldName.empty()) {
        add(place.fieldName);
    }
    if (place.record) add("record " + std::to_string(*place.record));
    return where.empty() ? what : where + ": " + what;
}

TarnwellError::TarnwellError(ErrorKind kind, std::string what, ErrorPlace place)
    : std::runtime_error(DescribeError(what, place)),
      kind_(kind),
      what_(std::move(what)),
      place_(std::move(place)) {}

}  // namespace tarnwell

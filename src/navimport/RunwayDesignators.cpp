#include "navimport/RunwayDesignators.h"

#include <cctype>

namespace tarnwell {

namespace {
std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}
}  // namespace

std::string RunwayKey(std::string_view ident) {
    std::string key = Upper(ident);
    while (!key.empty() && key.back() == 'X') key.pop_back();
    std::size_t zeros = 0;
    while (zeros + 1 < key.size() && key[zeros] == '0') ++zeros;
    return key.substr(zeros);
}

std::optional<std::string> OppositeRunway(std::string_view ident) {
    std::size_t digits = 0;
    while (digits < ident.size() && std::isdigit(static_cast<unsigned char>(ident[digits]))) ++digits;
    if (digits == 0 || digits > 2) return std::nullopt;
    const int number = std::stoi(std::string(ident.substr(0, digits)));
    if (number < 1 || number > 36) return std::nullopt;
    std::string suffix(ident.substr(digits));
    while (!suffix.empty() && (suffix.back() == 'x' || suffix.back() == 'X')) suffix.pop_back();
    if (suffix == "L") suffix = "R";
    else if (suffix == "R") suffix = "L";
    else if (!suffix.empty() && suffix != "C" && suffix != "T" && suffix != "S" && suffix != "G" && suffix != "W")
        return std::nullopt;
    const int other = (number + 18 - 1) % 36 + 1;
    std::string out = std::to_string(other);
    if (other < 10) out.insert(out.begin(), '0');
    return out + suffix;
}

}  // namespace tarnwell

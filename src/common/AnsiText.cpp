#include "common/AnsiText.h"

#include <array>
#include <cstdint>

namespace tarnwell {

namespace {

// The characters Windows-1252 places at 0x80 to 0x9F (0 where it has none).
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t k = 0; k < HighControls.size(); ++k)
        if (HighControls[k] == c) return static_cast<char>(0x80 + k);
    return '?';
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // the code page holds nothing beyond the Basic Multilingual Plane
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string AnsiToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80 || b >= 0xA0) {
            AppendUtf8(out, b);
        } else {
            const char32_t c = HighControls[b - 0x80u];
            AppendUtf8(out, c == 0 ? char32_t{0xFFFD} : c);
        }
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const std::size_t extra = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : 0;
        bool valid = extra > 0 && i + extra < s.size();
        char32_t c = b & (0x3Fu >> extra);
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            out += ToAnsi(b);  // taken as Latin-1
            ++i;
            continue;
        }
        out += ToAnsi(c);
        i += extra + 1;
    }
    return out;
}

}  // namespace tarnwell

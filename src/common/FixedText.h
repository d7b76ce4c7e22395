#pragma once
// Fixed-width text fields as they are stored in records and files.
//
// A field of width N holds exactly N bytes. Assigning a longer value keeps
// its first N bytes, a shorter one is padded on the right with blanks, and a
// field that was never assigned holds N zero bytes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwell {

// Removes leading and trailing blanks (spaces only, as the file formats use).
inline std::string_view TrimBlanks(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

template <std::size_t N>
struct FixedText {
    static constexpr std::size_t Width = N;
    std::array<char, N> chars{};  // zero-filled: never assigned

    FixedText() = default;
    explicit FixedText(std::string_view value) { Assign(value); }

    void Assign(std::string_view value) {
        const std::size_t n = std::min(value.size(), N);
        std::copy_n(value.data(), n, chars.data());
        std::fill(chars.begin() + static_cast<std::ptrdiff_t>(n), chars.end(), ' ');
    }
    FixedText& operator=(std::string_view value) {
        Assign(value);
        return *this;
    }

    std::string_view View() const { return {chars.data(), N}; }
    std::string Str() const { return std::string(View()); }
    std::string_view Trimmed() const { return TrimBlanks(View()); }
    bool IsBlank() const {
        return std::all_of(chars.begin(), chars.end(), [](char c) { return c == ' '; });
    }
    bool NeverAssigned() const {
        return std::all_of(chars.begin(), chars.end(), [](char c) { return c == '\0'; });
    }

    // Byte-wise, exact comparison (all N characters, padding included).
    friend bool operator==(const FixedText&, const FixedText&) = default;
    friend auto operator<=>(const FixedText& a, const FixedText& b) {
        // Compare as unsigned character codes.
        for (std::size_t i = 0; i < N; ++i) {
            const auto x = static_cast<unsigned char>(a.chars[i]);
            const auto y = static_cast<unsigned char>(b.chars[i]);
            if (x != y) return x <=> y;
        }
        return std::strong_ordering::equal;
    }
};

}  // namespace tarnwell

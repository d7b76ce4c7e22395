#pragma once
// Source file text for the importer's tests: the header every simulator text
// file starts with, and gzip-compressed copies.

#include <zlib.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace tarnwell::testing {

// The origin line, the version line and a blank line: data starts on line 4.
inline std::string SourceHeader(int version) {
    return "I\r\n" + std::to_string(version) + " Version - test data.\r\n\r\n";
}

inline void WriteGzip(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    gzFile f = gzopen(path.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    gzwrite(f, text.data(), static_cast<unsigned>(text.size()));
    gzclose(f);
}

}  // namespace tarnwell::testing

// Fixed-width text, little-endian records, the comma-separated text format,
// 16-bit arithmetic that fails instead of wrapping, the limits every file is
// read within and fields as messages show them.

#include <functional>

#include <gtest/gtest.h>

#include "common/CheckedInt.h"
#include "common/LineSource.h"
#include "common/TextFile.h"
#include "navimport/SourceFileText.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::ErrorOf;
using tarnwell::testing::TempProgramFolder;
using tarnwell::testing::WriteGzip;
using Fields = std::vector<std::string>;

static Fields AllFields(std::string content) {
    FieldReader in("t", std::move(content));
    Fields out;
    while (!in.AtEnd()) out.emplace_back(in.Next().text);
    return out;
}

TEST(FixedText, CutsPadsStartsAsZerosAndOrdersByUnsignedCodes) {
    EXPECT_EQ(FixedText<3>().View(), std::string_view("\0\0\0", 3));
    EXPECT_EQ(FixedText<3>("ABCDE").Str() + FixedText<3>("AB").Str() + FixedText<3>("").Str(), "ABCAB    ");
    EXPECT_EQ(FixedText<6>(" AB C ").Trimmed(), "AB C");
    // Blank, digits, upper case, lower case, then codes above 127 (last, not first).
    const Fields ascending = {" AB", "0AB", "9ZZ", "AAA", "ZZZ", "abc", "zzz", "\xC4zz"};
    for (std::size_t i = 1; i < ascending.size(); ++i)
        EXPECT_LT(FixedText<3>(ascending[i - 1]), FixedText<3>(ascending[i])) << ascending[i];
}

TEST(RecordIo, LittleEndianAtExactOffsets) {
    Bytes rec(16, 0xEE);
    RecordWriter w(rec);
    w.I16(0, -2);
    w.I32(2, 0x01020304);
    w.F32(6, 1.0f);
    w.U8(10, 200);
    w.Text(11, FixedText<3>("AB"));
    EXPECT_EQ(rec, (Bytes{0xFE, 0xFF, 4, 3, 2, 1, 0, 0, 0x80, 0x3F, 200, 'A', 'B', ' ', 0xEE, 0xEE}));
    const RecordReader r(rec);
    EXPECT_EQ(std::tuple(r.I16(0), r.I32(2), r.F32(6), r.U8(10), r.Text<3>(11)),
              std::tuple(std::int16_t{-2}, 0x01020304, 1.0f, std::uint8_t{200}, FixedText<3>("AB ")));
}

TEST(FieldReader, SplitsAtCommasAndLineEndsAndRejectsBrokenQuotes) {
    const std::vector<std::pair<std::string, Fields>> cases = {
        // Quotes keep commas and blanks; fields may be empty, also after a
        // trailing comma; blank lines carry nothing; LF and CR end lines too;
        // a byte-order mark is no part of the field.
        {"  a , b,c\r\nd,  e  \r\n", {"a", "b", "c", "d", "e"}}, {" \"x, y\" ,\" z \"\r\n", {"x, y", " z "}},
        {"a,,b,\r\n", {"a", "", "b", ""}}, {"a\n\n  \r\nb\rc", {"a", "b", "c"}}, {"\xEF\xBB\xBF" "ABC,D", {"ABC", "D"}},
    };
    for (const auto& [text, fields] : cases) EXPECT_EQ(AllFields(text), fields) << text;
    for (const char* broken : {"\"abc", "\"abc\" x,y"}) EXPECT_NE(ErrorOf([&] { AllFields(broken); }), "no error");
}

TEST(Int16, ParsesAndComputesOnlyWithinRange) {
    std::int16_t v = 99;
    const std::pair<const char*, int> good[] = {{"-32768", -32768}, {"+32767", 32767}, {"", 0}};
    for (const auto& [text, value] : good) EXPECT_TRUE(ParseInt16(text, v) && v == value) << text;
    for (const char* bad : {"32768", "-32769", "40000", "1.5", "12a", "abc", "+", "-", "+-1", "1 2"})
        EXPECT_FALSE(ParseInt16(bad, v)) << bad;
    // Arithmetic fails instead of wrapping, naming the value and its place.
    EXPECT_EQ(CheckedInt16(-32768, "x"), -32768);
    EXPECT_THROW(CheckedInt16(-32769, "x"), TarnwellError);
    EXPECT_EQ(ErrorOf([] { CheckedAdd16(32767, 1, "DepartureCount of ABC", {"index.kr1"}); }),
              "index.kr1: DepartureCount of ABC (32768) is outside the 16-bit range -32768..32767");
}

TEST(TextLineWriter, WritesNumbersWithBlanksAndQuotesOnlyWhatWouldNotReadBack) {
    TextLineWriter w;
    w.Text("AB ");
    for (const int n : {5, -12, 0}) w.Number(n);
    w.EndLine();
    for (const char* text : {"A,B", "A\nB", "A\"B", "   ", " AB"}) w.Text(text);
    w.EndLine();
    EXPECT_EQ(w.Content(), "AB , 5 ,-12 , 0 \r\n\"A,B\",\"A\nB\",A\"B,   , AB\r\n");
    EXPECT_EQ(AllFields(w.Content()), (Fields{"AB", "5", "-12", "0", "A,B", "A\nB", "A\"B", "", "AB"}));
    // A text opening with a quote, or holding one beside a comma, has no form that reads back.
    for (const char* text : {"\"AB", " \"AB", "A\",B"}) EXPECT_THROW(w.Text(text), TarnwellError) << text;
}

TEST(FileReading, OnlyRegularFilesWithinTheirLimitsAndLinesWithinTheirLength) {
    TempProgramFolder dir;
    const auto big = dir.Write("big", "");
    std::filesystem::resize_file(big, std::uintmax_t{1} << 31);  // sparse: nothing of it may be read
    const std::vector<std::pair<std::filesystem::path, std::string>> paths = {
        {dir.Write("small", "ab\ncd\n"), "no error"}, {dir.Data(), "not a regular file (it is a folder)"},
        {dir.Root() / "none", "the file does not exist"},
        {big, "the file is 2147483648 bytes long; a test file is at most 8 bytes, so it is not read"},
    };
    const auto lines = [](const std::filesystem::path& path, TextLimits limits) {
        LineSource in(path, limits);
        std::string_view line;
        while (in.Next(line)) {}
    };
    const FileLimit limit{8, "a test file"};
    for (const auto& [path, error] : paths)
        for (const auto& read : std::vector<std::function<void()>>{[&] { ReadFileBytes(path, limit); },
                                                                   [&] { FieldReader::FromFile(path, limit); },
                                                                   [&] { lines(path, {8, 8, limit.what}); }})
            EXPECT_EQ(ErrorOf(read), error == "no error" ? error : PathText(path) + ": " + error);
    // A line past its length, and text past its size also when compressed.
    WriteGzip(dir.Root() / "blank.gz", std::string(100, '\n'));
    const std::vector<std::tuple<std::filesystem::path, TextLimits, std::string>> cut = {
        {dir.Write("long", "ab\r\ncd\r\nabcdefgh\n"), {4, 100, "a t"}, "long, line 3: the line is longer than 4 bytes"},
        {dir.Write("tail", "ab\r\ncd\r\nabcdefgh"), {4, 100, "a t"}, "tail, line 3: the line is longer than 4 bytes"},
        {dir.Root() / "blank.gz", {4, 50, "a t"}, "blank.gz, line 1: the text goes on past 50 bytes (uncompressed)"},
    };
    for (const auto& [path, limits, error] : cut)
        EXPECT_NE(ErrorOf([&] { lines(path, limits); }).find(error), std::string::npos) << error;
}

TEST(QuotedField, EscapesWhatIsNotPrintableAndCutsAfterFortyBytes) {
    const std::string forty(40, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"", "\"\""}, {"AB \"C\"", "\"AB \"C\"\""}, {std::string("\0\x1f\x7f\xe9\\", 5), "\"\\x00\\x1f\\x7f\\xe9\\\""},
        {forty, "\"" + forty + "\""}, {forty + std::string(1 << 20, '\0'), "\"" + forty + "\"... (1048616 bytes)"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(QuotedField(text), shown);
}

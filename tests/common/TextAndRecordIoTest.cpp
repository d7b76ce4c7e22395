// Fixed-width text, little-endian records, the comma-separated text format
// and 16-bit arithmetic that fails instead of wrapping.

#include <gtest/gtest.h>

#include "common/CheckedInt.h"
#include "common/TextFile.h"
#include "TestSupport.h"

using namespace tarnwell;
using tarnwell::testing::ErrorOf;
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

// Fixed-width text, little-endian records and the comma-separated text format.

#include <gtest/gtest.h>

#include "common/BinaryIO.h"
#include "common/CheckedInt.h"
#include "common/FixedText.h"
#include "common/TextFile.h"

using namespace tarnwell;

TEST(FixedText, CutsPadsAndStartsAsZeros) {
    FixedText<3> t;
    EXPECT_TRUE(t.NeverAssigned());
    EXPECT_EQ(t.View(), std::string_view("\0\0\0", 3));
    t = "ABCDE";
    EXPECT_EQ(t.View(), "ABC");
    t = "AB";
    EXPECT_EQ(t.View(), "AB ");
    t = "";
    EXPECT_EQ(t.View(), "   ");
    EXPECT_TRUE(t.IsBlank());
    EXPECT_EQ(FixedText<6>(" AB C ").Trimmed(), "AB C");
}

TEST(FixedText, OrdersByUnsignedCharacterCodes) {
    EXPECT_LT(FixedText<3>(" AB"), FixedText<3>("0AB"));
    EXPECT_LT(FixedText<3>("9ZZ"), FixedText<3>("AAA"));
    EXPECT_LT(FixedText<3>("ZZZ"), FixedText<3>("abc"));
    EXPECT_LT(FixedText<3>("zzz"), FixedText<3>("\xC4zz"));  // above 127 sorts last, not first
}

TEST(RecordIo, LittleEndianAtExactOffsets) {
    Bytes rec(16, 0xEE);
    RecordWriter w(rec);
    w.I16(0, -2);
    w.I32(2, 0x01020304);
    w.F32(6, 1.0f);
    w.U8(10, 200);
    w.Text(11, FixedText<3>("AB"));
    const Bytes expected = {0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F, 200, 'A', 'B', ' ', 0xEE, 0xEE};
    EXPECT_EQ(rec, expected);

    RecordReader r(rec);
    EXPECT_EQ(r.I16(0), -2);
    EXPECT_EQ(r.I32(2), 0x01020304);
    EXPECT_EQ(r.F32(6), 1.0f);
    EXPECT_EQ(r.U8(10), 200);
    EXPECT_EQ(r.Text<3>(11).View(), "AB ");
}

namespace {
std::vector<std::string> AllFields(FieldReader in) {
    std::vector<std::string> out;
    while (!in.AtEnd()) out.emplace_back(in.Next().text);
    return out;
}
}  // namespace

TEST(FieldReader, SplitsAtCommasAndLineEndsDroppingBlanks) {
    EXPECT_EQ(AllFields(FieldReader("t", "  a , b,c\r\nd,  e  \r\n")),
              (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    // Quotes keep commas and inner blanks; the quotes themselves are dropped.
    EXPECT_EQ(AllFields(FieldReader("t", " \"x, y\" ,\" z \"\r\n")), (std::vector<std::string>{"x, y", " z "}));
    // An empty field between commas, and one after a trailing comma.
    EXPECT_EQ(AllFields(FieldReader("t", "a,,b,\r\n")), (std::vector<std::string>{"a", "", "b", ""}));
    // Blank lines carry nothing; LF-only and CR-only line ends also end a field.
    EXPECT_EQ(AllFields(FieldReader("t", "a\n\n  \r\nb\rc")), (std::vector<std::string>{"a", "b", "c"}));
    // A byte-order mark is not part of the first field.
    EXPECT_EQ(AllFields(FieldReader("t", "\xEF\xBB\xBF" "ABC,D")), (std::vector<std::string>{"ABC", "D"}));
}

TEST(FieldReader, TracksLinesAndRejectsBrokenQuotes) {
    FieldReader in("t", "a,b\r\n\r\nc");
    EXPECT_EQ(in.Next().line, 1);
    EXPECT_EQ(in.Next().line, 1);
    EXPECT_EQ(in.Next().line, 3);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_THROW(in.Next(), TarnwellError);

    FieldReader open("t", "\"abc");
    EXPECT_THROW(open.Next(), TarnwellError);
    FieldReader trailing("t", "\"abc\" x,y");
    EXPECT_THROW(trailing.Next(), TarnwellError);
}

TEST(ParseInt16, AcceptsWholeNumbersInRangeOnly) {
    std::int16_t v = 99;
    EXPECT_TRUE(ParseInt16("-32768", v));
    EXPECT_EQ(v, -32768);
    EXPECT_TRUE(ParseInt16("+32767", v));
    EXPECT_EQ(v, 32767);
    EXPECT_TRUE(ParseInt16("", v));
    EXPECT_EQ(v, 0);
    for (const char* bad : {"32768", "-32769", "40000", "1.5", "12a", "abc", "+", "-", "+-1", "1 2"})
        EXPECT_FALSE(ParseInt16(bad, v)) << bad;
}

TEST(TextLineWriter, WritesNumbersWithBlanksAndCrLf) {
    TextLineWriter w;
    w.Text("AB ");
    w.Number(5);
    w.Number(-12);
    w.Number(0);
    w.EndLine();
    w.Text("X");
    w.EndLine();
    EXPECT_EQ(w.Content(), "AB , 5 ,-12 , 0 \r\nX\r\n");
}

TEST(TextLineWriter, QuotesOnlyTextsThatWouldNotReadBack) {
    TextLineWriter w;
    for (const char* text : {"A,B", "A\nB", "A\"B", "   ", " AB"}) w.Text(text);
    w.EndLine();
    EXPECT_EQ(w.Content(), "\"A,B\",\"A\nB\",A\"B,   , AB\r\n");
    // Blanks around a field are dropped as for every text field.
    EXPECT_EQ(AllFields(FieldReader("t", w.Content())), (std::vector<std::string>{"A,B", "A\nB", "A\"B", "", "AB"}));
    // A text opening with a quote, or holding one beside a comma, has no form that reads back.
    for (const char* text : {"\"AB", " \"AB", "A\",B"}) EXPECT_THROW(w.Text(text), TarnwellError) << text;
}

TEST(CheckedInt, RefusesValuesOutside16Bits) {
    EXPECT_EQ(CheckedInt16(-32768, "x"), -32768);
    EXPECT_THROW(CheckedInt16(32768, "x"), TarnwellError);
    EXPECT_THROW(CheckedAdd16(32767, 1, "count"), TarnwellError);
    try {
        CheckedAdd16(32767, 1, "DepartureCount of ABC", {"index.kr1"});
    } catch (const TarnwellError& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::Overflow);
        EXPECT_NE(std::string(e.what()).find("DepartureCount of ABC"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("index.kr1"), std::string::npos);
    }
}

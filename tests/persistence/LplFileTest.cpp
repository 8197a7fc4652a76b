#include "persistence/LineFile.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const std::string Tube =
    "T-1,Tube,1,0.95,0.99,0.97,0.99,25,101.325,2.5,0.1016,34.9,34.9,0,0,90,0,57,10,"
    "Metric,Metric,Metric,Metric,Metric,,Metric,Metric,Metric";

std::string Join(const std::vector<std::string>& lines, const std::string& eol,
                 bool finalBreak = true) {
    std::string s;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        s += lines[i];
        if (i + 1 < lines.size() || finalBreak)
            s += eol;
    }
    return s;
}

const LineFile* Read(const std::string& bytes, const std::string& what) {
    static ReadResult r;
    r = ReadLplBytes(bytes, EvalContext{});
    if (const auto* e = std::get_if<FileError>(&r)) {
        ADD_FAILURE() << what << ": " << e->Message;
        return nullptr;
    }
    return &std::get<LineFile>(r);
}

std::string ErrorOf(const std::string& bytes) {
    const ReadResult r = ReadLplBytes(bytes, EvalContext{});
    const auto* e = std::get_if<FileError>(&r);
    return e ? e->Message : std::string("(read without error)");
}

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        lines.push_back(l);
    }
    return lines;
}

TEST(LplFile, SampleFileImportsAndItsComponentLinesComeBackUnchanged) {
    const std::string path = LODO_TEST_DATA_DIR "/stack-line.lpl";
    const ReadResult r = ReadLplFile(path, EvalContext{});
    ASSERT_TRUE(std::holds_alternative<LineFile>(r)) << std::get<FileError>(r).Message;
    const LineFile& f = std::get<LineFile>(r);
    ASSERT_EQ(f.List.size(), 4u);
    EXPECT_EQ(f.LineName, "Stack 3, east duct");
    // Stored 2,1,0,0,1,0, raised by the names T-2, B-1, N-1.
    EXPECT_EQ(f.Counters, (NameCounters{2, 1, 0, 0, 1, 0}));
    EXPECT_EQ(f.List[0].NType, "Nozzle");
    EXPECT_EQ(f.List[0].NTypeInt, 5);
    EXPECT_EQ(f.List[0].Dia1, 12.7);
    EXPECT_EQ(f.List[3].Ang1, -90.0);
    EXPECT_EQ(f.List[0].Dia3Unit, "");

    const auto original = FileLines(path);
    const auto snapshot = LegacySnapshot(f.List, f.Counters, *f.LineName);
    ASSERT_EQ(snapshot.size(), original.size());
    for (std::size_t i = 0; i + 1 < original.size(); ++i)
        EXPECT_EQ(snapshot[i], original[i]);
    // The snapshot does not quote: the name's comma shows as it is.
    EXPECT_EQ(snapshot.back(), "2,1,0,0,1,0,Stack 3, east duct");
}

TEST(LplFile, LineLayouts) {
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t count;
        std::string lineName;
        NameCounters counters;
    } cases[] = {
        {"CR LF", Join({"1", Tube, "1,0,0,0,0,0,Line A"}, "\r\n"), 1, "Line A", {1, 0, 0, 0, 0, 0}},
        {"LF", Join({"1", Tube, "1,0,0,0,0,0,Line A"}, "\n"), 1, "Line A", {1, 0, 0, 0, 0, 0}},
        {"no final break",
         Join({"1", Tube, "3,0,0,0,0,0,Line A"}, "\r\n", false),
         1,
         "Line A",
         {3, 0, 0, 0, 0, 0}},
        {"N = 0", Join({"0", "4,5,6,7,8,9,Empty"}, "\r\n"), 0, "Empty", {4, 5, 6, 7, 8, 9}},
        {"unquoted name cut at comma",
         Join({"0", "0,0,0,0,0,0,East, duct"}, "\r\n"),
         0,
         "East",
         {}},
        {"quoted name keeps comma",
         Join({"0", "0,0,0,0,0,0,\"East, \"\"B\"\" duct\""}, "\r\n"),
         0,
         "East, \"B\" duct",
         {}},
        {"spaces are kept", Join({"0", "0,0,0,0,0,0, Line B "}, "\r\n"), 0, " Line B ", {}},
        {"30 fields",
         Join({"1", Tube + ",extra,more", "0,0,0,0,0,0,L,ignored"}, "\r\n"),
         1,
         "L",
         {1, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const LineFile* f = Read(c.bytes, c.what);
        if (!f)
            continue;
        EXPECT_EQ(f->List.size(), c.count) << c.what;
        EXPECT_EQ(f->LineName, c.lineName) << c.what;
        EXPECT_EQ(f->Counters, c.counters) << c.what;
        if (c.count == 1) {
            EXPECT_EQ(f->List[0].FStreamUnit, "Metric") << c.what;
        }
    }
}

TEST(LplFile, ErrorsReadNothing) {
    std::string badLen = Tube;
    badLen.replace(badLen.find(",2.5,"), 5, ",abc,");
    std::string badType = Tube;
    badType.replace(badType.find(",1,"), 3, ",x,");
    std::string probe = Tube;
    probe.replace(0, 11, "N-1,RF9-999,6,");
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"empty file", "", "Invalid File. Can not Open File: the file is empty"},
        {"N + 1 lines", Join({"1", Tube}, "\r\n"),
         "Invalid File. Can not Open File: line 1 gives 1 component, so the file needs 3 lines "
         "(the count, 1 "
         "component lines and the last line with the name counters and the line name); it has 2"},
        {"N + 4 lines, the extra one not blank",
         Join({"2", Tube, Tube, Tube, "0,0,0,0,0,0,L"}, "\r\n"),
         "Invalid File. Can not Open File: line 1 gives 2 components, so the file needs 4 lines "
         "(the count, 2 "
         "component lines and the last line with the name counters and the line name); it has 5"},
        {"negative count", Join({"-1", "0,0,0,0,0,0,L"}, "\r\n"),
         "Invalid File. Can not Open File: line 1 gives -1 components, which is not a count"},
        {"count not an integer", Join({"one", "0,0,0,0,0,0,L"}, "\r\n"),
         "Line 1 (number of components): 'one' is not a valid integer value"},
        {"short component line", Join({"1", "T-1,Tube,1,0.9", "0,0,0,0,0,0,L"}, "\r\n"),
         "Component 1 (line 2) has 4 fields; 28 are needed"},
        {"short trailer", Join({"1", Tube, "0,0,0,0,0,0"}, "\r\n"),
         "The last line (name counters and line name) has 6 fields; 7 are needed"},
        {"malformed number", Join({"1", badLen, "0,0,0,0,0,0,L"}, "\r\n"),
         "Component 1, field \"Len\": 'abc' is not a valid floating point value"},
        {"malformed type code", Join({"1", badType, "0,0,0,0,0,0,L"}, "\r\n"),
         "Component 1, field \"NTypeInt\": 'x' is not a valid integer value"},
        {"malformed counter", Join({"1", Tube, "0,0,x,0,0,0,L"}, "\r\n"),
         "Last line, field \"CINo\": 'x' is not a valid integer value"},
        {"unknown probe", Join({"1", probe, "0,0,0,0,0,0,L"}, "\r\n"),
         "Component 1, field \"NType\": 'RF9-999' is not a known shrouded-probe model"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.bytes), c.message) << c.what;
}

TEST(LplFile, Encodings) {
    // "Zürich µ line" in each encoding a legacy file may come in.
    const std::string utf8 = "Z\xC3\xBCrich \xC2\xB5 line \xE2\x82\xAC";
    const std::string body = "0\r\n0,0,0,0,0,0,";
    const auto utf16 = [&](bool big) {
        const std::u16string s = u"0\r\n0,0,0,0,0,0,Z\u00FCrich \u00B5 line \u20AC\r\n";
        std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t ch : s) {
            const char hi = static_cast<char>(ch >> 8), lo = static_cast<char>(ch & 0xFF);
            out += big ? std::string{hi, lo} : std::string{lo, hi};
        }
        return out;
    };
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-8", body + utf8 + "\r\n"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + body + utf8 + "\r\n"},
        {"Windows-1252", body + "Z\xFCrich \xB5 line \x80\r\n"},
        {"UTF-16 LE", utf16(false)},
        {"UTF-16 BE", utf16(true)},
    };
    for (const auto& c : cases) {
        const LineFile* f = Read(c.bytes, c.what);
        if (f) {
            EXPECT_EQ(f->LineName, utf8) << c.what;
        }
    }
}

TEST(LplFile, DecodeKeepsOrReplacesBrokenUnicode) {
    // A lone surrogate and an odd final byte in UTF-16 become replacement characters.
    EXPECT_EQ(DecodeLegacyText(std::string("\xFF\xFE"
                                           "A\0\x00\xD8"
                                           "B\0C",
                                           9)),
              "A\xEF\xBF\xBD"
              "B\xEF\xBF\xBD");
    // A surrogate pair.
    EXPECT_EQ(DecodeLegacyText(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80");
    // A NUL byte cannot be stored in a sample-line file.
    EXPECT_EQ(DecodeLegacyText(std::string("A\0B", 3)), "A\xEF\xBF\xBD"
                                                        "B");
    // Overlong UTF-8 is not UTF-8: read as Windows-1252.
    EXPECT_EQ(DecodeLegacyText("\xC0\xAF"), "\xC3\x80\xC2\xAF");
}

TEST(LegacySplit, Fields) {
    struct Case {
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"a,b", {"a", "b"}},
        {"", {""}},
        {"a,", {"a", ""}},
        {",,", {"", "", ""}},
        {" a , b", {" a ", " b"}},
        {"\"x,y\",z", {"x,y", "z"}},
        {"\"a\"\"b\"", {"a\"b"}},
        {"\"open, to the end", {"open, to the end"}},
        {"\"q\"tail,x", {"qtail", "x"}},
        {"mid\"quote,x", {"mid\"quote", "x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Split(',', c.line), c.fields) << c.line;
}

TEST(ConvertToStr, TwentySevenSeparatorsAndTextsAsTheyAre) {
    const ReadResult r = ReadLplBytes(Join({"1", Tube, "0,0,0,0,0,0,L"}, "\n"), EvalContext{});
    ASSERT_TRUE(std::holds_alternative<LineFile>(r));
    LodoList list = std::get<LineFile>(r).List;
    std::string line = ConvertToStr(list, 0);
    EXPECT_EQ(line, Tube);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 27);
    EXPECT_NE(line.find("Metric,,Metric"), std::string::npos); // empty Dia3Unit

    list[0].Name = "T-1, renamed";
    list[0].Len = 1.0 / 3.0;
    line = ConvertToStr(list, 0);
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 28);
    EXPECT_TRUE(line.starts_with("T-1, renamed,Tube,1,"));
    EXPECT_NE(line.find(",0.333333333333333,"), std::string::npos);
    EXPECT_EQ(ConvertToStr(list, 1), "");
    EXPECT_EQ(ConvertToStr(list, -1), "");
}

TEST(LegacySnapshot, EmptyLine) {
    EXPECT_EQ(LegacySnapshot({}, {1, 2, 3, 4, 5, 6}, "Sample Line 1"),
              (std::vector<std::string>{"0", "1,2,3,4,5,6,Sample Line 1"}));
}

} // namespace

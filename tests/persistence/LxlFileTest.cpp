#include "TestPrecision.h"
#include "model/CreateComp.h"
#include "persistence/LineFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <pugixml.hpp>

namespace {

namespace fs = std::filesystem;

LineFile Ok(ReadResult r) {
    if (const auto* e = std::get_if<FileError>(&r))
        ADD_FAILURE() << "read failed: " << e->Message;
    auto* f = std::get_if<LineFile>(&r);
    return f ? std::move(*f) : LineFile{};
}

std::string Text(const std::variant<std::string, FileError>& r) {
    if (const auto* e = std::get_if<FileError>(&r))
        ADD_FAILURE() << "write failed: " << e->Message;
    const auto* s = std::get_if<std::string>(&r);
    return s ? *s : std::string();
}

// A record whose every stored field holds something a careless writer would damage.
TLodoComp AwkwardRecord(int i) {
    TLodoComp c;
    c.Name = "T-" + std::to_string(i) + " *";
    c.NType = "Tube";
    c.NTypeInt = NodeTube;
    c.TransM1 = 1.0 / 3.0 + i;
    c.TransM2 = 0.123456789012345678;
    c.TransM3 = 1e-300;
    c.TransM4 = 1;
    c.Temp = -40.000000000001;
    c.Press = 14.6959487755134;
    c.Len = 123456789012.345;
    c.Brd = 4.0 / 7.0;
    c.Dia1 = 1.0 / 7.0;
    c.Dia2 = 2e-7;
    c.Dia3 = -0.0000123456789012345;
    c.Ang1 = -90;
    c.Ang2 = 45.5;
    c.Ang3 = 359.999999999999;
    c.Flow = 2.01297553826e+3;
    c.FStream = 9.87654321098765e+22;
    c.TempUnit = "English";
    c.PressUnit = "English";
    c.LenUnit = "";
    c.Dia1Unit = "Metric";
    c.Dia2Unit = " ";                                // blanks only: still a stored string
    c.Dia3Unit = "<&> \"quoted\" 'x' CR\r CRLF\r\n"; // a reader turns a bare CR into LF
    c.FlowUnit = "Metric";
    c.RadiusUnit = "caf\u00e9 \u00b5m";
    c.FStreamUnit = "English";
    c.PTrans = 0.5;  // not stored
    c.MTrans = 0.25; // not stored
    return c;
}

void ExpectSameStoredFields(const TLodoComp& a, const TLodoComp& b) {
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.NType, b.NType);
    EXPECT_EQ(a.NTypeInt, b.NTypeInt);
    for (auto m :
         {&TLodoComp::TransM1, &TLodoComp::TransM2, &TLodoComp::TransM3, &TLodoComp::TransM4,
          &TLodoComp::Temp, &TLodoComp::Press, &TLodoComp::Len, &TLodoComp::Brd, &TLodoComp::Dia1,
          &TLodoComp::Dia2, &TLodoComp::Dia3, &TLodoComp::Ang1, &TLodoComp::Ang2, &TLodoComp::Ang3,
          &TLodoComp::Flow, &TLodoComp::FStream})
        EXPECT_REL_NEAR(b.*m, a.*m, TestPrecision::FifteenDigits);
    for (auto m : {&TLodoComp::TempUnit, &TLodoComp::PressUnit, &TLodoComp::LenUnit,
                   &TLodoComp::Dia1Unit, &TLodoComp::Dia2Unit, &TLodoComp::Dia3Unit,
                   &TLodoComp::FlowUnit, &TLodoComp::RadiusUnit, &TLodoComp::FStreamUnit})
        EXPECT_EQ(b.*m, a.*m);
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lodo-lxl-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir;
};

using LxlFileTest = TempDir;

TEST_F(LxlFileTest, EveryStoredFieldSurvivesSaveAndOpen) {
    const LodoList line = {AwkwardRecord(1), AwkwardRecord(2)};
    const auto path = dir / "line.lxl";
    ASSERT_FALSE(WriteLxlFile(path, line, "Stack \u00b5 <1> & \"A\"\r"));
    EvalContext defaults;
    const LineFile f = Ok(ReadLxlFile(path, defaults));
    ASSERT_EQ(f.List.size(), 2u);
    EXPECT_EQ(f.LineName, "Stack \u00b5 <1> & \"A\"\r");
    for (std::size_t i = 0; i < 2; ++i) {
        ExpectSameStoredFields(line[i], f.List[i]);
        // Recomputed by evaluation, never read from the file.
        EXPECT_EQ(f.List[i].PTrans, 0.0);
        EXPECT_EQ(f.List[i].MTrans, 0.0);
    }
}

TEST_F(LxlFileTest, ExtremeNumbersSurvive) {
    TLodoComp c = AwkwardRecord(1);
    c.Dia3 = std::numeric_limits<double>::max(); // 15 digits would round it past the largest double
    c.Len = std::numeric_limits<double>::max();
    c.Brd = std::numeric_limits<double>::denorm_min();
    const LineFile f = Ok(ReadLxlText(Text(BuildLxlText({c}, "L")), EvalContext{}));
    ASSERT_EQ(f.List.size(), 1u);
    EXPECT_EQ(f.List[0].Dia3, c.Dia3);
    EXPECT_EQ(f.List[0].Len, c.Len);
    EXPECT_REL_NEAR(f.List[0].Brd, c.Brd, 1e-14);
}

TEST_F(LxlFileTest, DocumentHas29ElementsPerNodeInOrder) {
    const std::string text = Text(BuildLxlText({AwkwardRecord(1)}, "L"));
    EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?>"))
        << text.substr(0, 60);
    EXPECT_NE(text.find("\n  <Node>\n    <LineName>L</LineName>\n    <Name>T-1 *</Name>"),
              std::string::npos);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(text.c_str()));
    const std::vector<std::string> expected = {
        "LineName", "Name",     "NType",    "NTypeInt",   "TransM1",    "TransM2",
        "TransM3",  "TransM4",  "Temp",     "Press",      "Len",        "Brd",
        "Dia1",     "Dia2",     "Dia3",     "Ang1",       "Ang2",       "Ang3",
        "Flow",     "FStream",  "TempUnit", "PressUnit",  "LenUnit",    "Dia1Unit",
        "Dia2Unit", "Dia3Unit", "FlowUnit", "RadiusUnit", "FStreamUnit"};
    std::vector<std::string> names;
    for (const auto& el : doc.child("Nodes").child("Node").children()) {
        names.push_back(el.name());
        EXPECT_FALSE(el.first_attribute());
    }
    EXPECT_EQ(names, expected);
    EXPECT_STREQ(doc.child("Nodes").child("Node").child("NTypeInt").text().get(), "1");
    EXPECT_STREQ(doc.child("Nodes").child("Node").child("Ang1").text().get(), "-90");
}

TEST_F(LxlFileTest, EmptyLineIsAnEmptyNodesElement) {
    const std::string text = Text(BuildLxlText({}, "Unsaved name"));
    EXPECT_EQ(text.find("Unsaved name"), std::string::npos);
    const LineFile f = Ok(ReadLxlText(text, EvalContext{}));
    EXPECT_TRUE(f.List.empty());
    EXPECT_FALSE(f.LineName.has_value());
}

TEST_F(LxlFileTest, FailedEvaluationResultsStillOpen) {
    TLodoComp c = AwkwardRecord(1);
    c.TransM1 = std::numeric_limits<double>::quiet_NaN();
    c.TransM2 = std::numeric_limits<double>::infinity();
    c.TransM3 = -std::numeric_limits<double>::infinity();
    const LineFile f = Ok(ReadLxlText(Text(BuildLxlText({c}, "L")), EvalContext{}));
    ASSERT_EQ(f.List.size(), 1u);
    EXPECT_TRUE(std::isnan(f.List[0].TransM1));
    EXPECT_EQ(f.List[0].TransM2, std::numeric_limits<double>::infinity());
    EXPECT_EQ(f.List[0].TransM3, -std::numeric_limits<double>::infinity());
}

TEST_F(LxlFileTest, NonFiniteInputIsRefusedAndTheOldFileKept) {
    const auto path = dir / "line.lxl";
    ASSERT_FALSE(WriteLxlFile(path, {AwkwardRecord(1)}, "old"));
    LodoList bad = {AwkwardRecord(1), AwkwardRecord(2)};
    bad[1].Dia1 = std::numeric_limits<double>::quiet_NaN();
    const auto error = WriteLxlFile(path, bad, "new");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Message,
              "Component 2 (Index 1, T-2 *), element \"Dia1\": the value is not a finite number");
    bad[1].Dia1 = 1;
    bad[1].Dia3Unit = std::string("in\0", 3);
    EXPECT_TRUE(WriteLxlFile(path, bad, "new"));
    EXPECT_EQ(Ok(ReadLxlFile(path, EvalContext{})).LineName, "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"line.lxl"});
}

TEST_F(LxlFileTest, OverwriteReplacesWholeFileAndLeavesNoTemporary) {
    const auto path = dir / "line.lxl";
    ASSERT_FALSE(
        WriteLxlFile(path, {AwkwardRecord(1), AwkwardRecord(2), AwkwardRecord(3)}, "long"));
    ASSERT_FALSE(WriteLxlFile(path, {AwkwardRecord(4)}, "short"));
    const LineFile f = Ok(ReadLxlFile(path, EvalContext{}));
    EXPECT_EQ(f.List.size(), 1u);
    EXPECT_EQ(f.LineName, "short");
    EXPECT_EQ(Entries(), std::vector<std::string>{"line.lxl"});
}

TEST_F(LxlFileTest, WritingThroughALinkUpdatesItsTarget) {
    const auto target = dir / "real.lxl";
    const auto link = dir / "link.lxl";
    ASSERT_FALSE(WriteLxlFile(target, {AwkwardRecord(1)}, "old"));
    fs::create_symlink(target, link);
    ASSERT_FALSE(WriteLxlFile(link, {AwkwardRecord(2)}, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Ok(ReadLxlFile(target, EvalContext{})).LineName, "new");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.lxl", "real.lxl"}));
}

TEST_F(LxlFileTest, FailedWriteLeavesWhatWasThere) {
    // A folder in the way: the rename fails after the temporary was written.
    const auto blocked = dir / "blocked.lxl";
    fs::create_directory(blocked);
    std::ofstream(blocked / "keep.txt") << "x";
    EXPECT_TRUE(WriteLxlFile(blocked, {AwkwardRecord(1)}, "L"));
    EXPECT_TRUE(fs::exists(blocked / "keep.txt"));
    EXPECT_EQ(Entries(), std::vector<std::string>{"blocked.lxl"});
    // A folder that does not exist.
    EXPECT_TRUE(WriteLxlFile(dir / "missing" / "x.lxl", {AwkwardRecord(1)}, "L"));
}

// One "Node" with the given children, inside a complete document.
std::string Doc(const std::string& nodes) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Nodes>" + nodes + "</Nodes>";
}

const std::string AllNumbers =
    "<NTypeInt>1</NTypeInt><TransM1>0.9</TransM1><TransM2>1</TransM2><TransM3>1</TransM3>"
    "<TransM4>1</TransM4><Temp>25</Temp><Press>101.325</Press><Len>2</Len><Brd>0.1016</Brd>"
    "<Dia1>34.9</Dia1><Dia2>34.9</Dia2><Dia3>0</Dia3><Ang1>0</Ang1><Ang2>90</Ang2><Ang3>0</Ang3>"
    "<Flow>57</Flow><FStream>10</FStream>";

TEST(LxlReader, ElementsAreFoundByNameAndTheFirstOfTwoWins) {
    const std::string node =
        "<Node><FStreamUnit>Metric</FStreamUnit><Dia1>12.5</Dia1><Name>T-3</Name>" + AllNumbers +
        "<Name>T-99</Name><LineName>first</LineName><LineName>second</LineName>"
        "<NType>Tube</NType><TempUnit>Metric</TempUnit><Dia1Unit>English</Dia1Unit></Node>";
    const LineFile f = Ok(ReadLxlText(Doc(node), EvalContext{}));
    ASSERT_EQ(f.List.size(), 1u);
    EXPECT_EQ(f.List[0].Name, "T-3");
    EXPECT_EQ(f.List[0].Dia1, 12.5);
    EXPECT_EQ(f.List[0].Len, 2.0);
    EXPECT_EQ(f.List[0].Dia1Unit, "English");
    EXPECT_EQ(f.List[0].FStreamUnit, "Metric");
    EXPECT_EQ(f.LineName, "first");
}

TEST(LxlReader, LastNodeNamesTheLineAndCountersFollowTheNames) {
    const auto node = [](const std::string& name, int type, const std::string& ntype,
                         const std::string& line) {
        std::string numbers = AllNumbers;
        numbers.replace(numbers.find("<NTypeInt>1<"), 12,
                        "<NTypeInt>" + std::to_string(type) + "<");
        return "<Node><LineName>" + line + "</LineName><Name>" + name + "</Name><NType>" + ntype +
               "</NType>" + numbers + "</Node>";
    };
    const std::string text = Doc(node("N-4", 6, "RF2-112", "a") + node("T-7 *", 1, "Tube", "b") +
                                 node("T-2", 1, "Tube", "c") + node("B-12", 2, "Bend", "d"));
    const LineFile f = Ok(ReadLxlText(text, EvalContext{}));
    EXPECT_EQ(f.List.size(), 4u);
    EXPECT_EQ(f.LineName, "d");
    EXPECT_EQ(f.Counters, (NameCounters{7, 12, 0, 0, 0, 4}));
}

TEST(LxlReader, OnlyNodeElementsAreComponents) {
    const std::string node = "<Node><Name>T-1</Name><NType>Tube</NType>" + AllNumbers + "</Node>";
    const LineFile f = Ok(ReadLxlText(
        Doc("<!-- saved by hand -->" + node + "<Comment>x</Comment>" + node), EvalContext{}));
    EXPECT_EQ(f.List.size(), 2u);
}

TEST(LxlReader, MissingUnitElements) {
    EvalContext defaults;
    defaults.LU = "English";
    defaults.TU = "Metric";
    const std::string node = "<Node><Name>T-1</Name><NType>Tube</NType>" + AllNumbers + "</Node>";
    const LineFile f = Ok(ReadLxlText(Doc(node), defaults));
    ASSERT_EQ(f.List.size(), 1u);
    EXPECT_EQ(f.List[0].LenUnit, "English"); // kept from the new record
    EXPECT_EQ(f.List[0].TempUnit, "");       // missing text reads as empty
    EXPECT_EQ(f.List[0].Dia1Unit, "");
    EXPECT_EQ(f.LineName, "");
}

// A wall temperature lives inside the component's Node, after its 29 elements, only
// when the component has one; a line without one is written as it always was.
TEST(LxlReader, WallTemperatureRoundTripAndRules) {
    const std::string node = "<Node><Name>T-1</Name><NType>Tube</NType>" + AllNumbers + "</Node>";
    const LineFile plain = Ok(ReadLxlText(Doc(node), EvalContext{}));
    ASSERT_EQ(plain.List.size(), 1u);
    EXPECT_FALSE(plain.List[0].WallTemp);
    const std::string plainText = Text(BuildLxlText(plain.List, "L"));
    EXPECT_EQ(plainText.find("WallTemp"), std::string::npos);

    LodoList walled = plain.List;
    for (std::string* u :
         {&walled[0].TempUnit, &walled[0].PressUnit, &walled[0].LenUnit, &walled[0].Dia1Unit,
          &walled[0].Dia2Unit, &walled[0].FlowUnit, &walled[0].RadiusUnit, &walled[0].FStreamUnit})
        *u = "Metric";
    walled[0].WallTemp = -12.5;
    walled[0].WallTempUnit = "English";
    const std::string text = Text(BuildLxlText(walled, "L"));
    EXPECT_NE(text.find("<FStreamUnit>"), std::string::npos);
    EXPECT_LT(text.find("<FStreamUnit>"), text.find("<WallTemp>-12.5</WallTemp>"));
    EXPECT_NE(text.find("<WallTempUnit>English</WallTempUnit>"), std::string::npos);
    const LineFile back = Ok(ReadLxlText(text, EvalContext{}));
    ASSERT_EQ(back.List.size(), 1u);
    EXPECT_EQ(back.List[0].WallTemp, -12.5);
    EXPECT_EQ(back.List[0].WallTempUnit, "English");
    EXPECT_TRUE(back.Warnings.empty());
    EXPECT_EQ(Text(BuildLxlText(back.List, "L")), text);

    // Not above absolute zero, or no number: the file is refused.
    for (const std::string bad : {"-273.15", "abc"}) {
        std::string n = node;
        n.replace(n.find("</Node>"), 7,
                  "<WallTemp>" + bad + "</WallTemp><WallTempUnit>Metric</WallTempUnit></Node>");
        EXPECT_TRUE(std::holds_alternative<FileError>(ReadLxlText(Doc(n), EvalContext{}))) << bad;
    }
}

TEST(LxlReader, CommaSeparatorIsAcceptedWithoutAPoint) {
    std::string numbers = AllNumbers;
    numbers.replace(numbers.find("<Dia1>34.9<"), 11, "<Dia1>34,9<");
    const LineFile f = Ok(ReadLxlText(
        Doc("<Node><Name>T-1</Name><NType>Tube</NType>" + numbers + "</Node>"), EvalContext{}));
    ASSERT_EQ(f.List.size(), 1u);
    EXPECT_EQ(f.List[0].Dia1, 34.9);
}

TEST(LxlReader, ErrorsReadNothing) {
    const std::string good = "<Node><Name>T-1</Name><NType>Tube</NType>" + AllNumbers + "</Node>";
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string n = good;
        n.replace(n.find(from), from.size(), to);
        return Doc(good + good + n);
    };
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    } cases[] = {
        {"empty", "", "Not a well-formed XML file: No document element found at line 1, column 1"},
        {"not XML", "Nodes, 3", "Not a well-formed XML file:"},
        {"truncated", Doc(good).substr(0, 120), "Not a well-formed XML file:"},
        // Where, as an editor counts lines: the bad tag is on line 3.
        {"bad tag", "<?xml version=\"1.0\"?>\n<Nodes>\n  <Node><=/Node>\n</Nodes>\n",
         "Not a well-formed XML file: Could not determine tag type at line 3, column"},
        {"other root", "<Lines>" + good + "</Lines>",
         "Not a sample-line file: the root element is \"Lines\""},
        {"malformed number", with("<Dia1>34.9<", "<Dia1>abc<"),
         "Component 3 (Index 2, T-1), element \"Dia1\": 'abc' is not a valid floating point value"},
        {"empty number", with("<Flow>57</Flow>", "<Flow></Flow>"),
         "Component 3 (Index 2, T-1), element \"Flow\": '' is not a valid floating point value"},
        {"missing number", with("<Press>101.325</Press>", ""),
         "Component 3 (Index 2, T-1), element \"Press\": '' is not a valid floating point value"},
        {"non-finite input", with("<Temp>25<", "<Temp>NaN<"),
         "Component 3 (Index 2, T-1), element \"Temp\": 'NaN' is not a valid floating point value"},
        {"trailing text", with("<Len>2<", "<Len>2 m<"),
         "Component 3 (Index 2, T-1), element \"Len\": '2 m' is not a valid floating point value"},
        {"malformed integer", with("<NTypeInt>1<", "<NTypeInt>1.0<"),
         "Component 3 (Index 2, T-1), element \"NTypeInt\": '1.0' is not a valid integer value"},
        {"integer overflow", with("<NTypeInt>1<", "<NTypeInt>4294967297<"),
         "Component 3 (Index 2, T-1), element \"NTypeInt\": '4294967297' is not a valid integer "
         "value"},
        {"unknown probe", with("<NTypeInt>1<", "<NTypeInt>6<"),
         "Component 3 (Index 2, T-1), element \"NType\": 'Tube' is not a known shrouded-probe "
         "model"},
    };
    for (const auto& c : cases) {
        const ReadResult r = ReadLxlText(c.text, EvalContext{});
        const auto* e = std::get_if<FileError>(&r);
        ASSERT_TRUE(e) << c.what;
        EXPECT_TRUE(e->Message.starts_with(c.message)) << c.what << ": " << e->Message;
    }
}

TEST(LxlReader, UnreadableFile) {
    const ReadResult r = ReadLxlFile("/nonexistent/lodo/line.lxl", EvalContext{});
    ASSERT_TRUE(std::holds_alternative<FileError>(r));
    EXPECT_EQ(std::get<FileError>(r).Message, "Cannot open the file: No such file or directory");
}

TEST(NameCounters, RaisedToTheHighestNumberOfEachPrefix) {
    const auto comp = [](const char* name, int type) {
        TLodoComp c;
        c.Name = name;
        c.NTypeInt = type;
        return c;
    };
    struct Case {
        const char* what;
        LodoList list;
        NameCounters start, expected;
    } cases[] = {
        {"empty", {}, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {"each prefix",
         {comp("T-7", 1), comp("B-3", 2), comp("C-2", 3), comp("E-9", 4)},
         {},
         {7, 3, 2, 9, 0, 0}},
        {"never lowered", {comp("T-2", 1)}, {5, 0, 0, 0, 0, 0}, {5, 0, 0, 0, 0, 0}},
        {"transition mark", {comp("T-11 *", 1)}, {}, {11, 0, 0, 0, 0, 0}},
        {"nozzle N-", {comp("N-3", 5)}, {}, {0, 0, 0, 0, 3, 0}},
        {"probe N-", {comp("N-4", 6)}, {}, {0, 0, 0, 0, 0, 4}},
        {"not numbers",
         {comp("T-x", 1), comp("T-", 1), comp("T-3a", 1), comp("T--3", 1), comp("t-5", 1)},
         {},
         {}},
        {"too large", {comp("T-99999999999", 1), comp("T-2147483647", 1)}, {}, {}},
    };
    for (const auto& c : cases) {
        NameCounters n = c.start;
        RaiseNameCounters(c.list, n);
        EXPECT_EQ(n, c.expected) << c.what;
    }
}

} // namespace

// Both readers against the input rules and their warnings: every rule just outside
// (refused, naming the component, the field and the rule) and just inside (read),
// every case where a reader assumes something (a warning), and the examples, which
// this program wrote, reading back with no warning and unchanged.
#include "model/ModelTestLines.h"
#include "persistence/LineFile.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace TestLines;

const std::string Trailer = "0,0,0,0,0,0,L";

std::string LxlOf(const TLodoComp& c) {
    const auto text = BuildLxlText({c}, "L");
    return std::get<std::string>(text);
}

std::string LplOf(const TLodoComp& c) {
    return "1\r\n" + ConvertToStr({c}, 0) + "\r\n" + Trailer + "\r\n";
}

std::string ErrorOf(const ReadResult& r) {
    const auto* e = std::get_if<FileError>(&r);
    return e ? e->Message : std::string("(read without error)");
}

TEST(ReaderRules, EachRuleJustOutsideIsRefusedAndJustInsideIsRead) {
    struct Case {
        const char* what;
        TLodoComp c;
        std::function<void(TLodoComp&)> change;
        std::string rule; // the message's end; empty: the file reads
    };
    const auto set = [](double TLodoComp::*m, double v) { return [=](TLodoComp& c) { c.*m = v; }; };
    const auto english = [](double v) {
        return [=](TLodoComp& c) {
            c.Temp = v;
            c.TempUnit = "English";
        };
    };
    const std::string temp = ": Temperature must be above -273.15 \u00B0C (-459.67 \u00B0F).";
    const Case cases[] = {
        {"temperature at absolute zero", Tube(34.9, 1, 57), set(&TLodoComp::Temp, -273.15),
         "field \"Temp\" is -273.15 (Metric)" + temp},
        {"temperature just above", Tube(34.9, 1, 57), set(&TLodoComp::Temp, -273.14), ""},
        {"temperature in F at absolute zero", Tube(34.9, 1, 57), english(-459.67),
         "field \"Temp\" is -459.67 (English)" + temp},
        {"temperature in F just above", Tube(34.9, 1, 57), english(-459.6), ""},
        {"pressure 0", Bend(34.9, 0.1, 57), set(&TLodoComp::Press, 0),
         "field \"Press\" is 0 (Metric): Pressure must be greater than 0."},
        {"pressure -10", Tube(34.9, 1, 57), set(&TLodoComp::Press, -10),
         "field \"Press\" is -10 (Metric): Pressure must be greater than 0."},
        {"flow 0", Tube(34.9, 1, 57), set(&TLodoComp::Flow, 0),
         "field \"Flow\" is 0 (Metric): Flow rate must be greater than 0"},
        {"flow tiny", Tube(34.9, 1, 1e-9), nullptr, ""},
        {"tube length -1", Tube(34.9, 1, 57), set(&TLodoComp::Len, -1),
         "field \"Len\" is -1 (Metric): Length must not be negative."},
        {"tube length 0", Tube(34.9, 0, 57), nullptr, ""},
        {"tube diameter -10", Tube(34.9, 1, 57), set(&TLodoComp::Dia1, -10),
         "field \"Dia1\" is -10 (Metric): Diameter must be greater than 0."},
        {"tube outlet 0", Tube(34.9, 1, 57), set(&TLodoComp::Dia2, 0),
         "field \"Dia2\" is 0 (Metric): Diameter must be greater than 0."},
        {"bend angle -90", Bend(34.9, 0.1, 57), set(&TLodoComp::Ang2, -90),
         "field \"Ang2\" is -90: Bend angle must be between 0 and 360 degrees."},
        {"bend angle 360.001", Bend(34.9, 0.1, 57), set(&TLodoComp::Ang2, 360.001),
         "field \"Ang2\" is 360.001: Bend angle must be between 0 and 360 degrees."},
        {"bend angle 360", Bend(34.9, 0.1, 57, 360), nullptr, ""},
        {"bend angle 0", Bend(34.9, 0.1, 57, 0), nullptr, ""},
        {"bend radius -0.1", Bend(34.9, 0.1, 57), set(&TLodoComp::Brd, -0.1),
         "field \"Brd\" is -0.1 (Metric): Length must not be negative."},
        {"contraction half angle 0", Cone(false, 34.9, 20, 57, 45), set(&TLodoComp::Ang2, 0),
         "field \"Ang2\" is 0: Half angle must be greater than 0 and at most 90 degrees."},
        {"contraction half angle 90", Cone(false, 34.9, 20, 57, 90), nullptr, ""},
        {"expansion half angle 90.5", Cone(true, 20, 34.9, 57), set(&TLodoComp::Ang2, 90.5),
         "field \"Ang2\" is 90.5: Half angle must be greater than 0 and at most 90 degrees."},
        {"expansion half angle -10", Cone(true, 20, 34.9, 57), set(&TLodoComp::Ang2, -10),
         "field \"Ang2\" is -10: Half angle must be greater than 0 and at most 90 degrees."},
        {"nozzle free stream -5", Nozzle(12.7, 12.7, 10, 57, 10), set(&TLodoComp::FStream, -5),
         "field \"FStream\" is -5 (Metric): Free-stream velocity must not be negative."},
        {"nozzle free stream 0", Nozzle(12.7, 12.7, 10, 57, 0), nullptr, ""},
        {"nozzle length -1", Nozzle(12.7, 12.7, 10, 57, 10), set(&TLodoComp::Len, -1),
         "field \"Len\" is -1 (Metric): Length must not be negative."},
        {"probe free stream -1", Shroud("RF2-111", 170, 10), set(&TLodoComp::FStream, -1),
         "field \"FStream\" is -1 (Metric): Free-stream velocity must not be negative."},
        // A probe's diameters come from its catalogue; a tube's free stream is not read.
        {"probe diameter 0", Shroud("RF2-111", 170, 10), set(&TLodoComp::Dia1, 0), ""},
        {"tube free stream -5", Tube(34.9, 1, 57), set(&TLodoComp::FStream, -5), ""},
        // Reading is all or nothing: a type this program does not know is refused.
        {"unknown type", Base("X-1", "Other", 9), nullptr,
         "type \"Other\" with type code 9 is not a component type (1 Tube, 2 Bend, 3 Contraction, "
         "4 Expansion, 5 Nozzle, 6 Shrouded probe)"},
        {"bend turned into a widget", Base("B-1", "Widget", 42), nullptr,
         "type \"Widget\" with type code 42 is not a component type (1 Tube, 2 Bend, 3 "
         "Contraction, "
         "4 Expansion, 5 Nozzle, 6 Shrouded probe)"},
        {"type text of another type", Base("B-1", "Widget", 2), nullptr,
         "type \"Widget\" does not match its type code 2, which is \"Bend\""},
        {"tube named a contraction", Base("T-1", "Contraction", 1), nullptr,
         "type \"Contraction\" does not match its type code 1, which is \"Tube\""},
    };
    for (const Case& k : cases) {
        TLodoComp c = k.c;
        if (k.change)
            k.change(c);
        const std::string label = "Component 1 (Index 0, " + c.Name + ")";
        const ReadResult lxl = ReadLxlText(LxlOf(c), EvalContext{});
        const ReadResult lpl = ReadLplBytes(LplOf(c), EvalContext{});
        if (k.rule.empty()) {
            EXPECT_TRUE(std::holds_alternative<LineFile>(lxl)) << k.what << ": " << ErrorOf(lxl);
            EXPECT_TRUE(std::holds_alternative<LineFile>(lpl)) << k.what << ": " << ErrorOf(lpl);
            continue;
        }
        EXPECT_EQ(ErrorOf(lxl), label + ", " + k.rule) << k.what;
        EXPECT_EQ(ErrorOf(lpl), label + " (line 2), " + k.rule) << k.what;
    }
}

TEST(ReaderRules, AValueOutsideItsRuleRefusesTheWholeFile) {
    TLodoComp bad = Bend(34.9, 0.1, 57);
    bad.Name = "B-7";
    bad.Ang2 = -90;
    const auto text = BuildLxlText({Tube(34.9, 1, 57), bad, Tube(34.9, 1, 57)}, "L");
    EXPECT_EQ(ErrorOf(ReadLxlText(std::get<std::string>(text), EvalContext{})),
              "Component 2 (Index 1, B-7), field \"Ang2\" is -90: Bend angle must be between 0 and "
              "360 degrees.");
}

std::vector<std::string> WarningsOf(const ReadResult& r, const char* what) {
    if (const auto* e = std::get_if<FileError>(&r)) {
        ADD_FAILURE() << what << ": " << e->Message;
        return {};
    }
    return std::get<LineFile>(r).Warnings;
}

void Replace(std::string& s, const std::string& from, const std::string& to) {
    const auto at = s.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    s.replace(at, from.size(), to);
}

TEST(ReaderRules, LxlWarningsSayWhatWasAssumed) {
    const std::string good = LxlOf(Tube(34.9, 1, 57));
    const std::string T = "Component 1 (Index 0, T-1)";
    struct Case {
        const char* what;
        std::string from, to;
        std::vector<std::string> warnings;
    } cases[] = {
        {"unit in lower case",
         "<TempUnit>Metric</TempUnit>",
         "<TempUnit>metric</TempUnit>",
         {T +
          ", field \"TempUnit\": 'metric' is neither \"Metric\" nor \"English\"; read as English"}},
        {"empty unit",
         "<FlowUnit>Metric</FlowUnit>",
         "<FlowUnit></FlowUnit>",
         {T + ", field \"FlowUnit\": '' is neither \"Metric\" nor \"English\"; read as English"}},
        {"missing unit element",
         "<TempUnit>Metric</TempUnit>",
         "",
         {T + ": no \"TempUnit\" element; read as empty, that is English units"}},
        {"missing length unit",
         "<LenUnit>Metric</LenUnit>",
         "",
         {T + ": no \"LenUnit\" element; the default length unit 'Metric' is kept"}},
        {"missing line name",
         "<LineName>L</LineName>",
         "",
         {T + ": no \"LineName\" element; the line name is read as empty"}},
        {"unknown element",
         "<Flow>",
         "<Colour>red</Colour><Flow>",
         {T + ": unknown element \"Colour\" ignored"}},
        {"unknown element under the root",
         "</Nodes>",
         "<Comment>x</Comment></Nodes>",
         {"Element \"Comment\" under \"Nodes\" is not a component; ignored"}},
        {"Latin-1 byte in the line name",
         "<LineName>L</LineName>",
         "<LineName>Z\xFCrich</LineName>",
         {T + ", element \"LineName\": bytes that are not UTF-8 were read as U+FFFD"}},
    };
    for (const Case& c : cases) {
        std::string text = good;
        Replace(text, c.from, c.to);
        EXPECT_EQ(WarningsOf(ReadLxlText(text, EvalContext{}), c.what), c.warnings) << c.what;
    }
    // The numbers stay as specified: a unit read as English converts as English.
    std::string text = good;
    Replace(text, "<Dia1Unit>Metric</Dia1Unit>", "<Dia1Unit>metric</Dia1Unit>");
    const ReadResult r = ReadLxlText(text, EvalContext{});
    ASSERT_TRUE(std::holds_alternative<LineFile>(r));
    EXPECT_EQ(std::get<LineFile>(r).List[0].Dia1Unit, "metric");
    // And the replacement character is what the line name now holds.
    text = good;
    Replace(text, "<LineName>L</LineName>", "<LineName>Z\xFCrich</LineName>");
    EXPECT_EQ(std::get<LineFile>(ReadLxlText(text, EvalContext{})).LineName, "Z\xEF\xBF\xBDrich");
}

TEST(ReaderRules, LplWarningsAndMessagesNameTheLine) {
    const std::string tube = ConvertToStr({Tube(34.9, 1, 57)}, 0);
    const std::string T = "Component 1 (Index 0, T-1)";
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> warnings;
    } cases[] = {
        {"29 fields",
         "1\r\n" + tube + ",x\r\n" + Trailer + "\r\n",
         {T + ", line 2: 29 fields; the 1 after the 28th are ignored"}},
        {"33 fields",
         "1\r\n" + tube + ",a,b,c,d,e\r\n" + Trailer + "\r\n",
         {T + ", line 2: 33 fields; the 5 after the 28th are ignored"}},
        {"one blank line at the end",
         "1\r\n" + tube + "\r\n" + Trailer + "\r\n\r\n",
         {"Line 4 is blank; ignored"}},
        {"two blank lines at the end",
         "1\r\n" + tube + "\r\n" + Trailer + "\r\n\r\n \r\n",
         {"Line 4 and the 1 after it are blank; ignored"}},
        {"a NUL byte in the name",
         "1\r\n" + tube + "\r\n" + Trailer + std::string(1, '\0') + "x\r\n",
         {"Bytes that are no text (a NUL, half of a UTF-16 pair) were read as U+FFFD"}},
        {"a replacement character that was in the file",
         "1\r\n" + tube + "\r\n" + Trailer + "\xEF\xBF\xBD\r\n",
         {}},
        {"trailer with a comma in the name",
         "1\r\n" + tube + "\r\n" + Trailer + ", east\r\n",
         {"Line 3 (name counters and line name): 8 fields; the 1 after the line name are ignored "
          "(a name "
          "with a comma needs double quotes)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WarningsOf(ReadLplBytes(c.bytes, EvalContext{}), c.what), c.warnings) << c.what;

    // A missing trailer is a wrong line count, and the message says so.
    EXPECT_EQ(
        ErrorOf(ReadLplBytes("1\r\n" + tube + "\r\n", EvalContext{})),
        "Invalid File. Can not Open File: line 1 gives 1 component, so the file needs 3 lines (the "
        "count, 1 "
        "component lines and the last line with the name counters and the line name); it has 2");
}

TEST(ReaderRules, EchoedValuesAreShortAndHarmless) {
    TLodoComp c = Tube(34.9, 1, 57);
    std::string text = LxlOf(c);
    Replace(text, "<Dia1>34.9</Dia1>", "<Dia1>" + std::string(50000, '7') + "x</Dia1>");
    const std::string huge = ErrorOf(ReadLxlText(text, EvalContext{}));
    EXPECT_LT(huge.size(), 200u) << huge;
    EXPECT_NE(huge.find("... (50001 characters)"), std::string::npos) << huge;

    text = LxlOf(c);
    Replace(text, "<Dia1>34.9</Dia1>", "<Dia1>\x1b[31mred\x7f\xC2\x9B</Dia1>");
    EXPECT_EQ(ErrorOf(ReadLxlText(text, EvalContext{})),
              "Component 1 (Index 0, T-1), element \"Dia1\": '\\x1b[31mred\\x7f\\u009b' is not a "
              "valid floating point value");

    const std::string lpl =
        "1\r\nT\x1b]0;x\x07,Tube,z" + std::string(30, ',') + "\r\n" + Trailer + "\r\n";
    EXPECT_EQ(ErrorOf(ReadLplBytes(lpl, EvalContext{})),
              "Component 1, field \"NTypeInt\": 'z' is not a valid integer value");
}

TEST(ReaderRules, EveryExampleReadsWithoutWarningsAndWritesBackTheSameFile) {
    for (const auto& entry : std::filesystem::directory_iterator(LODO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".lxl")
            continue;
        const std::string what = entry.path().filename().string();
        const ReadResult r = ReadLxlFile(entry.path(), EvalContext{});
        ASSERT_TRUE(std::holds_alternative<LineFile>(r)) << what << ": " << ErrorOf(r);
        const LineFile& f = std::get<LineFile>(r);
        EXPECT_EQ(f.Warnings, std::vector<std::string>{}) << what;
        const auto written = BuildLxlText(f.List, f.LineName.value_or(""));
        ASSERT_TRUE(std::holds_alternative<std::string>(written)) << what;
        const ReadResult again = ReadLxlText(std::get<std::string>(written), EvalContext{});
        ASSERT_TRUE(std::holds_alternative<LineFile>(again)) << what << ": " << ErrorOf(again);
        EXPECT_EQ(std::get<LineFile>(again).List, f.List) << what;
        EXPECT_EQ(std::get<LineFile>(again).Warnings, std::vector<std::string>{}) << what;
    }
    const ReadResult legacy = ReadLplFile(LODO_TEST_DATA_DIR "/stack-line.lpl", EvalContext{});
    EXPECT_EQ(WarningsOf(legacy, "stack-line.lpl"), std::vector<std::string>{});
}

} // namespace

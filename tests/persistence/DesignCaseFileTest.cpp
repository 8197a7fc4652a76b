// The design case in the line file: every field back to the same bits, odd texts
// intact, nothing written when there is none (the examples byte for byte), and each
// value the reader cannot take named in a warning while the line still opens.
#include "model/DesignCaseRules.h"
#include "model/ModelTestLines.h"
#include "persistence/FileIo.h"
#include "persistence/LineFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

using namespace TestLines;

std::string Text(const std::variant<std::string, FileError>& r) {
    if (const auto* e = std::get_if<FileError>(&r))
        ADD_FAILURE() << "write failed: " << e->Message;
    const auto* s = std::get_if<std::string>(&r);
    return s ? *s : std::string();
}

LineFile Ok(const ReadResult& r) {
    if (const auto* e = std::get_if<FileError>(&r))
        ADD_FAILURE() << "read failed: " << e->Message;
    const auto* f = std::get_if<LineFile>(&r);
    return f ? *f : LineFile{};
}

LodoList TwoTubes() {
    TLodoComp second = Tube(34.9, 2, 57);
    second.Name = "T-2";
    return {Tube(34.9, 1, 57), second};
}

Design::DesignCase Everything() {
    Design::DesignCase d;
    d.Id = {"Plant <A> & \"B\"",
            "Stack 3 \u2014 duct",
            "SL-7",
            "  leading and trailing  ",
            "J. O'Neil",
            "Rev. C\r\nsecond line",
            "2026-12-11",
            "Notes\nover\tlines \u00b5m \u2265 50 %"};
    d.Particles = DistributionSetting{0.1f, 3.3333333f, 1.0000001f, Distribution::LogNormal};
    d.Limits = {1.0 / 3.0, 0.7999999999999999, 1.6, 0.1 + 0.2, 1e-300};
    d.Range.StackVelocity = Design::Interval{0, 22.000000000000004};
    d.Range.Flow = Design::Interval{1.0 / 7.0, 113.3};
    d.Range.Temperature = Design::Interval{-273.1499999999999, 1e6};
    return d;
}

TEST(DesignCaseFile, EveryFieldReadsBackToTheSameBitsWithoutWarnings) {
    const Design::DesignCase d = Everything();
    ASSERT_FALSE(DesignCaseRules::Check(d)) << *DesignCaseRules::Check(d);
    const std::string text = Text(BuildLxlText(TwoTubes(), "L", d));
    const LineFile f = Ok(ReadLxlText(text, EvalContext{}));
    EXPECT_EQ(f.Design, d);
    EXPECT_EQ(f.Warnings, std::vector<std::string>{});
    // The components are those of the line without a design case.
    EXPECT_EQ(f.List, Ok(ReadLxlText(Text(BuildLxlText(TwoTubes(), "L")), EvalContext{})).List);
    // Written again, the same file.
    EXPECT_EQ(Text(BuildLxlText(f.List, "L", f.Design)), text);
}

// Particle properties are stored with the description only when they are not the
// unit-density spheres, and read back to the same bits; a description without them
// reads as unit-density spheres.
TEST(DesignCaseFile, ParticlePropertiesReadBackToTheSameBits) {
    Design::DesignCase d;
    d.Particles = DistributionSetting{};
    EXPECT_EQ(Text(BuildLxlText(TwoTubes(), "L", d)).find("Density"), std::string::npos);
    d.Particles->Particle.Density = 2500.0000000000005;
    d.Particles->Particle.ShapeFactor = 1.0 / 0.7;
    d.Particles->Particle.Sizes = LodoMath::SizeType::Physical;
    d.Particles->Particle.ThermalConductivity = 0.1 + 0.2;
    const std::string text = Text(BuildLxlText(TwoTubes(), "L", d));
    EXPECT_NE(text.find("<SizeType>Physical</SizeType>"), std::string::npos);
    const LineFile f = Ok(ReadLxlText(text, EvalContext{}));
    EXPECT_EQ(f.Design, d);
    EXPECT_TRUE(f.Warnings.empty());
}

TEST(DesignCaseFile, EachPartAloneIsWrittenAloneInsideTheFirstNode) {
    Design::DesignCase id, mono, criteria, range;
    id.Id.Notes = "only notes";
    mono.Particles = DistributionSetting{};
    criteria.Limits.MinSystemPenetration = 0.6;
    range.Range.Flow = Design::Interval{50, 60};
    struct Case {
        const char* what;
        Design::DesignCase design;
        const char* part;
    };
    for (const Case& c :
         {Case{"identification", id, "Identification"}, Case{"Mono particles", mono, "Particles"},
          Case{"criteria", criteria, "Criteria"}, Case{"one range", range, "OperatingRange"}}) {
        const std::string text = Text(BuildLxlText(TwoTubes(), "L", c.design));
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(text.c_str())) << c.what;
        const auto nodes = doc.child("Nodes");
        // Still one child of the root per component.
        EXPECT_EQ(std::distance(nodes.children().begin(), nodes.children().end()), 2) << c.what;
        const auto design = nodes.first_child().child("Design");
        ASSERT_TRUE(design) << c.what;
        EXPECT_FALSE(nodes.last_child().child("Design")) << c.what;
        std::vector<std::string> parts;
        for (const auto& p : design.children())
            parts.push_back(p.name());
        EXPECT_EQ(parts, std::vector<std::string>{c.part}) << c.what;
        const LineFile f = Ok(ReadLxlText(text, EvalContext{}));
        EXPECT_EQ(f.Design, c.design) << c.what;
        EXPECT_EQ(f.Warnings, std::vector<std::string>{}) << c.what;
    }
}

TEST(DesignCaseFile, ExamplesWithoutADesignCaseAreWrittenBackByteForByte) {
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(LODO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".lxl")
            continue;
        ++seen;
        const std::string bytes = std::get<std::string>(FileIo::ReadWholeFile(entry.path()));
        const LineFile f = Ok(ReadLxlText(bytes, EvalContext{}));
        EXPECT_TRUE(f.Design.IsEmpty()) << entry.path();
        EXPECT_EQ(Text(BuildLxlText(f.List, f.LineName.value_or(""), f.Design)), bytes)
            << entry.path();
    }
    EXPECT_GT(seen, 0);
}

// A file whose first Node holds `design` (the inner XML of the Design element).
std::string WithDesign(const std::string& design, const std::string& secondNode = "") {
    std::string text = Text(BuildLxlText(TwoTubes(), "L"));
    const std::string end = "  </Node>\n";
    text.insert(text.find(end), "    <Design>" + design + "</Design>\n");
    if (!secondNode.empty())
        text.insert(text.rfind(end), "    " + secondNode + "\n");
    return text;
}

TEST(DesignCaseFile, WhatTheReaderCannotTakeIsNamedAndTheLineStillOpens) {
    const std::string lognormal = "<TypeDist>LogNormal</TypeDist><PartSize>10</PartSize>"
                                  "<MeanPart>5</MeanPart>";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> warnings;
        std::function<void(Design::DesignCase&)> expected; // applied to the empty case
    };
    const Case cases[] = {
        {"a criterion that is no number keeps the default",
         WithDesign("<Criteria><ReferenceSize>10</ReferenceSize><MinAspirationRatio>0.8</"
                    "MinAspirationRatio><MaxAspirationRatio>1.4</MaxAspirationRatio>"
                    "<MinTransportPenetration>abc</MinTransportPenetration>"
                    "<MinSystemPenetration>0,6</MinSystemPenetration></Criteria>"),
         {"Design case, element \"Criteria/MinTransportPenetration\": 'abc' is not a valid "
          "floating point value; the default 0.5 is used"},
         [](Design::DesignCase& d) {
             d.Limits.MaxAspirationRatio = 1.4;
             d.Limits.MinSystemPenetration = 0.6;
         }},
        {"a criterion outside its rule, one missing",
         WithDesign("<Criteria><ReferenceSize>2000</ReferenceSize><MinAspirationRatio>0.8</"
                    "MinAspirationRatio><MaxAspirationRatio>1.5</MaxAspirationRatio>"
                    "<MinTransportPenetration>1.5</MinTransportPenetration></Criteria>"),
         {"Design case, element \"Criteria/ReferenceSize\": '2000' is refused: Particle "
          "diameter must be from 0.001 to 1000 \u00b5m; the default 10 is used",
          "Design case, element \"Criteria/MinTransportPenetration\": '1.5' is refused: A "
          "penetration limit must be from 0 to 1 (0 to 100 %); the default 0.5 is used",
          "Design case: no \"Criteria/MinSystemPenetration\" element; the default 0.5 is used"},
         [](Design::DesignCase&) {}},
        {"aspiration limits the wrong way round",
         WithDesign("<Criteria><ReferenceSize>10</ReferenceSize><MinAspirationRatio>1.6</"
                    "MinAspirationRatio><MaxAspirationRatio>1.2</MaxAspirationRatio>"
                    "<MinTransportPenetration>0.5</MinTransportPenetration>"
                    "<MinSystemPenetration>0.5</MinSystemPenetration></Criteria>"),
         {"Design case: the least aspiration ratio 1.6 is above the greatest, 1.2; the "
          "defaults 0.8 to 1.5 are used"},
         [](Design::DesignCase&) {}},
        {"a particle description with a refused deviation is not used",
         WithDesign("<Particles>" + lognormal + "<PartSD>1</PartSD></Particles>"),
         {"Design case, element \"Particles/PartSD\": '1' is refused: Geometric standard "
          "deviation must be above 1 and at most 1000; the saved particle description is not "
          "used"},
         [](Design::DesignCase&) {}},
        {"an unknown particle type, a missing size",
         WithDesign("<Particles><TypeDist>lognormal</TypeDist><PartSize>10</PartSize>"
                    "<PartSD>2</PartSD></Particles>"),
         {"Design case, element \"Particles/TypeDist\": 'lognormal' is neither \"Mono\" nor "
          "\"LogNormal\"; the saved particle description is not used",
          "Design case: no \"Particles/MeanPart\" element; the saved particle description is "
          "not used"},
         [](Design::DesignCase&) {}},
        {"ranges: one refused, one reversed, one missing an end, one taken",
         WithDesign("<OperatingRange><StackVelocity><Min>-1</Min><Max>20</Max></StackVelocity>"
                    "<Flow><Min>60</Min><Max>50</Max></Flow>"
                    "<Temperature><Min>20</Min></Temperature></OperatingRange>"
                    "<Identification><Facility>F</Facility></Identification>"),
         {"Design case, element \"OperatingRange/StackVelocity/Min\": '-1' is refused: "
          "Free-stream velocity must not be negative; the line has no stack velocity range",
          "Design case: the least sample flow 60 L/min is above the greatest, 50 L/min; the "
          "line has no sample flow range",
          "Design case: no \"OperatingRange/Temperature/Max\" element; the line has no gas "
          "temperature range"},
         [](Design::DesignCase& d) { d.Id.Facility = "F"; }},
        {"unknown elements and a Design element outside the first component",
         WithDesign("<Stamp>x</Stamp><OperatingRange><Flow><Min>50</Min><Max>60</Max><Mid>55</"
                    "Mid></Flow></OperatingRange>",
                    "<Design><Criteria/></Design>"),
         {"Design case: unknown element \"OperatingRange/Flow/Mid\" ignored",
          "Design case: unknown element \"Design/Stamp\" ignored",
          "Component 2 (Index 1, T-2): a \"Design\" element outside the first component is "
          "ignored"},
         [](Design::DesignCase& d) {
             d.Range.Flow = Design::Interval{50, 60};
         }},
    };
    for (const Case& c : cases) {
        const LineFile f = Ok(ReadLxlText(c.text, EvalContext{}));
        EXPECT_EQ(f.Warnings, c.warnings) << c.what;
        Design::DesignCase expected;
        c.expected(expected);
        EXPECT_EQ(f.Design, expected) << c.what;
        EXPECT_EQ(f.List.size(), 2u) << c.what;
    }
}

TEST(DesignCaseFile, AValueThatWouldNotReadBackIsNotWritten) {
    Design::DesignCase d;
    d.Range.Temperature = Design::Interval{-300, 20};
    const auto refused = BuildLxlText(TwoTubes(), "L", d);
    ASSERT_TRUE(std::holds_alternative<FileError>(refused));
    EXPECT_EQ(std::get<FileError>(refused).Message,
              "Design case: The least gas temperature is -300: Temperature must be above -273.15 "
              "\u00b0C (-459.67 \u00b0F).");
    d = {};
    d.Id.Notes = std::string("a\0b", 3);
    const auto nul = BuildLxlText(TwoTubes(), "L", d);
    ASSERT_TRUE(std::holds_alternative<FileError>(nul));
    EXPECT_EQ(std::get<FileError>(nul).Message,
              "Design case, element \"Identification/Notes\": the text holds a NUL character, "
              "which a file cannot store");
}

} // namespace

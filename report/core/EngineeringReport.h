#pragma once

#include "drawing/geometry/DrawSampleLine.h"
#include "model/DesignCase.h"
#include "model/LodoModel.h"
#include "version/ProgramVersion.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// The engineering report of an evaluated line as plain data: what it says, in the
// order it says it. Laying it out on pages is the PDF writer's work; every text and
// number is decided here.
namespace EngReport {

struct Header {
    std::string LineName;
    std::string FilePath; // as given; "not saved" when the line has no file
    std::string DateTime; // when the report was made, as the caller writes it
    std::string Program = ProgramVersion::Full(); // with the build id
};

struct Heading {
    std::string Text;
};

struct Paragraph {
    std::string Text;
};

// Label and value pairs: "Sample flow rate", "57.00 L/min".
struct Field {
    std::string Label;
    std::string Value;
};
struct FieldList {
    std::vector<Field> Fields;
};

enum class Outcome { Pass, Fail, NotJudged, NotApplicable };

// One acceptance check: what was judged, its number with unit, the limit it is held
// against and the outcome; Detail names what failed (bends, the inlet).
struct Verdict {
    std::string Check;
    std::string Value;
    std::string Limit;
    Outcome Result = Outcome::NotJudged;
    std::string Detail;
};
struct VerdictList {
    std::vector<Verdict> Items;
};

enum class Align { Left, Right, Centre };

struct Column {
    std::string Title;
    Align Alignment = Align::Left;
    bool Wraps = false; // takes the width the others leave and wraps within it
};

// A table whose header row is repeated on every page it spans.
struct Table {
    std::vector<Column> Columns;
    std::vector<std::vector<std::string>> Rows;
    std::string Legend; // under the table
};

// The system penetration of the line against particle size.
struct CurveChart {
    std::vector<double> Dp;     // [um], increasing
    std::vector<double> System; // [%] at Dp
    std::optional<double> D50;  // [um]
    std::string Caption;
};

// Where the mass goes: a bar per share, in percent of the mass entering the line.
struct ShareChart {
    struct Bar {
        std::string Label;
        double Percent = 0;
    };
    std::vector<Bar> Bars;
    std::string Caption;
};

// The line as the 3-D view draws it, fitted into a frame.
struct LinePicture {
    Drawing::LineDrawing Shapes;
    std::string Caption;
};

// Lines set as they are, one after the other (notes, nomenclature), kept on one page
// with the heading before them.
struct TextLines {
    std::vector<std::string> Lines;
};

// Where the design record is signed: one line per role, the name from the design case.
struct Signatures {
    struct Role {
        std::string Title; // "Prepared by"
        std::string Name;  // empty: to be written by hand
    };
    std::vector<Role> Roles;
};

// What follows starts on a new page.
struct PageBreak {};

using Block = std::variant<Heading, Paragraph, FieldList, VerdictList, Table, CurveChart,
                           ShareChart, LinePicture, TextLines, Signatures, PageBreak>;

struct Report {
    std::string Title;
    Header Head;
    std::vector<Block> Blocks;
};

// Where the line comes from and when the report is made.
struct Source {
    std::string LineName;
    std::string FilePath; // as the user gave it; empty when the line has no file
    std::string DateTime;
    bool ChangedSinceSaved = false;    // the line on screen is not the one in FilePath
    std::string Sha256;                // of FilePath's bytes, lower-case hex; empty: unknown
    std::vector<std::string> Warnings; // what reading the file assumed or changed
    Design::DesignCase Design;         // identification, criteria and operating range
};

// The report of the line as `model` holds it after a whole-line evaluation. Nothing
// in the model is changed. An empty line gives a report that says so.
Report BuildReport(const LodoModel& model, const Source& source);

// Curvature ratio as the report defines it: bend radius over tube diameter [-].
double ReportCurvatureRatio(const TLodoComp& bend);

// ANSI N13.1-2011: a bend's curvature ratio shall be at least this.
inline constexpr double MinCurvatureRatio = 3.0;

// All texts of the report in reading order, one a line, blocks separated by an
// empty line: what a reader of the PDF finds, for tests and plain-text output.
std::vector<std::string> ReportText(const Report& report);

} // namespace EngReport

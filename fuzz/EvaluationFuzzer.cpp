// Feeds arbitrary bytes (up to 64 KB) to both readers and takes whatever they accept
// through everything a user can do with it: align and evaluate in both particle
// modes, build the report and the size-resolved result, write the line and read it
// back. Traps when a tube, bend or fitting transmits outside [0, 1], a line the
// program wrote does not read back as it was written, a line-structure finding of
// the file is not among the reader's warnings, or the alignment makes a structure
// finding that the file did not have (it keeps every fitting's ratio, every inlet's
// place, every inclination and temperature).
#include "analysis/SizeResolvedPenetration.h"
#include "model/LineStructure.h"
#include "model/LodoModel.h"
#include "model/StepControl.h"
#include "persistence/LineFile.h"
#include "persistence/ReaderWarnings.h"
#include "report/core/ResultsReport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

namespace {

constexpr std::size_t MaxInput = 64 * 1024;

void Check(bool ok) {
    if (!ok)
        __builtin_trap();
}

// NaN is the honest "invalid" the front ends show; a finite value must be a fraction.
bool IsFractionOrNaN(double x) {
    return std::isnan(x) || (x >= 0.0 && x <= 1.0);
}

void CheckTransmissions(const LodoModel& m, bool logNormal) {
    for (const TLodoComp& c : m.List) {
        switch (c.NTypeInt) {
        case NodeTube:
        case NodeBend:
        case NodeContraction:
        case NodeExpansion:
            for (double t : {c.TransM1, c.TransM2, c.TransM3, c.TransM4})
                Check(IsFractionOrNaN(t));
            if (logNormal) {
                Check(IsFractionOrNaN(c.PTrans));
                Check(IsFractionOrNaN(c.MTrans));
            }
            break;
        default:
            break; // an inlet's aspiration may exceed 1
        }
    }
}

// The broken rules of each row, pressure aside (the alignment gives every component
// the leading one's).
std::vector<std::vector<LineStructure::RuleId>> BrokenBesidesPressure(const LodoList& list) {
    std::vector<std::vector<LineStructure::RuleId>> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        out.emplace_back();
        for (const LineStructure::Rule* r : LineStructure::BrokenRules(list[i], i))
            if (r->Id != LineStructure::RuleId::Pressure)
                out.back().push_back(r->Id);
    }
    return out;
}

// Every finding the aligned line has, the file had (a fitting whose ratio the
// alignment cannot keep passes straight through, so a finding may only go).
void CheckStructureKept(const LodoList& asRead, const LodoList& aligned) {
    const auto before = BrokenBesidesPressure(asRead);
    const auto after = BrokenBesidesPressure(aligned);
    Check(before.size() == after.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        for (LineStructure::RuleId id : after[i]) {
            bool had = false;
            for (LineStructure::RuleId was : before[i])
                had = had || was == id;
            // A bend's radius is its own; its tube diameter comes from its neighbour.
            Check(had || id == LineStructure::RuleId::BendRadius);
        }
}

// The reader says every structure finding of the line it read, as its last warnings.
void CheckStructureWarned(const LineFile& file) {
    const std::vector<std::string> expected = ReaderWarnings::StructureFindings(file.List);
    Check(file.Warnings.size() >= expected.size());
    const std::size_t from = file.Warnings.size() - expected.size();
    for (std::size_t k = 0; k < expected.size(); ++k)
        Check(file.Warnings[from + k] == expected[k]);
}

void Evaluate(const LineFile& file, bool logNormal) {
    LodoModel m;
    m.List = file.List;
    EvalContext& ctx = m.Ctx;
    ctx.DType = ctx.TypeDist = logNormal ? Distribution::LogNormal : Distribution::Mono;
    const auto range = StepControl::LogNormalRange(ctx.MDp, ctx.DpSD);
    ctx.LowV = range.LowV;
    ctx.HighV = range.HighV;
    ctx.DpStep = range.DpStep;
    if (logNormal)
        ctx.NewHighV = ctx.HighV;
    AlignList(m, 0);
    CheckTransmissions(m, logNormal);
    CheckStructureKept(file.List, m.List);
    (void)BuildPr(m.List, file.LineName.value_or(""), m.Display.SystemT.Text);
    if (logNormal)
        (void)Analysis::ComputeSizeResolved(m.List, ctx.MDp, ctx.DpSD);
}

// What the program writes, it reads back, and writing that again gives the same file.
void CheckRoundTrip(const LineFile& file) {
    const auto written = BuildLxlText(file.List, file.LineName.value_or(""));
    const auto* text = std::get_if<std::string>(&written);
    if (!text)
        return; // refused to write (a NUL byte, a number no reader accepts)
    const ReadResult reread = ReadLxlText(*text, EvalContext{});
    const auto* again = std::get_if<LineFile>(&reread);
    Check(again != nullptr);
    Check(again->List.size() == file.List.size());
    const auto rewritten = BuildLxlText(again->List, again->LineName.value_or(""));
    const auto* text2 = std::get_if<std::string>(&rewritten);
    Check(text2 != nullptr && *text2 == *text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > MaxInput)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const EvalContext defaults;
    for (const ReadResult& result : {ReadLxlText(bytes, defaults), ReadLplBytes(bytes, defaults)}) {
        const auto* file = std::get_if<LineFile>(&result);
        if (!file)
            continue;
        CheckStructureWarned(*file);
        CheckRoundTrip(*file);
        Evaluate(*file, false);
        Evaluate(*file, true);
    }
    return 0;
}

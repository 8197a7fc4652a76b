#include "report/core/DesignRecord.h"

#include "design/VerdictText.h"
#include "model/EvalFrame.h"
#include "report/core/ReportFormat.h"
#include "version/ProgramVersion.h"

#include <algorithm>

namespace EngReport {
namespace {

using namespace Format;

std::string OrDash(const std::string& s) {
    return s.empty() ? Dash : s;
}

bool HasFailed(const Design::PointVerdict& p, Design::Criterion c) {
    return std::find(p.Failed.begin(), p.Failed.end(), c) != p.Failed.end();
}

std::string Ratio(const std::optional<double>& x) {
    return x ? Num(*x, 4) : Dash;
}

std::string Percent(const std::optional<double>& x) {
    return x ? PctUnit(*x) : Dash;
}

std::string AtLeast(double fraction) {
    return "at least " + Entered(100.0 * fraction) + " %";
}

VerdictList CriteriaRows(const Design::Verdict& v) {
    const Design::Criteria& c = v.Limits;
    const Design::PointVerdict& p = v.Nominal;
    const bool judged = v.Withheld.empty() && p.Result != Design::Outcome::NoVerdict;
    const auto outcome = [&](Design::Criterion k, bool shown) {
        if (!judged)
            return Outcome::NotJudged;
        // A quantity the line cannot show (no inlet) cannot pass.
        return !shown || HasFailed(p, k) ? Outcome::Fail : Outcome::Pass;
    };
    VerdictList list;
    Verdict asp{"Inlet aspiration ratio", Ratio(p.AspirationRatio),
                Entered(c.MinAspirationRatio) + " to " + Entered(c.MaxAspirationRatio),
                outcome(Design::Criterion::AspirationRatio, p.AspirationRatio.has_value()), ""};
    if (!p.AspirationRatio)
        asp.Detail = std::string(Design::NoInletText) + ".";
    list.Items.push_back(asp);
    list.Items.push_back({"Transport penetration (every loss from the inlet's wall to the last "
                          "component, aspiration excluded)",
                          PctUnit(p.TransportPenetration), AtLeast(c.MinTransportPenetration),
                          outcome(Design::Criterion::TransportPenetration, true), ""});
    list.Items.push_back(
        {"System penetration (aspiration ratio \u00D7 transport penetration)",
         Percent(p.SystemPenetration), AtLeast(c.MinSystemPenetration),
         outcome(Design::Criterion::SystemPenetration, p.SystemPenetration.has_value()), ""});
    if (!judged)
        list.Items.back().Detail =
            "No verdict: " + (v.Withheld.empty() ? p.Reason : v.Withheld) + ".";
    return list;
}

std::string PointValue(const std::optional<double>& x, int decimals) {
    return x ? Num(*x, decimals) : Dash;
}

Table RangeTable(const Design::Verdict& v) {
    const Design::RangeVerdict& r = *v.Range;
    Table t;
    t.Columns = {{"Point", Align::Right},
                 {"Stack velocity m/s", Align::Right},
                 {"Sample flow L/min", Align::Right},
                 {"Temperature \u00B0C", Align::Right},
                 {"Aspiration ratio", Align::Right},
                 {"Transport %", Align::Right},
                 {"System %", Align::Right},
                 {"Verdict", Align::Centre},
                 {"Worst point of", Align::Left, true}};
    for (std::size_t i = 0; i < r.Points.size(); ++i) {
        const Design::PointVerdict& p = r.Points[i];
        std::string worst;
        const auto mark = [&](const std::optional<std::size_t>& w, const char* what) {
            if (w && *w == i)
                worst += (worst.empty() ? "" : ", ") + std::string(what);
        };
        mark(r.WorstAspiration, "aspiration ratio");
        mark(r.WorstTransport, "transport");
        mark(r.WorstSystem, "system");
        t.Rows.push_back({i == 0 ? "nominal" : std::to_string(i),
                          PointValue(p.Values.StackVelocity, 2), PointValue(p.Values.Flow, 2),
                          PointValue(p.Values.Temperature, 1), Ratio(p.AspirationRatio),
                          Pct(p.TransportPenetration),
                          p.SystemPenetration ? Pct(*p.SystemPenetration) : Dash,
                          std::string(Design::OutcomeText(p.Result)), worst});
    }
    t.Legend = "Every combination of the minimum, the line's own value and the maximum of each "
               "condition that has a range, at " +
               Size(v.Limits.ReferenceSize) +
               "; \"worst point of\": where the quantity comes nearest to its limit, or furthest "
               "past it.";
    return t;
}

std::string RangeSet(const Design::OperatingRange& r) {
    std::string s;
    const auto add = [&](const std::optional<Design::Interval>& i, const char* name,
                         const std::string& unit) {
        if (i)
            s += (s.empty() ? "" : "; ") + std::string(name) + " " + Entered(i->Min) + " to " +
                 Entered(i->Max) + " " + unit;
    };
    add(r.StackVelocity, "stack velocity", "m/s");
    add(r.Flow, "sample flow", "L/min");
    add(r.Temperature, "temperature", Deg + "C");
    return s;
}

} // namespace

FieldList Identification(const Source& source) {
    const Design::Identification& id = source.Design.Id;
    FieldList f;
    f.Fields = {
        {"Facility", OrDash(id.Facility)},      {"Stack or duct", OrDash(id.Stack)},
        {"Line identifier", OrDash(id.LineId)}, {"Sample line name", OrDash(source.LineName)},
        {"Revision", OrDash(id.Revision)},      {"Design date", OrDash(id.Date)}};
    if (!id.Notes.empty())
        f.Fields.push_back({"Notes", id.Notes});
    if (source.FilePath.empty()) {
        f.Fields.push_back({"Input file", "not saved: the line exists only in the window"});
    } else {
        f.Fields.push_back({"Input file", source.FilePath});
        f.Fields.push_back({"SHA-256 of the file", source.Sha256.empty()
                                                       ? "not available (the file could not "
                                                         "be read when the report was made)"
                                                       : source.Sha256});
        if (source.ChangedSinceSaved)
            f.Fields.push_back({"Edited since saved",
                                "yes: the figures in this report are those of the line as "
                                "edited in the window, not of the saved file"});
    }
    for (const std::string& w : source.Warnings)
        f.Fields.push_back({"Reading the file", w});
    f.Fields.push_back({"Program", ProgramVersion::Full()});
    f.Fields.push_back({"Report made", OrDash(source.DateTime)});
    return f;
}

std::vector<Block> DesignRecordPage(const LodoModel& m, const Source& source,
                                    const Design::Verdict& v) {
    std::vector<Block> out;
    out.push_back(Heading{"Identification"});
    out.push_back(Identification(source));

    out.push_back(Heading{"Design verdict: " + Design::CriteriaName(v.Limits)});
    out.push_back(CriteriaRows(v));
    std::string summary = Design::VerdictLine(v);
    if (const std::string range = Design::RangeLine(v); !range.empty())
        summary += "; " + range;
    out.push_back(Paragraph{summary + "."});
    std::string basis =
        "The criteria are written for particles of " + Size(v.Limits.ReferenceSize) +
        " aerodynamic diameter, so the verdict is taken at that size whatever "
        "the particle description the rest of this report is made for (" +
        (EvalFrame::IsLogNormal(m.Ctx)
             ? "log-normal, MMAD " + Size(m.Ctx.MDp) + ", GSD " + Entered(m.Ctx.DpSD)
             : "one size, " + Size(m.Ctx.Dp)) +
        "); every later figure is information.";
    if (!v.Limits.IsDefault())
        basis += " These criteria are set for this line and differ from the ANSI N13.1 "
                 "defaults: " +
                 Design::CriteriaLimits(v.Limits) + ".";
    out.push_back(Paragraph{basis});

    out.push_back(Heading{"Operating range"});
    if (v.Range) {
        out.push_back(Paragraph{"Ranges set: " + RangeSet(v.Range->Set) + "."});
        out.push_back(RangeTable(v));
    } else {
        const Design::OperatingPoint& own = v.Nominal.Values;
        out.push_back(Paragraph{
            "No operating range is set for this line: the verdict holds at its own operating "
            "point only (stack velocity " +
            PointValue(own.StackVelocity, 2) + " m/s, sample flow " + PointValue(own.Flow, 2) +
            " L/min, temperature " + PointValue(own.Temperature, 1) + " " + Deg + "C)."});
    }

    out.push_back(Heading{"Signatures"});
    const Design::Identification& id = source.Design.Id;
    out.push_back(Signatures{
        {{"Prepared by", id.PreparedBy}, {"Checked by", id.CheckedBy}, {"Approved by", ""}}});
    out.push_back(PageBreak{});
    return out;
}

} // namespace EngReport

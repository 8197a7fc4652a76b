// Writes the sample lines of examples/ with the program's own writer:
//   lodo-make-examples <examples folder>
// Each line is built as the editor builds it (a new record from the context, then
// the entered values), evaluated as opening it would, and saved.
#include "model/CreateComp.h"
#include "model/LodoModel.h"
#include "persistence/LineFile.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

struct Builder {
    LodoModel m;

    // Appends a component named by its type's counter, from the context, then lets
    // `enter` set what the user typed.
    Builder& Add(int code, const std::string& type, const std::function<void(TLodoComp&)>& enter) {
        EvalContext& c = m.Ctx;
        int* counter[] = {nullptr, &c.TINo, &c.BINo, &c.CINo, &c.EINo, &c.NINo, &c.SINo};
        const char* prefix[] = {"", "T-", "B-", "C-", "E-", "N-", "N-"};
        c.NodeType = type;
        c.NodeInt = code;
        c.NodeName = prefix[code] + std::to_string(++*counter[code]);
        c.RefNum = Operation::Adding;
        m.List.push_back(CreateComp(c));
        c.CurrRow = static_cast<int>(m.List.size());
        SetNodeValues(m);
        TLodoComp& r = m.List.back();
        // The context the editor shows for the new component.
        r.Len = c.L;
        r.Ang1 = c.A1;
        r.Ang2 = c.A2;
        r.Ang3 = c.A3;
        r.Dia1 = c.D1;
        r.Dia2 = c.D2;
        r.Dia1Unit = c.D1U;
        r.Dia2Unit = c.D2U;
        enter(r);
        AlignList(m, 0);
        return *this;
    }

    bool Save(const std::filesystem::path& path, const std::string& lineName) {
        for (const TLodoComp& c : m.List) {
            if (HasInvalidResult(c, false) || c.Name.ends_with(" *")) {
                std::fprintf(stderr, "%s: %s is invalid or in transition flow\n", path.c_str(),
                             c.Name.c_str());
                return false;
            }
        }
        if (auto e = WriteLxlFile(path, m.List, lineName)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), e->Message.c_str());
            return false;
        }
        std::printf("%s: %zu components, system penetration %.2f %%\n", path.c_str(), m.List.size(),
                    100 * m.Ctx.SystemTrans);
        return true;
    }
};

void Metric(TLodoComp& r) {
    r.TempUnit = r.PressUnit = r.LenUnit = r.Dia1Unit = r.Dia2Unit = r.FlowUnit = r.RadiusUnit =
        r.FStreamUnit = "Metric";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lodo-make-examples <examples folder>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    bool ok = true;

    // Stack nozzle sampling 4 cfm at 10 m/s near-isokinetically, 1.5 in tubing
    // (34.9 mm bore) across the platform, down the stack side, over to the monitor.
    {
        Builder b;
        b.Add(NodeNozzle, "Nozzle", [](TLodoComp& r) {
            Metric(r);
            r.Flow = 113.3;
            r.FStream = 10;
            r.Temp = 35;
            r.Dia1 = 15.5;
            r.Dia2 = 34.9;
            r.Len = 30;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) { r.Len = 1.5; });
        b.Add(NodeBend, "Bend", [](TLodoComp& r) {
            r.Ang2 = 90;
            r.Brd = 0.1524;
            r.Ang3 = 0;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 6;
            r.Ang1 = 90;
        });
        b.Add(NodeBend, "Bend", [](TLodoComp& r) {
            r.Ang2 = 90;
            r.Brd = 0.1524;
            r.Ang1 = 90;
            r.Ang3 = 90;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 3;
            r.Ang1 = 0;
        });
        ok &= b.Save(dir / "stack-nozzle-line.lxl", "Main stack, 4 cfm nozzle line");
    }

    // 6 cfm shrouded probe in a duct, its outlet carried down a vertical run to a filter.
    {
        Builder b;
        b.Add(NodeShroud, "WIPP6CFM", [](TLodoComp& r) {
            Metric(r);
            r.Flow = 170;
            r.FStream = 12;
            r.Temp = 30;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) { r.Len = 0.8; });
        b.Add(NodeBend, "Bend", [](TLodoComp& r) {
            r.Ang2 = 90;
            r.Brd = 0.2;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 4;
            r.Ang1 = 90;
        });
        b.Add(NodeBend, "Bend", [](TLodoComp& r) {
            r.Ang2 = 45;
            r.Brd = 0.2;
            r.Ang1 = 90;
            r.Ang3 = 180;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 1.2;
            r.Ang1 = 45;
        });
        ok &= b.Save(dir / "shrouded-probe-line.lxl", "Exhaust duct B, shrouded probe");
    }

    // 1 cfm line that necks down through a vertical wall sleeve and opens out again.
    {
        Builder b;
        b.Add(NodeNozzle, "Nozzle", [](TLodoComp& r) {
            Metric(r);
            r.Flow = 28.3;
            r.FStream = 7.5;
            r.Dia1 = 9;
            r.Dia2 = 34.9;
            r.Len = 25;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) { r.Len = 0.5; });
        b.Add(NodeContraction, "Contraction", [](TLodoComp& r) { r.Ang2 = 15; });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 1.2;
            r.Ang1 = 90;
        });
        b.Add(NodeExpansion, "Expansion", [](TLodoComp& r) {
            r.Ang2 = 7.5;
            r.Dia2 = 34.9;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 0.6;
            r.Ang1 = 0;
        });
        ok &= b.Save(dir / "contraction-expansion-line.lxl", "Wall sleeve, 1 cfm");
    }

    // Everything entered in English units: 4 cfm through 1.374 in bore tubing.
    {
        Builder b;
        b.Add(NodeNozzle, "Nozzle", [](TLodoComp& r) {
            r.TempUnit = r.PressUnit = r.LenUnit = r.Dia1Unit = r.Dia2Unit = r.FlowUnit =
                r.RadiusUnit = r.FStreamUnit = "English";
            r.Temp = 77;
            r.Press = 14.696;
            r.Flow = 4;
            r.FStream = 32.8;
            r.Dia1 = 0.61;
            r.Dia2 = 1.374;
            r.Len = 1.2;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) { r.Len = 5; });
        b.Add(NodeBend, "Bend", [](TLodoComp& r) {
            r.Ang2 = 90;
            r.Brd = 6;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 20;
            r.Ang1 = 90;
        });
        b.Add(NodeBend, "Bend", [](TLodoComp& r) {
            r.Ang2 = 90;
            r.Brd = 6;
            r.Ang1 = 90;
            r.Ang3 = 90;
        });
        b.Add(NodeTube, "Tube", [](TLodoComp& r) {
            r.Len = 8;
            r.Ang1 = 0;
        });
        ok &= b.Save(dir / "english-units-line.lxl", "Stack 2 (English units)");
    }
    return ok ? 0 : 1;
}

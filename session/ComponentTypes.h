#pragma once

#include "model/LodoModel.h"
#include "session/PropertyPages.h"

#include <algorithm>
#include <limits>
#include <string>

// The six component types as the component menu bar adds them: type text, name
// prefix and counter, the page that edits them, and whether they may only be first.
struct ComponentType {
    int Code;
    const char* NType;
    const char* Prefix;
    int EvalContext::*Counter;
    Page OnPage;
    bool InletOnly;
};

inline constexpr ComponentType ComponentTypes[] = {
    {NodeTube, "Tube", "T-", &EvalContext::TINo, Page::Tube, false},
    {NodeBend, "Bend", "B-", &EvalContext::BINo, Page::Bend, false},
    {NodeContraction, "Contraction", "C-", &EvalContext::CINo, Page::Contract, false},
    {NodeExpansion, "Expansion", "E-", &EvalContext::EINo, Page::Expand, false},
    {NodeNozzle, "Nozzle", "N-", &EvalContext::NINo, Page::Nozzle, true},
    {NodeShroud, "RF2-111", "N-", &EvalContext::SINo, Page::Shroud, true},
};

inline const ComponentType* TypeOf(int code) {
    for (const auto& t : ComponentTypes)
        if (t.Code == code)
            return &t;
    return nullptr;
}

inline bool IsInlet(const TLodoComp& c) {
    return c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud;
}

// The counter moved on to the number of the next name. A counter a file set below
// zero starts again from zero; one at the end of the range takes the first number no
// component of the line carries, so that no name repeats.
inline int NextNameNumber(int& counter, const LodoList& list, const std::string& prefix) {
    counter = std::max(counter, 0);
    if (counter < std::numeric_limits<int>::max())
        return ++counter;
    for (int n = 1;; ++n) {
        const std::string name = prefix + std::to_string(n);
        if (std::none_of(list.begin(), list.end(), [&](const TLodoComp& c) {
                return c.Name == name || c.Name == name + " *";
            }))
            return n;
    }
}

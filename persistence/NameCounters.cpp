#include "persistence/LineFile.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

// The number after `prefix` in a name such as "T-7" or "T-7 *" (transition mark).
std::optional<int> NameNumber(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix))
        return std::nullopt;
    name.remove_prefix(prefix.size());
    if (name.ends_with(" *"))
        name.remove_suffix(2);
    if (name.empty() || name.front() < '0' || name.front() > '9')
        return std::nullopt;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (ec != std::errc() || ptr != name.data() + name.size())
        return std::nullopt;
    // A counter is incremented before use; one that cannot be is left alone.
    if (value == std::numeric_limits<int>::max())
        return std::nullopt;
    return value;
}

void Raise(int& counter, std::optional<int> n) {
    if (n)
        counter = std::max(counter, *n);
}

} // namespace

void RaiseNameCounters(const LodoList& list, NameCounters& counters) {
    for (const TLodoComp& c : list) {
        Raise(counters.TINo, NameNumber(c.Name, "T-"));
        Raise(counters.BINo, NameNumber(c.Name, "B-"));
        Raise(counters.CINo, NameNumber(c.Name, "C-"));
        Raise(counters.EINo, NameNumber(c.Name, "E-"));
        // Nozzles and shrouded probes share "N-" but count separately; an "N-" name
        // on any other type raises both, so that neither can repeat it.
        const auto n = NameNumber(c.Name, "N-");
        if (c.NTypeInt != NodeShroud)
            Raise(counters.NINo, n);
        if (c.NTypeInt != NodeNozzle)
            Raise(counters.SINo, n);
    }
}

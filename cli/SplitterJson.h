#pragma once

#include "splitter/core/Wye.h"

#include <string>

namespace Cli {

// The splitter's inputs, results and limits as one JSON object, every quantity a
// number under its calculation name with its unit beside it in "Units".
std::string SplitterJson(const Wye::WyeInputs& in, float PartSize /*[um]*/,
                         const Wye::WyeResults& r);

} // namespace Cli

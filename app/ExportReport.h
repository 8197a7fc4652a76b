#pragma once

#include <string>
#include <vector>

// The headless export: `args` are what follows "--export-report" on the command line,
// LINE.lxl OUT.pdf [--mono DP | --lognormal MMAD GSD]. Returns the exit status (0
// written, 1 failed); a failure is one line on `err`.
int ExportReportCommand(const std::vector<std::string>& args, std::string& err);

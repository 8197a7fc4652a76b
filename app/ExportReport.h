#pragma once

#include <string>
#include <vector>

// The headless export: `args` are what follows "--export-report" on the command line,
// LINE.lxl OUT.pdf [--mono DP | --lognormal MMAD GSD]. Returns the exit status as
// lodo-cli's: 0 written, 1 not written, 2 a wrong command line, 4 written but a result
// is not a finite number; `err` then says why in one line.
int ExportReportCommand(const std::vector<std::string>& args, std::string& err);

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The commands of lodo-cli. Each takes the arguments after its own name, writes its
// result to `out` only once it is complete, and one line per error to `err`;
// it returns the process exit code.
int RunEvaluateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunStudyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCurveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSplitterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

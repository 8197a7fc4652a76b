#pragma once

#include <QString>
#include <functional>
#include <string>

class SessionUi;
struct SaveDialogRequest;

// An export of something made from the line (the report, the drawing): asks for the
// file through `ui`, adds `suffix` to a name without one, refuses the line's own file
// (`lineFile`, empty when never saved) naming `what` ("The report"), writes through
// `write` (its error text, empty when written) and shows what went wrong.
void ExportFile(SessionUi& ui, const SaveDialogRequest& dialog, const QString& suffix,
                const std::string& lineFile, const std::string& what,
                const std::function<QString(const QString& path)>& write);

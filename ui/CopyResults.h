#pragma once

#include <QString>

class LodoSession;

// Edit > Copy Results: the grid (its header and every row) and the totals as
// tab-separated text, ready for a spreadsheet.
QString ResultsAsTabSeparatedText(const LodoSession& session);
void CopyResults(const LodoSession& session);

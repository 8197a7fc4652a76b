#include "ui/CopyResults.h"

#include "session/LodoSession.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringList>

QString ResultsAsTabSeparatedText(const LodoSession& session) {
    const auto cell = [](std::string_view s) {
        // A tab or line break inside a name would split the row.
        QString t = QString::fromUtf8(s.data(), qsizetype(s.size())).trimmed();
        t.replace(QLatin1Char('\t'), QLatin1Char(' '));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return t;
    };
    QStringList lines;
    lines << cell(session.LineName());
    QStringList header;
    for (const GridColumn& c : GridColumns)
        header << cell(c.Header);
    lines << header.join(QLatin1Char('\t'));
    for (int r = 0; r < session.GridRowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < int(GridColumns.size()); ++c)
            row << cell(session.Grid1GetValue(c, r));
        lines << row.join(QLatin1Char('\t'));
    }
    const DisplaySink& d = session.Model().Display;
    lines << cell(session.LabelPent()) + QLatin1Char('\t') + cell(d.SystemT.Text);
    if (!d.MassPent.empty())
        lines << cell(session.LabelANSI1()) + QLatin1Char('\t') + cell(d.MassPent);
    if (!d.MaxPartSize.empty())
        lines << cell(d.MaxPartSize);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CopyResults(const LodoSession& session) {
    QGuiApplication::clipboard()->setText(ResultsAsTabSeparatedText(session));
}

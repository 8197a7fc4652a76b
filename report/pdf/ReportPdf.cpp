#include "report/pdf/ReportPdf.h"

#include "gui/ExportFile.h"
#include "model/LodoError.h"
#include "model/TextSafety.h"
#include "persistence/FileIo.h"
#include "report/pdf/ReportCharts.h"
#include "session/SessionUi.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

namespace ReportPdf {
namespace {

using namespace EngReport;

constexpr int Dpi = 1200;
constexpr double MmPt = 72.0 / 25.4;

const QColor PassColour(0x00, 0x80, 0x00); // the program's green
const QColor FailColour(0xFF, 0x00, 0x00); // and red
const QColor RuleColour(0x80, 0x80, 0x80);
const QColor ShadeColour(0xF0, 0xF0, 0xF0);

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString SansFamily() {
    for (const char* family : {"Liberation Sans", "Arimo", "DejaVu Sans", "Nimbus Sans"}) {
        const QString f = QString::fromLatin1(family);
        if (QFontDatabase::hasFamily(f))
            return f;
    }
    return QStringLiteral("sans-serif");
}

QFont Font(double pt, bool bold = false, bool italic = false) {
    QFont f(SansFamily());
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pt);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

double Px(double pt) {
    return pt * Dpi / 72.0;
}

// A text set in a column of the given width [px], wrapped at word boundaries.
struct SetText {
    std::shared_ptr<QTextLayout> Layout;
    std::vector<double> Tops; // of each row, from the text's top [px]
    double RowHeight = 0;
    double Height() const { return RowHeight * static_cast<double>(Tops.size()); }
    int Rows() const { return static_cast<int>(Tops.size()); }
    double NaturalWidth() const {
        double w = 0;
        for (int i = 0; i < Layout->lineCount(); ++i)
            w = std::max(w, Layout->lineAt(i).naturalTextWidth());
        return w;
    }
    // Draws rows [from, to) with the first of them at `top`.
    void Draw(QPainter& p, double left, double top, int from = 0, int to = -1) const {
        if (to < 0)
            to = Rows();
        for (int r = from; r < to; ++r) {
            const QTextLine line = Layout->lineAt(r);
            line.draw(&p, QPointF(left, top + (r - from) * RowHeight - line.y()));
        }
    }
};

SetText Set(const QString& text, const QFont& font, double width, QPaintDevice* device,
            Qt::Alignment align = Qt::AlignLeft) {
    SetText s;
    s.Layout = std::make_shared<QTextLayout>(text, font, device);
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    s.Layout->setTextOption(option);
    s.RowHeight = QFontMetricsF(font, device).lineSpacing();
    s.Layout->beginLayout();
    double y = 0;
    for (QTextLine line = s.Layout->createLine(); line.isValid(); line = s.Layout->createLine()) {
        line.setLineWidth(std::max(width, 1.0));
        line.setPosition(QPointF(0, y));
        s.Tops.push_back(y);
        y += s.RowHeight;
    }
    s.Layout->endLayout();
    if (s.Tops.empty())
        s.Tops.push_back(0);
    return s;
}

double TextWidth(const QString& text, const QFont& font, QPaintDevice* device) {
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

// Places the report's blocks on pages, top to bottom; what each page shows is kept
// as drawing steps and painted once the number of pages is known.
class Pager {
public:
    using Step = std::function<void(QPainter&)>;

    Pager(QPaintDevice* device, const PageGeometry& g)
        : device_(device), left_(Px(g.Left)), width_(Px(g.Right - g.Left)), top_(Px(g.BodyTop)),
          bottom_(Px(g.Bottom)) {
        NewPage();
    }

    QPaintDevice* Device() const { return device_; }
    double Left() const { return left_; }
    double Width() const { return width_; }
    double Room() const { return bottom_ - y_; }
    double BodyHeight() const { return bottom_ - top_; }
    double Y() const { return y_; }
    bool PageEmpty() const { return empty_; }
    std::vector<std::vector<Step>>& Pages() { return pages_; }

    void NewPage() {
        pages_.emplace_back();
        y_ = top_;
        empty_ = true;
    }
    // Starts a new page unless `height` fits below what the page holds.
    void Ensure(double height) {
        if (!empty_ && y_ + height > bottom_)
            NewPage();
    }
    void Skip(double height) {
        if (!empty_)
            y_ = std::min(y_ + height, bottom_);
    }
    void Add(Step step, double height) {
        pages_.back().push_back(std::move(step));
        y_ += height;
        empty_ = false;
    }

    // A text over the column's width; rows that do not fit continue on the next page.
    void Text(const SetText& text, double indent = 0, QColor colour = Qt::black) {
        int from = 0;
        while (from < text.Rows()) {
            Ensure(text.RowHeight);
            const int fit = std::max(1, static_cast<int>(Room() / text.RowHeight));
            const int to = std::min(text.Rows(), from + fit);
            const double x = left_ + indent, y = y_;
            Add(
                [text, x, y, from, to, colour](QPainter& p) {
                    p.setPen(colour);
                    text.Draw(p, x, y, from, to);
                },
                (to - from) * text.RowHeight);
            from = to;
            if (from < text.Rows())
                NewPage();
        }
    }

private:
    QPaintDevice* device_;
    double left_, width_, top_, bottom_;
    double y_ = 0;
    bool empty_ = true;
    std::vector<std::vector<Step>> pages_;
};

// A heading never ends a page: `next` is the height the block after it needs to start.
void PutHeading(Pager& pager, const Heading& h, double next) {
    const SetText t = Set(Q(h.Text), Font(11, true), pager.Width(), pager.Device());
    pager.Skip(Px(10));
    pager.Ensure(t.Height() + Px(3) + std::min(next, pager.BodyHeight() - t.Height() - Px(3)));
    pager.Text(t);
    pager.Skip(Px(3));
}

void PutParagraph(Pager& pager, const std::string& text, const QFont& font, double indent = 0,
                  QColor colour = Qt::black) {
    pager.Text(Set(Q(text), font, pager.Width() - indent, pager.Device()), indent, colour);
}

// Rows of cells in columns: each cell wraps within its column; a row is kept whole
// and the header row is repeated at the top of every page the rows reach.
struct Grid {
    std::vector<double> Widths; // [px]
    std::vector<Qt::Alignment> Aligns;
    QFont CellFont, HeadFont;
    double Pad = Px(2.5);
};

struct SetRow {
    std::vector<SetText> Cells;
    double Height = 0;
    std::vector<QColor> Colours;
};

SetRow SetCells(const Grid& g, const std::vector<QString>& cells, const QFont& font,
                QPaintDevice* d, std::vector<QColor> colours = {}) {
    SetRow row;
    for (std::size_t c = 0; c < g.Widths.size(); ++c) {
        const QString text = c < cells.size() ? cells[c] : QString();
        row.Cells.push_back(Set(text, font, g.Widths[c] - 2 * g.Pad, d, g.Aligns[c]));
        row.Height = std::max(row.Height, row.Cells.back().Height() + 2 * g.Pad);
    }
    colours.resize(g.Widths.size(), Qt::black);
    row.Colours = std::move(colours);
    return row;
}

// Draws text rows [from, to) of every cell of the row (all of them by default).
void DrawRow(QPainter& p, const Grid& g, const SetRow& row, double left, double top, bool head,
             bool shade, int from = 0, int to = -1) {
    double width = 0;
    for (double w : g.Widths)
        width += w;
    int rows = 0;
    for (const SetText& cell : row.Cells)
        rows = std::max(rows, cell.Rows());
    if (to < 0)
        to = rows;
    const double rowHeight = row.Cells.empty() ? 0 : row.Cells.front().RowHeight;
    const double height =
        from == 0 && to == rows ? row.Height : (to - from) * rowHeight + 2 * g.Pad;
    if (shade)
        p.fillRect(QRectF(left, top, width, height), ShadeColour);
    double x = left;
    for (std::size_t c = 0; c < row.Cells.size(); ++c) {
        p.setPen(row.Colours[c]);
        const SetText& cell = row.Cells[c];
        if (from < cell.Rows())
            cell.Draw(p, x + g.Pad, top + g.Pad, from, std::min(to, cell.Rows()));
        x += g.Widths[c];
    }
    if (head) {
        p.setPen(QPen(Qt::black, Px(0.6)));
        p.drawLine(QPointF(left, top + height), QPointF(left + width, top + height));
    }
}

void PutGrid(Pager& pager, const Grid& g, const SetRow& head, const std::vector<SetRow>& rows) {
    const double left = pager.Left();
    const auto putHead = [&] {
        pager.Add([g, head, left,
                   y = pager.Y()](QPainter& p) { DrawRow(p, g, head, left, y, true, false); },
                  head.Height);
    };
    // A table starts with at least two of its rows under its header.
    double start = head.Height;
    for (std::size_t i = 0; i < rows.size() && i < 2; ++i)
        start += rows[i].Height;
    pager.Ensure(std::min(start, pager.BodyHeight()));
    putHead();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SetRow& row = rows[i];
        const bool shade = i % 2 == 1;
        // The last row never goes to a page alone: the row before it goes with it.
        const bool widow = i + 2 == rows.size() && i >= 2 && pager.Room() >= row.Height &&
                           pager.Room() < row.Height + rows[i + 1].Height &&
                           row.Height + rows[i + 1].Height <= pager.BodyHeight() - head.Height;
        if (widow ||
            (pager.Room() < row.Height && row.Height <= pager.BodyHeight() - head.Height)) {
            pager.NewPage();
            putHead();
        }
        if (pager.Room() >= row.Height) {
            pager.Add([g, row, left, y = pager.Y(),
                       shade](QPainter& p) { DrawRow(p, g, row, left, y, false, shade); },
                      row.Height);
            continue;
        }
        // Taller than a page: its text rows continue on the next pages.
        int total = 0;
        for (const SetText& cell : row.Cells)
            total = std::max(total, cell.Rows());
        const double rowHeight = row.Cells.front().RowHeight;
        for (int from = 0; from < total;) {
            const int fit = std::max(1, static_cast<int>((pager.Room() - 2 * g.Pad) / rowHeight));
            const int to = std::min(total, from + fit);
            pager.Add([g, row, left, y = pager.Y(), shade, from,
                       to](QPainter& p) { DrawRow(p, g, row, left, y, false, shade, from, to); },
                      (to - from) * rowHeight + 2 * g.Pad);
            from = to;
            if (from < total) {
                pager.NewPage();
                putHead();
            }
        }
    }
}

Qt::Alignment AlignOf(Align a) {
    switch (a) {
    case Align::Right:
        return Qt::AlignRight;
    case Align::Centre:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Column widths: each column as wide as its widest cell (a heading may wrap at its
// words); the wrapping columns share what is left. When that is too little the
// other columns give up width, but never below their longest word, so no word is
// broken.
std::vector<double> ColumnWidths(const Table& t, const QFont& cell, const QFont& head, double width,
                                 QPaintDevice* d, double pad) {
    const std::size_t n = t.Columns.size();
    std::vector<double> natural(n, 0), least(n, 0);
    const auto words = [&](const std::string& text, const QFont& font, double& longest) {
        for (const QString& word : Q(text).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            longest = std::max(longest, TextWidth(word, font, d));
    };
    for (std::size_t c = 0; c < n; ++c) {
        words(t.Columns[c].Title, head, least[c]);
        for (const auto& row : t.Rows)
            if (c < row.size()) {
                natural[c] = std::max(natural[c], TextWidth(Q(row[c]), cell, d));
                words(row[c], cell, least[c]);
            }
        natural[c] = std::max(natural[c], least[c]) + 2 * pad + Px(1);
        least[c] += 2 * pad + Px(1);
    }
    double fixed = 0, fixedLeast = 0, wrapping = 0, wrappingLeast = 0;
    for (std::size_t c = 0; c < n; ++c) {
        if (t.Columns[c].Wraps) {
            wrapping += natural[c];
            wrappingLeast += least[c];
        } else {
            fixed += natural[c];
            fixedLeast += least[c];
        }
    }
    std::vector<double> w = natural;
    const double wrapRoom = wrapping > 0 ? std::max(0.25 * width, wrappingLeast) : 0;
    if (fixed + wrapRoom > width && fixed > fixedLeast) {
        // Shrink towards the longest words, in proportion to what each can give.
        const double give = std::min(fixed + wrapRoom - width, fixed - fixedLeast);
        for (std::size_t c = 0; c < n; ++c)
            if (!t.Columns[c].Wraps)
                w[c] = natural[c] - give * (natural[c] - least[c]) / (fixed - fixedLeast);
        fixed -= give;
    }
    if (wrapping > 0) {
        const double left = std::max(width - fixed, wrappingLeast);
        for (std::size_t c = 0; c < n; ++c)
            if (t.Columns[c].Wraps)
                w[c] = std::max(least[c], std::min(natural[c], left * natural[c] / wrapping));
        // What the wrapping columns do not need goes to the last one.
        double used = 0;
        for (double x : w)
            used += x;
        for (std::size_t c = n; c-- > 0;)
            if (t.Columns[c].Wraps) {
                w[c] += std::max(width - used, 0.0);
                break;
            }
    }
    // A table without a wrapping column spends what is left on headings that wrap.
    if (wrapping == 0) {
        double used = 0;
        for (double x : w)
            used += x;
        double spare = width - used;
        for (std::size_t c = 0; c < n && spare > 0; ++c) {
            const double full = TextWidth(Q(t.Columns[c].Title), head, d) + 2 * pad + Px(1);
            const double add = std::min(spare, std::max(full - w[c], 0.0));
            w[c] += add;
            spare -= add;
        }
    }
    // Still too wide (long words in every column): everything in proportion.
    double total = 0;
    for (double x : w)
        total += x;
    if (total > width)
        for (double& x : w)
            x *= width / total;
    return w;
}

void PutTable(Pager& pager, const Table& t) {
    Grid g;
    g.CellFont = Font(7.5);
    g.HeadFont = Font(7.5, true);
    g.Widths = ColumnWidths(t, g.CellFont, g.HeadFont, pager.Width(), pager.Device(), g.Pad);
    for (const Column& c : t.Columns)
        g.Aligns.push_back(AlignOf(c.Alignment));
    std::vector<QString> titles;
    for (const Column& c : t.Columns)
        titles.push_back(Q(c.Title));
    const SetRow head = SetCells(g, titles, g.HeadFont, pager.Device());
    std::vector<SetRow> rows;
    for (const auto& r : t.Rows) {
        std::vector<QString> cells;
        for (const std::string& s : r)
            cells.push_back(Q(s));
        rows.push_back(SetCells(g, cells, g.CellFont, pager.Device()));
    }
    PutGrid(pager, g, head, rows);
    if (!t.Legend.empty()) {
        pager.Skip(Px(3));
        PutParagraph(pager, t.Legend, Font(7, false, true));
    }
}

void PutFields(Pager& pager, const FieldList& f) {
    Grid g;
    g.CellFont = Font(9);
    double label = 0;
    for (const Field& field : f.Fields)
        label = std::max(label, TextWidth(Q(field.Label), Font(9, true), pager.Device()));
    label = std::min(label + 2 * g.Pad + Px(6), 0.45 * pager.Width());
    g.Widths = {label, pager.Width() - label};
    g.Aligns = {Qt::AlignLeft, Qt::AlignLeft};
    g.Pad = Px(1.5);
    for (const Field& field : f.Fields) {
        SetRow row;
        row.Cells.push_back(
            Set(Q(field.Label), Font(9, true), g.Widths[0] - 2 * g.Pad, pager.Device()));
        row.Cells.push_back(Set(Q(field.Value), Font(9), g.Widths[1] - 2 * g.Pad, pager.Device()));
        row.Height = std::max(row.Cells[0].Height(), row.Cells[1].Height()) + 2 * g.Pad;
        row.Colours = {Qt::black, Qt::black};
        if (row.Height > pager.BodyHeight()) {
            // Taller than a page: the label, and the value beside it continuing on the
            // next pages.
            pager.Ensure(row.Cells[0].Height());
            const double top = pager.Y();
            pager.Add(
                [label = row.Cells[0], left = pager.Left() + g.Pad, top](QPainter& p) {
                    p.setPen(Qt::black);
                    label.Draw(p, left, top);
                },
                0);
            pager.Text(row.Cells[1], g.Widths[0] + g.Pad);
            continue;
        }
        pager.Ensure(row.Height);
        pager.Add([g, row, left = pager.Left(),
                   y = pager.Y()](QPainter& p) { DrawRow(p, g, row, left, y, false, false); },
                  row.Height);
    }
}

void PutVerdicts(Pager& pager, const VerdictList& v) {
    Grid g;
    const QFont font = Font(9), bold = Font(9, true);
    const double w = pager.Width();
    g.Widths = {0.47 * w, 0.2 * w, 0.2 * w, 0.13 * w};
    g.Aligns = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft, Qt::AlignHCenter};
    const SetRow head = SetCells(g,
                                 {QStringLiteral("Check"), QStringLiteral("Value"),
                                  QStringLiteral("ANSI N13.1 limit"), QStringLiteral("Verdict")},
                                 bold, pager.Device());
    pager.Ensure(head.Height * 3);
    pager.Add([g, head, left = pager.Left(),
               y = pager.Y()](QPainter& p) { DrawRow(p, g, head, left, y, true, false); },
              head.Height);
    for (const Verdict& item : v.Items) {
        const QString outcome = item.Result == Outcome::Pass   ? QStringLiteral("PASS")
                                : item.Result == Outcome::Fail ? QStringLiteral("FAIL")
                                : item.Result == Outcome::NotJudged
                                    ? QStringLiteral("no verdict")
                                    : QStringLiteral("not applicable");
        const QColor colour = item.Result == Outcome::Pass   ? PassColour
                              : item.Result == Outcome::Fail ? FailColour
                                                             : QColor(Qt::black);
        SetRow row = SetCells(g, {Q(item.Check), Q(item.Value), Q(item.Limit), QString()}, font,
                              pager.Device());
        row.Cells[3] =
            Set(outcome, bold, g.Widths[3] - 2 * g.Pad, pager.Device(), Qt::AlignHCenter);
        row.Colours[3] = colour;
        SetText detail;
        if (!item.Detail.empty())
            detail = Set(Q(item.Detail), Font(8, false, true), w - Px(12), pager.Device());
        const double detailHeight = detail.Layout ? detail.Height() : 0;
        pager.Ensure(row.Height + detailHeight);
        pager.Add([g, row, left = pager.Left(),
                   y = pager.Y()](QPainter& p) { DrawRow(p, g, row, left, y, false, false); },
                  row.Height);
        if (detail.Layout)
            pager.Text(detail, Px(12));
    }
}

void PutFigure(Pager& pager, double height, const std::string& caption,
               std::function<void(QPainter&, const QRectF&)> paint) {
    const SetText cap = Set(Q(caption), Font(8, false, true), pager.Width(), pager.Device());
    height = std::min(height, pager.BodyHeight() - cap.Height() - Px(6));
    pager.Ensure(height + Px(4) + cap.Height());
    const QRectF box(pager.Left(), pager.Y(), pager.Width(), height);
    pager.Add([paint, box](QPainter& p) { paint(p, box); }, height + Px(4));
    pager.Text(cap);
}

constexpr double CurveAspect = 0.5, PictureAspect = 0.55;
constexpr double BarPt = 14, CaptionPt = 30, SignaturePt = 30;

// One line per role: the role, the name (from the design case, else blank), and ruled
// spaces for the signature and the date.
void PutSignatures(Pager& pager, const Signatures& s) {
    const double w = pager.Width();
    const QFont label = Font(9, true), name = Font(9), small = Font(7, false, true);
    pager.Ensure(Px(SignaturePt) * static_cast<double>(s.Roles.size()));
    for (const Signatures::Role& role : s.Roles) {
        pager.Add(
            [role, label, name, small, w, left = pager.Left(), y = pager.Y()](QPainter& p) {
                const double base = y + Px(18);
                p.setPen(Qt::black);
                p.setFont(label);
                p.drawText(QPointF(left, base), Q(role.Title));
                p.setFont(name);
                p.drawText(QPointF(left + 0.18 * w, base), Q(role.Name));
                p.setPen(QPen(Qt::black, Px(0.5)));
                const double sigL = left + 0.45 * w, sigR = left + 0.78 * w;
                const double dateL = left + 0.82 * w, dateR = left + w;
                p.drawLine(QPointF(sigL, base + Px(2)), QPointF(sigR, base + Px(2)));
                p.drawLine(QPointF(dateL, base + Px(2)), QPointF(dateR, base + Px(2)));
                p.setFont(small);
                p.drawText(QPointF(sigL, base + Px(10)), QStringLiteral("signature"));
                p.drawText(QPointF(dateL, base + Px(10)), QStringLiteral("date"));
            },
            Px(SignaturePt));
    }
}

// Height a block needs on the page it starts on: a figure whole, the first rows of
// anything else.
double StartHeight(const Pager& pager, const Block& block) {
    return std::visit(
        [&](const auto& b) -> double {
            using T = std::decay_t<decltype(b)>;
            if constexpr (std::is_same_v<T, CurveChart>)
                return CurveAspect * pager.Width() + Px(CaptionPt);
            else if constexpr (std::is_same_v<T, LinePicture>)
                return PictureAspect * pager.Width() + Px(CaptionPt);
            else if constexpr (std::is_same_v<T, ShareChart>)
                return Px(BarPt) * static_cast<double>(b.Bars.size()) + Px(16 + CaptionPt);
            else if constexpr (std::is_same_v<T, TextLines>)
                // Kept whole with its heading: never a heading or a list alone on a page.
                return Px(8.5 * 1.25) * static_cast<double>(b.Lines.size() + 1);
            else if constexpr (std::is_same_v<T, Signatures>)
                return Px(SignaturePt) * static_cast<double>(b.Roles.size() + 1);
            else
                return Px(40);
        },
        block);
}

// The specified lines set their columns with runs of blanks; here they become tab stops.
void PutTextLine(Pager& pager, const std::string& line, const QFont& font) {
    static const QRegularExpression gap(QStringLiteral(" {3,}"));
    const QStringList parts = Q(line).split(gap, Qt::SkipEmptyParts);
    if (parts.size() < 2) {
        PutParagraph(pager, line, font);
        return;
    }
    const double stop = pager.Width() / static_cast<double>(std::max<qsizetype>(parts.size(), 2));
    std::vector<SetText> cells;
    double height = 0;
    for (const QString& part : parts) {
        cells.push_back(Set(part, font, stop - Px(6), pager.Device()));
        height = std::max(height, cells.back().Height());
    }
    pager.Ensure(height);
    pager.Add(
        [cells, stop, left = pager.Left(), y = pager.Y()](QPainter& p) {
            p.setPen(Qt::black);
            for (std::size_t i = 0; i < cells.size(); ++i)
                cells[i].Draw(p, left + static_cast<double>(i) * stop, y);
        },
        height);
}

void PutBlock(Pager& pager, const Block& block, const Block* next) {
    std::visit(
        [&](const auto& b) {
            using T = std::decay_t<decltype(b)>;
            if constexpr (std::is_same_v<T, Heading>) {
                PutHeading(pager, b, next ? StartHeight(pager, *next) : 0.0);
            } else if constexpr (std::is_same_v<T, Paragraph>) {
                PutParagraph(pager, b.Text, Font(9));
                pager.Skip(Px(4));
            } else if constexpr (std::is_same_v<T, FieldList>) {
                PutFields(pager, b);
                pager.Skip(Px(4));
            } else if constexpr (std::is_same_v<T, VerdictList>) {
                PutVerdicts(pager, b);
            } else if constexpr (std::is_same_v<T, Table>) {
                PutTable(pager, b);
                pager.Skip(Px(4));
            } else if constexpr (std::is_same_v<T, CurveChart>) {
                PutFigure(
                    pager, CurveAspect * pager.Width(), b.Caption,
                    [b](QPainter& p, const QRectF& r) { ReportCharts::PaintCurve(p, r, b, Dpi); });
            } else if constexpr (std::is_same_v<T, ShareChart>) {
                const double rows = static_cast<double>(b.Bars.size());
                PutFigure(
                    pager, Px(BarPt) * rows + Px(16), b.Caption,
                    [b](QPainter& p, const QRectF& r) { ReportCharts::PaintShares(p, r, b, Dpi); });
            } else if constexpr (std::is_same_v<T, LinePicture>) {
                PutFigure(pager, PictureAspect * pager.Width(), b.Caption,
                          [b](QPainter& p, const QRectF& r) {
                              ReportCharts::PaintLine(p, r, b.Shapes, Dpi);
                          });
            } else if constexpr (std::is_same_v<T, TextLines>) {
                for (const std::string& line : b.Lines)
                    PutTextLine(pager, line, Font(8.5));
            } else if constexpr (std::is_same_v<T, Signatures>) {
                PutSignatures(pager, b);
            } else if constexpr (std::is_same_v<T, PageBreak>) {
                if (!pager.PageEmpty())
                    pager.NewPage();
            }
        },
        block);
}

// The header block: title and page number, line and date, file and program.
void PaintHeader(QPainter& p, const Report& r, const PageGeometry& g, int page, int pages) {
    const double left = Px(g.Left), right = Px(g.Right), width = right - left;
    const QFont title = Font(10, true), small = Font(8);
    const QFontMetricsF tm(title, p.device()), sm(small, p.device());
    double y = Px(g.HeaderTop);
    const auto row = [&](const QFont& f, const QFontMetricsF& m, const QString& l,
                         const QString& rt) {
        p.setFont(f);
        p.setPen(Qt::black);
        const double rw = m.horizontalAdvance(rt);
        const QString lt = m.elidedText(l, Qt::ElideMiddle, width - rw - Px(12));
        p.drawText(QPointF(left, y + m.ascent()), lt);
        p.drawText(QPointF(right - rw, y + m.ascent()), rt);
        y += m.lineSpacing();
    };
    row(title, tm, Q(r.Title), QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    row(small, sm, QStringLiteral("Sample line: ") + Q(r.Head.LineName), Q(r.Head.DateTime));
    row(small, sm, QStringLiteral("File: ") + Q(r.Head.FilePath), Q(r.Head.Program));
    p.setPen(QPen(RuleColour, Px(0.5)));
    y += Px(2);
    p.drawLine(QPointF(left, y), QPointF(right, y));
}

} // namespace

QPageSize::PageSizeId PaperFor(const QLocale& locale) {
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Guatemala:
    case QLocale::CostaRica:
    case QLocale::Panama:
    case QLocale::PuertoRico:
    case QLocale::DominicanRepublic:
    case QLocale::ElSalvador:
    case QLocale::Nicaragua:
    case QLocale::Honduras:
        return QPageSize::Letter;
    default:
        return QPageSize::A4;
    }
}

PageGeometry GeometryOf(QPageSize::PageSizeId paper) {
    const QSizeF size = QPageSize(paper).size(QPageSize::Point);
    PageGeometry g;
    g.Width = size.width();
    g.Height = size.height();
    g.Left = 18 * MmPt;
    g.Right = g.Width - 18 * MmPt;
    g.HeaderTop = 12 * MmPt;
    g.BodyTop = g.HeaderTop + 42;
    g.Bottom = g.Height - 15 * MmPt;
    return g;
}

QString WriteReport(const Report& report, const QString& path, QPageSize::PageSizeId paper) {
    // Laid out in memory, then handed to the writer every file of the program goes
    // through: a failed export leaves whatever was there, a pipe or a device is
    // written into, a read-only file is refused.
    QByteArray bytes;
    QBuffer file(&bytes);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("The report could not be laid out: %1").arg(file.errorString());
    QPdfWriter writer(&file);
    writer.setResolution(Dpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setTitle(Q(report.Title + ": " + report.Head.LineName));
    writer.setCreator(Q(report.Head.Program));

    const PageGeometry g = GeometryOf(paper);
    Pager pager(&writer, g);
    // The first page opens with the line's name; the header names the report.
    const SetText title = Set(Q(report.Head.LineName.empty() ? report.Title : report.Head.LineName),
                              Font(15, true), pager.Width(), &writer);
    pager.Text(title);
    pager.Skip(Px(4));
    for (std::size_t i = 0; i < report.Blocks.size(); ++i)
        PutBlock(pager, report.Blocks[i],
                 i + 1 < report.Blocks.size() ? &report.Blocks[i + 1] : nullptr);

    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("The report could not be written to %1.").arg(path);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto& pages = pager.Pages();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage()) {
            painter.end();
            return QStringLiteral("The report could not be written to %1.").arg(path);
        }
        PaintHeader(painter, report, g, static_cast<int>(i) + 1, static_cast<int>(pages.size()));
        for (const auto& step : pages[i]) {
            painter.save();
            step(painter);
            painter.restore();
        }
    }
    if (!painter.end())
        return QStringLiteral("The report could not be written to %1.").arg(path);
    file.close();
    if (const auto error = FileIo::WriteFileAtomically(
            std::filesystem::path(path.toStdU16String()),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return QStringLiteral("The report could not be written to %1: %2")
            .arg(QString::fromStdString(TextSafety::Echo(path.toStdString())),
                 QString::fromStdString(error->Message));
    return {};
}

std::string Sha256Of(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex().toStdString();
}

Source SourceNow(const std::string& lineName, const std::string& filePath) {
    const QDateTime now = QDateTime::currentDateTime();
    Source s{lineName, filePath,
             now.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString() + " " +
                 now.timeZoneAbbreviation().toStdString()};
    if (!filePath.empty())
        s.Sha256 = Sha256Of(filePath);
    return s;
}

void ExportReportPdf(SessionUi& ui, const LodoModel& model, const std::string& lineName,
                     const std::string& filePath, const std::string& proposedName,
                     bool changedSinceSaved, const Design::DesignCase& design) {
    if (model.List.empty()) {
        ui.ShowMessage(std::string(LodoErrorText(9)));
        return;
    }
    ExportFile(ui, {"Export Report as PDF", ".pdf", "PDF documents|*.pdf", proposedName, true},
               QStringLiteral("pdf"), filePath, "The report", [&](const QString& path) {
                   Source source = SourceNow(lineName, filePath);
                   source.ChangedSinceSaved = changedSinceSaved;
                   source.Design = design;
                   return WriteReport(BuildReport(model, source), path,
                                      PaperFor(QLocale::system()));
               });
}

} // namespace ReportPdf

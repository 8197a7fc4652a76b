#include "ui/MainWindow.h"

#include "analysis/SizeResolvedText.h"
#include "analysis/ui/PenetrationCurveWindow.h"
#include "design/DesignVerdict.h"
#include "design/ui/DesignMapWindow.h"
#include "drawing/geometry/DrawSampleLine.h"
#include "drawing/view/LineView.h"
#include "gui/QtText.h"
#include "gui/StyledLabel.h"
#include "model/DisplaySink.h"
#include "report/core/ResultsReport.h"
#include "report/pdf/ReportPdf.h"
#include "report/print/LodoPrint.h"
#include "session/LodoSession.h"
#include "splitter/ui/SplitterCommand.h"
#include "studies/ui/StudyCommands.h"
#include "ui/CopyResults.h"
#include "ui/DesignCaseDialog.h"
#include "ui/DesignVerdictDetails.h"
#include "ui/DesignVerdictStrip.h"
#include "ui/EditorKeys.h"
#include "ui/GridColumnChooser.h"
#include "ui/GridModel.h"
#include "ui/GridSelection.h"
#include "ui/InputToolTips.h"
#include "ui/IntermediateValuesPane.h"
#include "ui/KeyboardMap.h"
#include "ui/LineStructureMenus.h"
#include "ui/ModelLimitsWindow.h"
#include "ui/PropertyPagesWidget.h"
#include "ui/QtSessionUi.h"
#include "ui/SplashWindow.h"
#include "ui/UserGuideWindow.h"
#include "ui/WallTemperaturePanel.h"
#include "ui/WindowPositionFile.h"
#include "version/ProgramVersion.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>
#include <QValidator>

namespace {

constexpr int ClientWidth = 1400;
constexpr int ClientHeight = 784;
constexpr int LeftWidth = 824;
constexpr int RightWidth = 568;
constexpr int TabControl1Width = 360;
constexpr int TabControl1MinWidth = 300;
constexpr double GridScale = 1.2;
constexpr double ComponentBarScale = 1.3;
constexpr int MaxRecentFiles = 8;
// Room for the window manager's frame and title bar around the client area.
const QMargins FrameAllowance(8, 32, 8, 8);

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent, double points = 0) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    if (points > 0) {
        QFont f = l->font();
        f.setPointSizeF(points);
        l->setFont(f);
    }
    return l;
}

QScrollArea* scrolling(QWidget* content) {
    auto* area = new QScrollArea;
    area->setObjectName(content->objectName() + QStringLiteral("Scroll"));
    area->setWidget(content);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return area;
}

void setBackground(QWidget* w, const QColor& c) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
}

// The largest point size, from `largest` down in half points to `smallest`, at
// which the whole text of a word-wrapping label fits its box.
void fitWrapped(QLabel* label, double largest, double smallest) {
    const QRect box = label->contentsRect();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    QFont f = label->font();
    for (double pt = largest; pt >= smallest; pt -= 0.5) {
        f.setPointSizeF(pt);
        const QRect need = QFontMetrics(f).boundingRect(QRect(0, 0, box.width(), 10000),
                                                        Qt::TextWordWrap, label->text());
        if (need.width() <= box.width() && need.height() <= box.height())
            break;
    }
    if (f != label->font())
        label->setFont(f);
}

// MaxPartSize: a long sentence in a strip as high as the line-name box; it wraps
// and gives up font size before it gives up words.
class WrappedFitLabel : public QLabel {
public:
    WrappedFitLabel(double largest, double smallest, QWidget* parent)
        : QLabel(parent), m_largest(largest), m_smallest(smallest) {
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // The layout gives the width; the text never widens the strip.
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    void fit() { fitWrapped(this, m_largest, m_smallest); }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QLabel::resizeEvent(e);
        fit();
    }

private:
    double m_largest;
    double m_smallest;
};

// The platform's bindings of a standard key, or the usual one where the platform
// has none (a plain X11 session binds no Save As, for one).
QList<QKeySequence> shortcutsFor(QKeySequence::StandardKey key, const char* fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys.append(QKeySequence(QString::fromLatin1(fallback), QKeySequence::PortableText));
    return keys;
}

// Refuses pasted text holding characters the key filter would not let through.
class EntryValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        // A comma goes in as typed, to be refused with a note on Enter: dropping it
        // would turn 2,5 into 25.
        for (const char32_t c : input.toUcs4())
            if (c != U',' && LodoSession::myNum(c))
                return Invalid;
        return Acceptable;
    }
};

// Keys that edit or move inside the box rather than insert a character.
bool isEditingKey(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier))
        return true;
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return e->text().isEmpty();
    }
}

// One step of the session's history on the window's undo stack. The session has
// already made the change when the step is pushed, so the first redo does nothing.
class SessionStep : public QUndoCommand {
public:
    SessionStep(LodoSession& session, const QString& text) : m_session(session) {
        // The Undo and Redo items would read an "&" (in a line's or a component's
        // name) as their shortcut mark; the history list shows the text as it is.
        QString action = text;
        action.replace(QLatin1Char('&'), QStringLiteral("&&"));
        setText(action == text ? text : text + QLatin1Char('\n') + action);
    }
    void undo() override { m_session.Undo(); }
    void redo() override {
        if (m_pushed)
            m_session.Redo();
        m_pushed = true;
    }

private:
    LodoSession& m_session;
    bool m_pushed = false;
};

// Renders without the widgets' changes being taken for the user's.
class RenderScope {
public:
    explicit RenderScope(int& depth) : m_depth(depth) { ++m_depth; }
    ~RenderScope() { --m_depth; }
    RenderScope(const RenderScope&) = delete;
    RenderScope& operator=(const RenderScope&) = delete;

private:
    int& m_depth;
};

} // namespace

MainWindow::MainWindow() : MainWindow(Options{}) {}

MainWindow::MainWindow(const Options& options, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TForm1"));
    // renderTitle names the file
    setWindowTitle(QString::fromStdString("Lodo Calculator, v " + ProgramVersion::Shown() + "[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/lodo/lodo-calculator.svg")));

    if (options.ui) {
        m_ui = options.ui;
    } else {
        m_ownUi = std::make_unique<QtSessionUi>(this);
        m_ui = m_ownUi.get();
    }
    m_session = std::make_unique<LodoSession>(*m_ui);
    m_studies = new StudyCommands(*m_session, *m_ui, this);
    m_positionFile =
        std::make_unique<WindowPositionFile>(options.positionFile, options.positionFallback);

    // The saved place, unless no screen shows it any more.
    QPoint topLeft = m_positionFile->readTopLeft();
    bool onScreen = false;
    for (const QScreen* s : QGuiApplication::screens())
        onScreen = onScreen || s->availableGeometry().contains(topLeft + QPoint(40, 20));
    if (!onScreen)
        topLeft = QPoint(10, 10);
    move(topLeft);

    if (options.showSplash) {
        SplashWindow splash;
        splash.exec();
    }

    buildLayout();
    // The classic size, but never larger than the screen the window opens on.
    const QScreen* screen = QGuiApplication::screenAt(topLeft + QPoint(40, 20));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect placed =
        FittedGeometry(QRect(topLeft, QSize(ClientWidth, ClientHeight)),
                       screen ? screen->availableGeometry() : QRect(), FrameAllowance);
    move(placed.topLeft());
    resize(placed.size());
    // Narrower than the classic window, the grid starts with its compact columns.
    GridColumnChooser::ApplyCompact(m_grid, placed.width() < ClientWidth);

    m_session->SetObserver([this](unsigned mask) { render(mask); });
    m_session->SetFileObserver([this](const std::string& path) {
        addRecentFile(qs(path));
        m_undo->setClean();
    });
    m_session->SetHistoryObserver(
        [this](LodoSession::HistoryChange change, const std::string& text) {
            if (change == LodoSession::HistoryChange::Reset)
                m_undo->clear();
            else
                m_undo->push(new SessionStep(*m_session, qs(text)));
        });
    connect(qApp, &QApplication::focusChanged, this, &MainWindow::onFocusChanged);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    for (QTimer* t : {m_timer1, m_timer2})
        t->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this,
            [this] { flash(m_pages->label8(), m_session->FlashText8()); });
    connect(m_timer2, &QTimer::timeout, this,
            [this] { flash(m_pages->label9(), m_session->FlashText9()); });
    m_timer1->start();
    m_timer2->start();

    // The keyboard: mnemonics and shortcuts from one table, F10 to the menu bar, the
    // grid as the selection, Ctrl+Z and the comma in the fields.
    KeyboardMap::Apply(this);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        if (!menuBar()->actions().isEmpty())
            menuBar()->setActiveAction(menuBar()->actions().first());
    });
    new EditorKeys(*m_session, m_pages, m_lineName, m_undo, this);
    SetInputToolTips(m_pages);
    m_gridSelection = new GridSelection(
        *m_session, m_grid, [this] { editCurrentComponent(); }, this);

    rebuildRecentMenu();
    refreshAll();
}

// Enter or a double-click on the grid: the current component's page takes the keyboard.
void MainWindow::editCurrentComponent() {
    const Page page = m_session->VisiblePage();
    if (page == Page::None)
        return;
    m_tabs->setCurrentIndex(0);
    QLineEdit* first = m_pages->box(InfoOf(page).FocusCycle.front());
    first->setFocus(Qt::ShortcutFocusReason);
    first->selectAll();
}

MainWindow::~MainWindow() {
    // The session may call back while it goes; nothing is rendered any more.
    m_session->SetObserver({});
    m_session->SetFileObserver({});
    m_session->SetHistoryObserver({});
    disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::onFocusChanged);
}

LodoSession& MainWindow::session() {
    return *m_session;
}

QRect MainWindow::FittedGeometry(const QRect& wanted, const QRect& available,
                                 const QMargins& frame) {
    if (available.isEmpty())
        return wanted;
    const QSize size = wanted.size().boundedTo(available.marginsRemoved(frame).size());
    // The position is the frame's: moved back only as far as needed to show whole.
    const QSize outer = size.grownBy(frame);
    const int x = std::clamp(wanted.x(), available.left(),
                             available.left() + available.width() - outer.width());
    const int y = std::clamp(wanted.y(), available.top(),
                             available.top() + available.height() - outer.height());
    return QRect(QPoint(x, y), size);
}

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

// ---- Layout -------------------------------------------------------------------

void MainWindow::buildLayout() {
    buildMainMenu();
    // The panes share the window through splitters, so that a small screen still
    // shows each of them whole and the user can give room where it is needed.
    auto* central = new QSplitter(Qt::Horizontal, this);
    central->setObjectName(QStringLiteral("MainSplitter"));
    setBackground(central, QColor(0xEE, 0xEE, 0xEE));
    central->setChildrenCollapsible(false);
    central->setHandleWidth(8);
    central->addWidget(buildLeftArea());
    central->addWidget(buildRightArea());
    central->setStretchFactor(0, LeftWidth);
    central->setStretchFactor(1, RightWidth);
    central->setSizes({LeftWidth, RightWidth});
    setCentralWidget(central);
}

QWidget* MainWindow::buildLeftArea() {
    auto* panel4 = new QWidget;
    panel4->setObjectName(QStringLiteral("Panel4"));
    auto* lay = new QVBoxLayout(panel4);
    lay->setContentsMargins(6, 0, 0, 6);
    lay->setSpacing(4);

    // Panel5: the line name.
    auto* panel5 = new QWidget(panel4);
    panel5->setObjectName(QStringLiteral("Panel5"));
    panel5->setFixedHeight(49);
    auto* nameLay = new QHBoxLayout(panel5);
    nameLay->setContentsMargins(4, 4, 4, 4);
    nameLay->setSpacing(10);
    nameLay->addWidget(
        makeLabel(QStringLiteral("Label5"), QStringLiteral("Transport System Name:"), panel5, 16));
    m_lineName = new QLineEdit(panel5);
    m_lineName->setObjectName(QStringLiteral("LineName"));
    m_lineName->setMinimumWidth(120);
    m_lineName->setMaximumWidth(312);
    m_lineName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // One undo step per entered name, not per keystroke.
    connect(m_lineName, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_session->TypeLineName(text.toStdString()); });
    connect(m_lineName, &QLineEdit::editingFinished, this, [this] {
        if (m_rendering == 0)
            m_session->EnterLineName();
    });
    nameLay->addWidget(m_lineName, 3);
    m_maxPartSize = new WrappedFitLabel(14, 8, panel5);
    m_maxPartSize->setObjectName(QStringLiteral("MaxPartSize"));
    setLabelColour(m_maxPartSize, Argb::Crimson);
    nameLay->addWidget(m_maxPartSize, 2);
    lay->addWidget(panel5);

    auto* body = new QSplitter(Qt::Horizontal, panel4);
    body->setObjectName(QStringLiteral("GridSplitter"));
    body->setChildrenCollapsible(false);
    body->setHandleWidth(6);

    // Grid1 and the notes below it.
    auto* gridPane = new QWidget(body);
    auto* gridColumn = new QVBoxLayout(gridPane);
    gridColumn->setContentsMargins(0, 0, 0, 0);
    gridColumn->setSpacing(6);
    m_gridModel = new GridModel(*m_session, this);
    m_grid = new QTableView(panel4);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setModel(m_gridModel);
    QFont gridFont = m_grid->font();
    gridFont.setPointSizeF(gridFont.pointSizeF() * GridScale);
    m_grid->setFont(gridFont);
    m_grid->setAlternatingRowColors(true);
    m_grid->setShowGrid(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Whole rows are selected and nothing is edited in place: Tab leaves the grid
    // rather than walking its cells unseen.
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->setMinimumWidth(200);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(int(25 * GridScale));
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < GridModel::ColumnCount; ++c)
        m_grid->setColumnWidth(c, int(GridModel::nominalWidth(c) * GridScale));
    GridColumnChooser::Install(m_grid);
    gridColumn->addWidget(m_grid, 1);

    auto* panel6 = new QWidget(panel4);
    panel6->setObjectName(QStringLiteral("Panel6"));
    auto* notes = new QVBoxLayout(panel6);
    notes->setContentsMargins(4, 2, 4, 2);
    notes->setSpacing(3);
    QLabel* heading = makeLabel(QStringLiteral("Label1"), QStringLiteral("Notes:"), panel6);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    notes->addWidget(heading);
    QLabel* note1 = makeLabel(
        QStringLiteral("Label2"),
        QStringLiteral(
            "1) The flow in Components with an \"*\" is in the transition range (Re 2100 to "
            "4000). The Transmission calculated for such components is an estimate based on "
            "selecting the best transmission using both the Laminar and the Turbulent models "),
        panel6);
    note1->setWordWrap(true);
    notes->addWidget(note1);
    m_lnStr1 = makeLabel(QStringLiteral("LNStr1"),
                         QStringLiteral("2) Values in the above Grid are based on the Mass "
                                        "Penetration for a LogNormal Distribution."),
                         panel6);
    m_lnStr1->setWordWrap(true);
    m_lnStr1->setVisible(false);
    notes->addWidget(m_lnStr1);
    m_lnStr3 = makeLabel(
        QStringLiteral("LNStr3"),
        QStringLiteral("3) In log-normal mode the Transmission of a tube or an inlet is its mass "
                       "penetration integrated up to the largest size the component before it "
                       "transmits, and that of a bend, contraction or expansion its transmission "
                       "at the mass median diameter. Their product is not the aerosol's "
                       "penetration: the design verdict and the size-resolved line are."),
        panel6);
    m_lnStr3->setWordWrap(true);
    m_lnStr3->setVisible(false);
    notes->addWidget(m_lnStr3);
    gridColumn->addWidget(panel6);
    body->addWidget(gridPane);

    // TabControl1: the component's page and the intermediate values.
    m_tabs = new QTabWidget(panel4);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setMinimumWidth(TabControl1MinWidth);
    m_tabs->tabBar()->setMinimumHeight(30);
    m_tabs->tabBar()->setExpanding(false);

    auto* component = new QWidget;
    component->setObjectName(QStringLiteral("Component"));
    auto* compLay = new QVBoxLayout(component);
    compLay->setContentsMargins(4, 6, 4, 4);
    compLay->setSpacing(6);
    m_nodeNameL = makeLabel(QStringLiteral("NodeNameL"), QString(), component, 14);
    m_nodeNameL->setTextFormat(Qt::PlainText); // a component's name, as its file gives it
    compLay->addWidget(m_nodeNameL);
    m_pages = new PropertyPagesWidget(component);
    m_pages->setVisible(false);
    compLay->addWidget(m_pages, 1);
    compLay->addStretch(0);
    // A page taller than a small screen scrolls rather than being cut.
    m_tabs->addTab(scrolling(component), QStringLiteral("Component"));

    m_values = new IntermediateValuesPane;
    m_values->setObjectName(QStringLiteral("InterValues"));
    QScrollArea* values = scrolling(m_values);
    m_tabs->addTab(values, QStringLiteral("Intermediate Values"));
    // The columns of intermediate values are wider than the nominal tab once the
    // pane's margins and a scroll bar are counted; narrower, their right edge and
    // the ends of the wrapped notes would lie out of sight, as nothing scrolls
    // sideways.
    values->setMinimumWidth(
        m_values->minimumSizeHint().width() +
        values->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, values));
    m_tabs->setMinimumWidth(std::max(TabControl1MinWidth, m_tabs->minimumSizeHint().width()));
    m_tabs->setCurrentIndex(0);
    body->addWidget(m_tabs);
    body->setStretchFactor(0, 1);
    body->setStretchFactor(1, 0);
    body->setSizes({LeftWidth - TabControl1Width, TabControl1Width});

    lay->addWidget(body, 1);
    connectPages();
    return panel4;
}

QWidget* MainWindow::buildTotalsStrip() {
    auto* panel1 = new QWidget;
    m_totals = panel1;
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(40);
    setBackground(panel1, QColor(0xF7, 0xF7, 0xF7));
    auto* lay = new QHBoxLayout(panel1);
    lay->setContentsMargins(8, 2, 8, 2);
    lay->setSpacing(6);
    m_labelPent = makeLabel(QStringLiteral("LabelPent"),
                            QStringLiteral("Total System Penetration (%)"), panel1, 14);
    m_systemT = makeLabel(QStringLiteral("SystemT"), QString(), panel1, 14);
    m_labelANSI1 =
        makeLabel(QStringLiteral("LabelANSI1"), QStringLiteral("ANSI Limit: > 50%"), panel1, 14);
    setLabelColour(m_labelANSI1, Argb::DarkBlue);
    m_massPent = makeLabel(QStringLiteral("MassPent"), QString(), panel1, 14);
    setLabelColour(m_massPent, Argb::DarkBlue);
    lay->addWidget(m_labelPent);
    lay->addWidget(m_systemT);
    lay->addStretch(1);
    lay->addWidget(m_labelANSI1);
    lay->addWidget(m_massPent);
    return panel1;
}

// The four texts of the totals strip share one point size, the largest (up to 14)
// at which all of them show whole side by side: the log-normal captions and values
// are much longer than the mono ones.
void MainWindow::fitTotalsStrip() {
    const QLabel* labels[] = {m_labelPent, m_systemT, m_labelANSI1, m_massPent};
    const QHBoxLayout* lay = static_cast<QHBoxLayout*>(m_totals->layout());
    const QMargins m = lay->contentsMargins();
    const int minimumGap = 16; // between the penetration and the limit
    // The strip's width follows the splitter; before the first layout, the default.
    const int width =
        m_totals->width() > 0 && m_totals->isVisible() ? m_totals->width() : RightWidth - 6;
    const int available = width - m.left() - m.right() - 3 * lay->spacing() - minimumGap;
    QFont f = m_labelPent->font();
    for (double pt = 14; pt >= 8; pt -= 0.5) {
        f.setPointSizeF(pt);
        const QFontMetrics fm(f);
        int width = 0;
        for (const QLabel* l : labels)
            width += fm.horizontalAdvance(l->text());
        if (width <= available)
            break;
    }
    for (QLabel* l : {m_labelPent, m_systemT, m_labelANSI1, m_massPent}) {
        QFont lf = l->font(); // keeps the value's underline
        lf.setPointSizeF(f.pointSizeF());
        if (lf != l->font())
            l->setFont(lf);
    }
}

QWidget* MainWindow::buildRightArea() {
    auto* image = new QWidget;
    image->setObjectName(QStringLiteral("ImagePanel"));
    auto* lay = new QVBoxLayout(image);
    lay->setContentsMargins(0, 0, 6, 6);
    lay->setSpacing(4);
    lay->addWidget(buildTotalsStrip());
    m_totals->installEventFilter(this); // refits its texts when the splitter moves
    m_verdictStrip = new DesignVerdictStrip(image);
    connect(m_verdictStrip, &DesignVerdictStrip::detailsRequested, this,
            [this] { ShowDesignVerdictDetails(this, m_verdictStrip->verdict()); });
    lay->addWidget(m_verdictStrip);
    // Beside the specified totals, not among them: the exact distribution result
    // and the cut size.
    auto* sizeResolved = new WrappedFitLabel(11, 7, image);
    m_sizeResolved = sizeResolved;
    m_sizeResolved->setObjectName(QStringLiteral("SizeResolvedT"));
    m_sizeResolved->setFixedHeight(22);
    m_sizeResolved->setContentsMargins(8, 0, 8, 0);
    setLabelColour(m_sizeResolved, Argb::DarkBlue);
    lay->addWidget(m_sizeResolved);
    buildComponentMenu();
    lay->addWidget(m_componentBar);
    // All six component commands stay in sight, however narrow the pane.
    image->setMinimumWidth(m_componentBar->sizeHint().width() + 6);

    // Viewport3D1: the drawing fills this panel through its layout.
    m_viewPanel = new QWidget(image);
    m_viewPanel->setObjectName(QStringLiteral("Viewport3D1"));
    setBackground(m_viewPanel, QColor(0xF5, 0xF5, 0xF5)); // whitesmoke
    auto* viewLay = new QVBoxLayout(m_viewPanel);
    viewLay->setContentsMargins(0, 0, 0, 0);
    // What the drawing could not draw as entered (a part inclined against the bend
    // before it), said once above the view while the line holds it.
    m_drawingNote = new QLabel(m_viewPanel);
    m_drawingNote->setObjectName(QStringLiteral("DrawingFindings"));
    m_drawingNote->setWordWrap(true);
    m_drawingNote->setTextFormat(Qt::PlainText);
    m_drawingNote->setContentsMargins(6, 2, 6, 2);
    setLabelColour(m_drawingNote, Argb::Red);
    m_drawingNote->setVisible(false);
    viewLay->addWidget(m_drawingNote);
    m_lineView = new LineView(m_viewPanel);
    viewLay->addWidget(m_lineView);
    lay->addWidget(m_viewPanel, 1);
    return image;
}

void MainWindow::buildComponentMenu() {
    m_componentBar = new QMenuBar;
    m_componentBar->setObjectName(QStringLiteral("MenuBar2"));
    m_componentBar->setNativeMenuBar(false);
    QFont f = m_componentBar->font();
    f.setPointSizeF(f.pointSizeF() * ComponentBarScale);
    m_componentBar->setFont(f);
    struct Item {
        const char* name;
        const char* text;
        void (LodoSession::*command)();
    };
    static constexpr Item items[] = {
        {"TubeMenu", "Tube", &LodoSession::TubeMenuClick},
        {"BendMenu", "Bend", &LodoSession::BendMenuClick},
        {"ContractMenu", "Contraction", &LodoSession::ContractMenuClick},
        {"ExpandMenu", "Expansion", &LodoSession::ExpandMenuClick},
        {"ShroudMenu", "Shroud Probe", &LodoSession::ShroudMenuClick},
        {"NozzleMenu", "Nozzle", &LodoSession::NozzleMenuClick},
    };
    for (const Item& item : items) {
        QAction* a = m_componentBar->addAction(QString::fromLatin1(item.text));
        a->setObjectName(QString::fromLatin1(item.name));
        const auto command = item.command;
        connect(a, &QAction::triggered, this, [this, command] { (m_session.get()->*command)(); });
    }
}

void MainWindow::buildMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar1"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("MenuItemFile"));
    add(file, "NewLine", QStringLiteral("New Sample Line"), &MainWindow::onNewLine)
        ->setShortcuts(shortcutsFor(QKeySequence::New, "Ctrl+N"));
    add(file, "OpenFile", QStringLiteral("Open File"), &MainWindow::onOpen)
        ->setShortcuts(shortcutsFor(QKeySequence::Open, "Ctrl+O"));
    add(file, "MenuItemPreOpen", QStringLiteral("Open Pre V2 File"), &MainWindow::onOpenPre);
    m_recentMenu = file->addMenu(QStringLiteral("Recent Files"));
    m_recentMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
    file->addSeparator();
    add(file, "MenuItemSave", QStringLiteral("Save"), &MainWindow::onSave)
        ->setShortcuts(shortcutsFor(QKeySequence::Save, "Ctrl+S"));
    add(file, "MenuItemSaveAs", QStringLiteral("Save As"), &MainWindow::onSaveAs)
        ->setShortcuts(shortcutsFor(QKeySequence::SaveAs, "Ctrl+Shift+S"));
    file->addSeparator();
    add(file, "ExportReportPdf", QStringLiteral("Export Report as PDF..."),
        &MainWindow::onExportReportPdf);
    add(file, "ExportDrawingPng", QStringLiteral("Export Drawing as PNG..."),
        &MainWindow::onExportDrawingPng);
    QMenu* print = file->addMenu(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("MenuItemPrint"));
    add(print, "MenuItemDraw", QStringLiteral("Drawing"), &MainWindow::onPrintDrawing);
    add(print, "MenuItemResult", QStringLiteral("Results"), &MainWindow::onPrintResults);
    file->addSeparator();
    QAction* exitAction = file->addAction(QStringLiteral("Exit"));
    exitAction->setObjectName(QStringLiteral("MenuItemExit"));
    exitAction->setShortcuts(shortcutsFor(QKeySequence::Quit, "Ctrl+Q"));
    exitAction->setMenuRole(QAction::QuitRole);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("MenuItemEdit"));
    // Undo and redo walk the session's history; the stack names its steps.
    m_undo = new QUndoStack(this);
    m_undo->setObjectName(QStringLiteral("UndoStack"));
    QAction* undo = m_undo->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("MenuItemUndo"));
    undo->setShortcuts(shortcutsFor(QKeySequence::Undo, "Ctrl+Z"));
    edit->addAction(undo);
    QAction* redo = m_undo->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("MenuItemRedo"));
    redo->setShortcuts(shortcutsFor(QKeySequence::Redo, "Ctrl+Shift+Z"));
    edit->addAction(redo);
    add(edit, "MenuItemUndoHistory", QStringLiteral("Undo History"), &MainWindow::onUndoHistory);
    edit->addSeparator();
    add(edit, "MenuItemEditComp", QStringLiteral("Edit Component"),
        [this] { m_session->MenuItemEditCompClick(); });
    add(edit, "MenuItemMoveComp", QStringLiteral("Move Component"),
        [this] { m_session->MenuItemMoveCompClick(); });
    add(edit, "MenuItemDelComp", QStringLiteral("Delete Component"),
        [this] { m_session->MenuItemDelCompClick(); });
    AddLineStructureMenus(edit, *m_session, this);
    edit->addSeparator();
    add(edit, "MenuItemCopyResults", QStringLiteral("Copy Results"), [this] {
        if (m_session->EnterPendingValue()) {
            CopyResults(*m_session);
            statusBar()->showMessage(QStringLiteral("Results copied as tab-separated text"), 5000);
        }
    });

    auto addHeader = [&](const char* name, const QString& text, auto slot) {
        QAction* a = bar->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    addHeader("MenuItemDist", QStringLiteral("Distribution"), &MainWindow::onDistribution);
    QMenu* studies = bar->addMenu(QStringLiteral("Studies"));
    studies->setObjectName(QStringLiteral("MenuStudies"));
    add(studies, "MenuVary", QStringLiteral("Vary Parameters"), &MainWindow::onVaryParameters);
    add(studies, "MenuModelLimits", QStringLiteral("Model limits"),
        [this] { MenuModelLimitsClick(this, *m_session); });
    add(studies, "MenuPenetrationCurve", QStringLiteral("Penetration Curve"),
        &MainWindow::onPenetrationCurve)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C"), QKeySequence::PortableText));
    add(studies, "MenuDesignMap", QStringLiteral("Design Map"), &MainWindow::onDesignMap)
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+M"), QKeySequence::PortableText));
    QMenu* design = bar->addMenu(QStringLiteral("Design"));
    design->setObjectName(QStringLiteral("MenuDesign"));
    add(design, "MenuDesignCase", QStringLiteral("Design Case..."), [this] {
        if (m_session->EnterPendingValue())
            MenuDesignCaseClick(this, *m_session);
    });
    add(design, "MenuDesignVerdict", QStringLiteral("Verdict at Every Point..."),
        [this] { ShowDesignVerdictDetails(this, m_verdictStrip->verdict()); });
    addHeader("MenuItemWye", QStringLiteral("Splitter"), &MainWindow::onSplitter);
    addHeader("MenuRedraw", QStringLiteral("Redraw"), &MainWindow::onRedraw);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("MenuItemHelp"));
    add(help, "MenuUserGuide", QStringLiteral("User Guide"), [this] { ShowUserGuide(this); });
    add(help, "MenuItemAbout", QStringLiteral("About"), &MainWindow::onAbout)
        ->setMenuRole(QAction::AboutRole);
}

void MainWindow::connectPages() {
    auto* validator = new EntryValidator(this);
    for (const BoxInfo& info : Boxes) {
        QLineEdit* box = m_pages->box(info.Id);
        box->setValidator(validator);
        box->installEventFilter(this);
        const Box b = info.Id;
        connect(box, &QLineEdit::textEdited, this,
                [this, b](const QString& text) { m_session->SetBoxText(b, text.toStdString()); });
        if (info.Unit == Quantity::None || !info.Focusable)
            continue;
        connect(m_pages->metricButton(b), &QRadioButton::clicked, this,
                [this, b] { onUnitClicked(b, false); });
        connect(m_pages->englishButton(b), &QRadioButton::clicked, this,
                [this, b] { onUnitClicked(b, true); });
    }
    for (int i = 0; i < int(ProbeButtons.size()); ++i)
        connect(m_pages->probeButton(i), &QRadioButton::clicked, this, [this, i] {
            m_session->ProbeSelect(i);
            renderPage();
        });
    for (const Page page : {Page::Tube, Page::Bend}) {
        WallTemperaturePanel* wall = m_pages->wallTemp(page);
        connect(wall, &WallTemperaturePanel::changed, this,
                [this, wall](std::optional<double> value, const QString& unit) {
                    if (!m_session->SetWallTemp(m_session->Ctx().CurrRow - 1, value,
                                                unit.toStdString()))
                        wall->edit()->setFocus(Qt::OtherFocusReason);
                    renderPage();
                });
        connect(wall, &WallTemperaturePanel::notANumber, this, [this, wall] {
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("The wall temperature must be a number."));
            wall->edit()->setFocus(Qt::OtherFocusReason);
        });
    }
}

// ---- Events the user makes ------------------------------------------------------

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_totals && event->type() == QEvent::Resize)
        fitTotalsStrip();
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const std::optional<Box> box = m_pages->boxOf(watched);
    if (!box)
        return QMainWindow::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    std::optional<EditKey> move;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        move = EditKey::Enter;
        break;
    case Qt::Key_Down:
        move = EditKey::Down;
        break;
    case Qt::Key_Up:
        move = EditKey::Up;
        break;
    default:
        break;
    }
    if (move) {
        m_session->BoxKey(*box, *move);
        // The focus stays when the entry was refused; render puts it where the session says.
        applyFocus();
        return true;
    }
    if (isEditingKey(key))
        return false;
    for (const char32_t c : key->text().toUcs4())
        if (LodoSession::myNum(c))
            return true; // a disallowed character is never inserted
    return false;
}

void MainWindow::onFocusChanged(QWidget* old, QWidget* now) {
    // Only the user's own moves inside this window: not ours, not window activation,
    // not a dialog or pop-up taking the focus for a while.
    if (m_rendering > 0 || m_closing || !now || now->window() != this)
        return;
    // Qt passes the focus on by itself when the widget holding it is hidden, as when
    // the Component tab gives way to the intermediate values: the user has left the
    // box but chosen nothing. Taken as a choice, the line name would be asked to
    // take the focus and the tab would be turned back in the middle of the switch.
    if (old && old->window() == this && !old->isVisible()) {
        m_session->FocusBox(std::nullopt);
        return;
    }
    if (const std::optional<Box> b = m_pages->boxOf(now)) {
        m_session->FocusBox(*b);
        return;
    }
    if (now == m_lineName) {
        m_session->FocusLineName();
        return;
    }
    m_session->FocusBox(std::nullopt);
}

void MainWindow::onUnitClicked(Box b, bool english) {
    m_session->SwitchUnit(InfoOf(b).Unit, english ? UnitChoice::English : UnitChoice::Metric);
    renderPage(); // the pair shows the session's unit even when nothing changed
}

void MainWindow::flash(QLabel* label, bool flag) {
    if (!flag) {
        setLabelColour(label, Argb::Black);
        return;
    }
    setLabelColour(label, labelColour(label) == Argb::Red ? Argb::Blue : Argb::Red);
}

// ---- Rendering ------------------------------------------------------------------

void MainWindow::refreshAll() {
    render(RefreshAll);
}

void MainWindow::render(unsigned mask) {
    RenderScope scope(m_rendering);
    if (mask & RefreshGrid) {
        m_gridModel->refresh();
        m_grid->setColumnHidden(GridModel::ThermophoresisColumn,
                                !m_gridModel->anyWallTemperature());
    }
    if (mask & RefreshTotals)
        renderTotals();
    if (mask & RefreshLabels)
        renderLabels();
    if (mask & (RefreshTotals | RefreshLabels))
        fitTotalsStrip();
    if (mask & RefreshPage)
        renderPage();
    if (mask & RefreshDrawing)
        onDrawingChanged();
    // A new line and a refused inlet leave the user on the component's page.
    if (mask & RefreshComponentTab)
        m_tabs->setCurrentIndex(0);
    if (m_gridSelection && (mask & (RefreshGrid | RefreshPage)))
        m_gridSelection->sync();
    renderTitle();
    emit rendered(mask);
}

void MainWindow::renderTitle() {
    setWindowTitle(qs(m_session->WindowTitle()));
    setWindowModified(m_session->IsModified());
}

void MainWindow::renderTotals() {
    const DisplaySink& d = m_session->Model().Display;
    applyStyledText(m_systemT, d.SystemT);
    m_massPent->setText(qs(d.MassPent));
    m_verdictStrip->showVerdict(Design::DesignVerdict(m_session->List(), m_session->DesignCase()));
    m_sizeResolved->setText(
        qs(Analysis::StripLine(Analysis::SizeResolvedOf(m_session->Model()),
                               m_session->Ctx().DType == Distribution::LogNormal)));
    static_cast<WrappedFitLabel*>(m_sizeResolved)->fit();
    m_maxPartSize->setText(qs(d.MaxPartSize));
    static_cast<WrappedFitLabel*>(m_maxPartSize)->fit();
    applyStyledText(m_pages->curveR(), d.CurveR);
    m_pages->crError()->setVisible(d.CRErrorVisible);
    applyStyledText(m_pages->labelNozAsp(), d.LabelNozAsp);
    applyStyledText(m_pages->labelShrAsp(), d.LabelShrAsp);
    m_values->render(d);
    m_values->renderLimits(m_session->Model());
}

void MainWindow::renderLabels() {
    const QString name = qs(m_session->LineNameShown());
    if (m_lineName->text() != name)
        m_lineName->setText(name);
    m_labelPent->setText(qs(m_session->LabelPent()));
    m_labelANSI1->setText(qs(m_session->LabelANSI1()));
    m_lnStr1->setVisible(m_session->LNStrVisible());
    m_lnStr3->setVisible(m_session->LNStrVisible());
    m_values->setLogNormalNoteVisible(m_session->LNStrVisible());
}

void MainWindow::renderPage() {
    RenderScope scope(m_rendering);
    const Page page = m_session->VisiblePage();
    if (page != m_pages->shownPage()) {
        // Hiding the page that holds the focus would hand it to the next widget of
        // the chain, possibly the 3-D view, whose window then takes the keyboard from
        // this one. Park it where it stays until the new box takes it.
        const QWidget* f = QApplication::focusWidget();
        if (f && m_pages->isAncestorOf(f)) {
            if (page != Page::None)
                m_pages->tabBar()->setFocus(Qt::OtherFocusReason);
            else
                m_grid->setFocus(Qt::OtherFocusReason);
        }
    }
    m_pages->showOnly(page);
    m_nodeNameL->setText(qs(m_session->NodeNameL()));
    m_pages->label8()->setText(qs(m_session->Label8()));
    m_pages->label9()->setText(qs(m_session->Label9()));
    if (page != Page::None) {
        const std::optional<Box> focused = m_session->FocusedBox();
        for (const BoxInfo& row : InfoOf(page).Rows) {
            QLineEdit* box = m_pages->box(row.Id);
            const QString text = qs(m_session->BoxText(row.Id));
            if (box->text() != text) {
                box->setText(text);
                if (focused == row.Id)
                    box->selectAll(); // typing replaces the value shown
            }
            if (row.Unit == Quantity::None)
                continue;
            const UnitChoice choice = m_session->UnitButton(row.Unit);
            QRadioButton* metric = m_pages->metricButton(row.Id);
            QRadioButton* english = m_pages->englishButton(row.Id);
            QButtonGroup* group = metric->group();
            const bool exclusive = group->exclusive();
            group->setExclusive(false);
            metric->setChecked(choice == UnitChoice::Metric);
            english->setChecked(choice == UnitChoice::English);
            group->setExclusive(exclusive);
        }
        const int edited = m_session->Ctx().CurrRow - 1;
        if (WallTemperaturePanel* wall = m_pages->wallTemp(page);
            wall && edited >= 0 && edited < m_session->Count())
            wall->showRecord(m_session->List()[std::size_t(edited)]);
        if (page == Page::Shroud) {
            const int probe = m_session->CheckedProbe();
            QButtonGroup* group = m_pages->probeButton(0)->group();
            group->setExclusive(false);
            for (int i = 0; i < int(ProbeButtons.size()); ++i)
                m_pages->probeButton(i)->setChecked(i == probe);
            group->setExclusive(true);
        }
    }
    applyFocus();
}

void MainWindow::applyFocus() {
    RenderScope scope(m_rendering);
    if (const std::optional<Box> b = m_session->FocusedBox()) {
        m_tabs->setCurrentIndex(0);
        QLineEdit* box = m_pages->box(*b);
        if (!box->hasFocus()) {
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        }
    } else if (m_session->LineNameFocused()) {
        m_tabs->setCurrentIndex(0);
        if (!m_lineName->hasFocus())
            m_lineName->setFocus(Qt::OtherFocusReason);
    }
}

// ---- File menu -------------------------------------------------------------------

void MainWindow::onNewLine() {
    m_session->NewLineClick();
}

// The session reports every file it writes or reads to the recent files.
void MainWindow::onOpen() {
    m_session->LodoX();
}

void MainWindow::onOpenPre() {
    m_session->MenuItemPreOpenClick();
}

void MainWindow::onSave() {
    m_session->MenuItemSaveClick1();
}

void MainWindow::onSaveAs() {
    m_session->MenuItemSaveAsClick1();
}

bool MainWindow::openPath(const QString& path) {
    const bool opened = m_session->OpenFile(toPath(path));
    if (!opened && !QFileInfo::exists(path)) {
        QStringList recent = m_positionFile->readRecentFiles();
        if (recent.removeAll(QFileInfo(path).absoluteFilePath()) > 0) {
            m_positionFile->writeRecentFiles(recent);
            rebuildRecentMenu();
        }
    }
    return opened;
}

void MainWindow::addRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = m_positionFile->readRecentFiles();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > MaxRecentFiles)
        recent.removeLast();
    m_positionFile->writeRecentFiles(recent);
    rebuildRecentMenu();
}

void MainWindow::rebuildRecentMenu() {
    m_recentMenu->clear();
    const QStringList recent = m_positionFile->readRecentFiles();
    QStringList names;
    for (const QString& path : recent)
        names << QFileInfo(path).fileName();
    const QFontMetrics fm(m_recentMenu->font());
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = QDir::toNativeSeparators(recent.at(i));
        // The name alone where it tells the files apart; the folder too where it
        // does not, shortened in the middle so the menu stays narrow.
        QString text =
            names.count(names.at(i)) > 1 ? fm.elidedText(path, Qt::ElideMiddle, 480) : names.at(i);
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(text));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, file = recent.at(i)] { openPath(file); });
    }
    m_recentMenu->setEnabled(!recent.isEmpty());
}

void MainWindow::onUndoHistory() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("UndoHistory"));
    dialog.setWindowTitle(QStringLiteral("Undo History"));
    auto* lay = new QVBoxLayout(&dialog);
    auto* view = new QUndoView(m_undo, &dialog);
    view->setEmptyLabel(QStringLiteral("<line as opened or started>"));
    lay->addWidget(view);
    auto* close = new QPushButton(QStringLiteral("Close"), &dialog);
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    lay->addWidget(close, 0, Qt::AlignRight);
    dialog.resize(420, 360);
    dialog.exec();
}

void MainWindow::onAbout() {
    // Three lines, as specified: the version number and build id join the copyright.
    m_ui->ShowMessage(
        ProgramVersion::Title() + "\n" +
        "        Copyright (c) 2026 the Lodo Calculator developers (" + ProgramVersion::Number() +
        ", " +
        (ProgramVersion::BuildId().empty() ? std::string("not built from a checkout")
                                           : "build " + ProgramVersion::BuildId()) +
        ")\n"
        "        Written by the Lodo Calculator team for the design of aerosol sampling lines");
}

// Exit and the close box: the save question when the line has changed, then the
// window position. A position file that cannot be written never keeps the user in.
bool MainWindow::confirmExit() {
    if (!m_session->MenuItemExitClick())
        return false;
    m_positionFile->writeTopLeft(pos());
    return true;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    applyFocus(); // the focus asked for before the window was up
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closing || confirmExit()) {
        m_closing = true;
        event->accept();
        return;
    }
    event->ignore();
}

// ==== Commands of the other windows ===============================================
// Enabled from the start: the ones that need components say so on an empty line.

static ReportResult buildReport(const LodoSession& s) {
    return BuildPr(s.List(), s.LineName(), s.Model().Display.SystemT.Text);
}

void MainWindow::onDistribution() {
    if (!m_session->EnterPendingValue())
        return;
    m_studies->MenuItemDistClick();
}

void MainWindow::onVaryParameters() {
    if (!m_session->EnterPendingValue())
        return;
    m_studies->MenuVaryClick();
}

void MainWindow::onPenetrationCurve() {
    if (!m_session->EnterPendingValue())
        return;
    if (!m_curve) {
        m_curve = new PenetrationCurveWindow(*m_session, this);
        connect(this, &MainWindow::rendered, m_curve, &PenetrationCurveWindow::sessionChanged);
    }
    m_curve->bringToFront();
}

void MainWindow::onDesignMap() {
    if (!m_session->EnterPendingValue())
        return;
    if (!m_designMap) {
        m_designMap = new DesignMapWindow(*m_session, this);
        connect(this, &MainWindow::rendered, m_designMap, &DesignMapWindow::sessionChanged);
    }
    m_designMap->bringToFront();
}

void MainWindow::onSplitter() {
    MenuItemWyeClick(this, *m_session);
}

void MainWindow::onPrintDrawing() {
    if (!m_session->EnterPendingValue())
        return;
    LodoPrint::MenuItemDrawClick(this, *m_ui, m_lineView->CaptureFramed());
}

void MainWindow::onPrintResults() {
    if (!m_session->EnterPendingValue())
        return;
    LodoPrint::MenuItemResultClick(this, *m_ui, buildReport(*m_session));
}

void MainWindow::onRedraw() {
    m_lineView->MenuRedrawClick();
}

void MainWindow::onExportReportPdf() {
    if (!m_session->EnterPendingValue())
        return;
    ReportPdf::ExportReportPdf(
        *m_ui, m_session->Model(), m_session->LineName(), m_session->DFileName(),
        LodoPrint::ProposedName(m_session->DFileName(), m_session->LineName(), ".pdf"),
        m_session->IsModified(), m_session->DesignCase());
}

void MainWindow::onExportDrawingPng() {
    if (!m_session->EnterPendingValue())
        return;
    LodoPrint::ExportDrawingPng(
        *m_ui, m_lineView->CaptureFramed(), m_session->DFileName(),
        LodoPrint::ProposedName(m_session->DFileName(), m_session->LineName(), ".png"));
}

// The line's geometry changed (or the drawing was hidden by a new line).
void MainWindow::onDrawingChanged() {
    QStringList findings;
    if (m_session->DrawingVisible()) {
        m_lineView->DrawSampleLine(m_session->List());
        for (const Drawing::GeometryFinding& f :
             Drawing::DrawSampleLine(m_session->List()).Findings)
            findings << qs(f.Text);
    } else {
        m_lineView->HideModel();
    }
    m_drawingNote->setText(findings.join(QLatin1Char('\n')));
    m_drawingNote->setVisible(!findings.isEmpty());
}

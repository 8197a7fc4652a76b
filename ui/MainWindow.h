#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class DesignVerdictStrip;
class GridModel;
class GridSelection;
class IntermediateValuesPane;
class LineView;
class LodoSession;
class PenetrationCurveWindow;
class DesignMapWindow;
class PropertyPagesWidget;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTableView;
class QTimer;
class QUndoStack;
class SessionUi;
class StudyCommands;
class WindowPositionFile;
enum class Box;

// TForm1: the main window. Thin: it forwards the user's commands, typing, keys,
// focus changes and clicks to the session and renders what the session exposes.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        bool showSplash = true;
        // Null: real dialogs. Tests pass a scripted one; it must outlive the window.
        SessionUi* ui = nullptr;
        // Empty: "<executable>.INI", or the user's configuration folder.
        QString positionFile;
        QString positionFallback;
    };

    MainWindow();
    explicit MainWindow(const Options& options, QWidget* parent = nullptr);
    ~MainWindow() override;

    LodoSession& session();
    // Where a window goes that wants the client size of `wanted` with its frame at
    // `wanted`'s top left, on a screen whose free area is `available`, `frame` being
    // the window manager's border: no larger than the screen, and moved only as far
    // as needed to show whole. Returns the frame's position and the client size.
    static QRect FittedGeometry(const QRect& wanted, const QRect& available, const QMargins& frame);
    QWidget* viewPanel() const { return m_viewPanel; }
    // Renders everything the session shows.
    void refreshAll();
    // Opens a file given by path (command line, recent files).
    bool openPath(const QString& path);

    // Widgets and actions the other windows and the tests reach.
    QTableView* grid() const { return m_grid; }
    GridModel* gridModel() const { return m_gridModel; }
    PropertyPagesWidget* pages() const { return m_pages; }
    QTabWidget* tabControl1() const { return m_tabs; }
    QMenuBar* componentMenuBar() const { return m_componentBar; }
    LineView* lineView() const { return m_lineView; }
    StudyCommands& studyCommands() const { return *m_studies; }
    // By object name, as the tests know the actions.
    QAction* action(const QString& objectName) const;
    QUndoStack* undoStack() const { return m_undo; }

signals:
    // After every render of the session's state (the penetration curve follows it).
    void rendered(unsigned mask);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    QWidget* buildLeftArea();
    QWidget* buildRightArea();
    QWidget* buildTotalsStrip();
    void fitTotalsStrip();
    void buildMainMenu();
    void buildComponentMenu();
    void connectPages();

    void render(unsigned mask);
    void renderPage();
    void renderTotals();
    void renderLabels();
    void renderTitle();
    void applyFocus();

    void onFocusChanged(QWidget* old, QWidget* now);
    void editCurrentComponent();
    void onUnitClicked(Box b, bool english);
    void flash(QLabel* label, bool flag);

    // File menu.
    void onNewLine();
    void onOpen();
    void onOpenPre();
    void onSave();
    void onSaveAs();
    void onAbout();
    void onUndoHistory();
    void addRecentFile(const QString& path);
    void rebuildRecentMenu();
    bool confirmExit();

    // ---- Commands of the other windows (see the end of MainWindow.cpp) -------
    void onDistribution();
    void onVaryParameters();
    void onPenetrationCurve();
    void onDesignMap();
    void onSplitter();
    void onPrintDrawing();
    void onPrintResults();
    void onRedraw();
    void onExportReportPdf();
    void onExportDrawingPng();
    void onDrawingChanged();

    std::unique_ptr<SessionUi> m_ownUi;
    SessionUi* m_ui = nullptr;
    std::unique_ptr<LodoSession> m_session;
    std::unique_ptr<WindowPositionFile> m_positionFile;

    GridModel* m_gridModel = nullptr;
    GridSelection* m_gridSelection = nullptr;
    QTableView* m_grid = nullptr;
    QTabWidget* m_tabs = nullptr;
    PropertyPagesWidget* m_pages = nullptr;
    IntermediateValuesPane* m_values = nullptr;
    QWidget* m_viewPanel = nullptr;
    LineView* m_lineView = nullptr; // fills m_viewPanel
    QWidget* m_totals = nullptr;    // Panel1
    QMenuBar* m_componentBar = nullptr;
    QMenu* m_recentMenu = nullptr;
    QUndoStack* m_undo = nullptr;
    StudyCommands* m_studies = nullptr;
    QPointer<PenetrationCurveWindow> m_curve; // made on first use, then shown again
    QPointer<DesignMapWindow> m_designMap;    // the same

    QLineEdit* m_lineName = nullptr;
    QLabel* m_maxPartSize = nullptr;
    QLabel* m_nodeNameL = nullptr;
    QLabel* m_labelPent = nullptr;
    QLabel* m_systemT = nullptr;
    QLabel* m_labelANSI1 = nullptr;
    QLabel* m_massPent = nullptr;
    QLabel* m_sizeResolved = nullptr;             // the size-resolved line under the strip
    DesignVerdictStrip* m_verdictStrip = nullptr; // the design verdict under the totals
    QLabel* m_lnStr1 = nullptr;
    QLabel* m_lnStr3 = nullptr;      // what the grid's log-normal values are
    QLabel* m_drawingNote = nullptr; // geometry findings of the drawing
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;

    int m_rendering = 0; // while > 0, widget changes are ours, not the user's
    bool m_closing = false;
};

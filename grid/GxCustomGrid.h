#pragma once

#include "grid/GxColumns.h"
#include "grid/GxGridHint.h"
#include "grid/GxScrollControl.h"
#include "platform/Graphics.h"
#include "platform/Sets.h"

#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TCell;
class TStyleDisplay;

enum TGridOption {
    goCanHideColumn,
    goDisableColumnMoving,
    goDisableKeys,
    goEscClearEdit,
    goFooter,
    goGrid,
    goHeader,
    goIndicator,
    goInput,
    goLockFixedCols,
    goMultiSelect,
    goRowResizing,
    goRowMoving,
    goSecondClickEdit,
    goSelectFullRow,
    goUseDefaultValues,
    goInplaceEditEvents
};
using TGridOptions = TSet<TGridOption, 17>;

enum TAppearanceOption {
    ao3DGridLines,
    aoAlphaBlendedSelection,
    aoBoldTextSelection,
    aoDontFillCells,
    aoHideFocus,
    aoHideSelection,
    aoHighlightSlideCells,
    aoHintMarks,
    aoIndicateSelectedCell,
    aoIndicateSortedColumn
};
using TAppearanceOptions = TSet<TAppearanceOption, 10>;

enum TGridLinesStyle {
    lsNormal,
    lsActiveHorzOnly,
    lsActiveRows,
    lsFramed,
    lsHorizontalOnly,
    lsVerticalOnly
};
enum THeaderStyle {
    hsAuto,
    hsFlatBorders,
    hsOffice2007,
    hsOffice2010,
    hsOldStyle,
    hsOutlook,
    hsVista
};
enum TSortedStyle { soDefault, soDarker, soWhite };

// What a painting event is told about a cell.
enum TCellStateFlag { csBoldTextSelection, csEmpty, csFocused, csSelected };
using TCellState = TSet<TCellStateFlag, 4>;

// The pixels grid lines add around each cell; Gap is Top + Bottom, what a row adds to its
// height.
struct TLineSpacing
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Gap = 0;
};

// Geometry, painting, selection and events of the grid. The rows themselves belong to the
// data grid, which answers RowCount and RowAt.
class TGxCustomGridControl : public TGxScrollControl, protected TGxColumnsHost
{
    Q_OBJECT
public:
    explicit TGxCustomGridControl(QWidget* parent = nullptr);

    TGxColumns& Columns() { return m_columns; }
    const TGxColumns& Columns() const { return m_columns; }
    // The first column in creation order whose Name equals the text, ignoring ASCII case.
    TGxCustomColumn* ColumnByName(const QString& name) const;

    ~TGxCustomGridControl() override;

    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions value);
    // The height of new rows; a value of 0 or less is ignored.
    int RowSize() const { return m_rowSize; }
    void SetRowSize(int value);

    // --- Appearance ---
    TAppearanceOptions AppearanceOptions() const { return m_appearanceOptions; }
    void SetAppearanceOptions(TAppearanceOptions value);
    int HeaderSize() const { return m_headerSize; }
    void SetHeaderSize(int value);
    int InputSize() const { return m_inputSize; }
    void SetInputSize(int value) { SetAndInvalidate(m_inputSize, value); }
    int FooterSize() const { return m_footerSize; }
    void SetFooterSize(int value) { SetAndInvalidate(m_footerSize, value); }
    TColor GridLinesColor() const { return m_gridLinesColor; }
    void SetGridLinesColor(TColor value) { SetAndInvalidate(m_gridLinesColor, value); }
    TGridLinesStyle GridLinesStyle() const { return m_gridLinesStyle; }
    void SetGridLinesStyle(TGridLinesStyle value);
    THeaderStyle HeaderStyle() const { return m_headerStyle; }
    void SetHeaderStyle(THeaderStyle value);
    TSortedStyle SortedStyle() const { return m_sortedStyle; }
    void SetSortedStyle(TSortedStyle value) { SetAndInvalidate(m_sortedStyle, value); }
    TColor SelectionColor() const { return m_selectionColor; }
    // Stored only; the next paint uses it.
    void SetSelectionColor(TColor value) { m_selectionColor = value; }
    TColor InactiveSelectionColor() const { return m_inactiveSelectionColor; }
    void SetInactiveSelectionColor(TColor value)
    {
        SetAndInvalidate(m_inactiveSelectionColor, value);
    }
    TColor HighlightedTextColor() const { return m_highlightedTextColor; }
    void SetHighlightedTextColor(TColor value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { SetAndInvalidate(m_color, value); }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool EnableVisualStyles() const { return m_enableVisualStyles; }
    void SetEnableVisualStyles(bool value) { SetAndInvalidate(m_enableVisualStyles, value); }
    // The vertical bar hides when there is nothing to scroll.
    bool HideScrollBar() const { return m_hideScrollBar; }
    void SetHideScrollBar(bool value);
    int FixedCols() const { return m_columns.FixedCols(); }
    void SetFixedCols(int value);
    // Shown in the body while the grid has no shown rows.
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    // Themed drawing is used: EnableVisualStyles and the application's style draws themed.
    bool Themed() const;

    // --- Geometry, in viewport pixels; right and bottom edges are exclusive ---
    const TLineSpacing& LineSpacing() const { return m_lineSpacing; }
    QRect GetBodyRect() const;
    QRect GetHeaderRect() const;
    QRect GetInputRect() const;
    QRect GetFooterRect() const;
    QRect GetIndicatorRect() const;
    // From the right of the fixed columns to the client's right: scrolled columns stay in it.
    QRect GetFixedAreaRect() const;
    // The horizontal scroll position in pixels.
    int HorzOffset() const;
    // A row at or beyond RowCount is placed as if it had the height RowSize.
    int GetRowTop(int row);
    QRect GetCellRect(int ACol, int ARow);
    // The shown rows, from TopRow on, that fit wholly into the body.
    int RowsPerPage();
    // The Index of the first visible column, in position order, whose left to right edge (both
    // inclusive) holds x; -1 when none.
    int GetColumnAtX(int x) const;
    // The shown row at y inside the body; -1 outside the body or past the last row.
    int GetRowAtY(int y);
    // The row's height as the grid paints it; OnMeasuringRowHeight may change it.
    virtual int GetRowHeight(int row) = 0;

    // --- Scrolling ---
    void UpdateHorzScrollBar();
    void UpdateVertScrollBar();
    // Scrolls the fewest rows that bring the row wholly into the body.
    void ScrollRowIntoView(int row);
    // Moves TopRow by the shown rows (negative: up) and shifts the painted pixels.
    void ScrollRows(int count);
    // A vertical request first fits the range to the rows.
    void ScrollMessage(Qt::Orientation kind, TScrollRequest request) override;

    // --- Painting (the canvas is there only while the grid paints) ---
    TCanvas* Canvas() const { return m_canvas; }
    void PaintRows();
    void PaintHeaders();
    void DrawCell(int ACol, int ARow);
    void DrawEmptyCell(int ACol, int ARow);
    void DrawCellLines(int ACol, int ARow, TColor GridColor, const QRect& R);
    void DrawFocus();
    bool IsCellHighlighted(int ACol, int ARow);
    TColor GetCellColor(int ACol, int ARow);
    TColor GetCellTextColor(int ACol, int ARow);
    TStyleDisplay& CurrentStyleDisplay() const { return *m_styleDisplay; }
    int PressedHeaderColumn() const { return m_pressedHeaderColumn; }
    void SetPressedHeaderColumn(int value);
    int HotHeaderColumn() const { return m_hotHeaderColumn; }
    void SetHotHeaderColumn(int value);

    // --- Invalidation ---
    void InvalidateGrid() { Invalidate(); }
    // One strip; a strip not shown is skipped, the body always counts.
    enum TGridArea { gaBody, gaFooter, gaHeader, gaIndicator, gaInput };
    void RefreshArea(TGridArea area);
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateSelection();

    virtual int RowCount() const = 0;
    virtual int VisibleRowCount() const = 0;

    // -1 when no row is selected.
    int SelectedRow() const { return m_selectedRow; }
    // Ignored on a grid without rows and for an index outside -1..RowCount-1; otherwise selects
    // (SelectedColumn, the row) as a click would.
    void SetSelectedRow(int value);
    int SelectedColumn() const { return m_selectedColumn; }
    // Makes the cell current, asking OnBeforeSelect first. With goSelectFullRow the row's
    // Selected flag follows; with goMultiSelect Ctrl toggles a row and Shift selects a range.
    void SelectCell(int ACol, int ARow, Qt::KeyboardModifiers shift = {});

    int TopRow() const { return m_topRow; }
    int FirstShownRow() const { return m_firstShownRow; }
    int LastShownRow() const { return m_lastShownRow; }
    int LastAddedRow() const { return m_lastAddedRow; }
    // The column most recently sorted, until its Sorted is cleared.
    TGxCustomColumn* SortedColumn() const { return m_sortedColumn; }

    int UpdateCount() const { return m_updateCount; }
    // While an update block is open, cell writes raise no OnChange and nothing is repainted.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();

    // The grid acts on column changes (and so sorts) only from the first time it is shown, its
    // first ClearRows or its first AddRow outside an update block on; what columns are given
    // before (a Sorted from the form's layout, for example) is only stored.
    bool Realised() const { return m_realised; }

    std::function<void(QObject* Sender, int ACol, int ARow, bool& Accept)> OnBeforeSelect;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnSelectCell;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnDeselectCell;
    std::function<void(QObject* Sender, int ACol, int FromPos, int ToPos)> OnColumnMove;
    std::function<void(QObject* Sender, int ACol)> OnColumnResize;

    std::function<void(QObject* Sender, int ACol, int ARow, TColor& CellColor, TColor& GridColor,
                       TCellState CellState)>
        OnCellColoring;
    std::function<void(QObject* Sender, int ACol, int ARow, const QRect& CellRect,
                       TCellState CellState, bool& DefaultDrawing)>
        OnDrawCellBackground;
    std::function<void(QObject* Sender, int ACol, int ARow, TColor& TextColor,
                       TFontStyles& FontStyle, TCellState CellState)>
        OnCellFormating;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnCellHint;
    std::function<void(QObject* Sender, int ACol, int ARow, const QRect& CellRect,
                       TCellState CellState)>
        OnCustomDrawCell;
    std::function<void(QObject* Sender)> OnPostDraw;

protected:
    virtual TRow& RowAt(int index) = 0;
    // Sorts the rows by the column; run when a sorted column asks for it.
    virtual void SortColumn(TGxCustomColumn& column, bool ascending) = 0;
    virtual void RowSizeChanged(int value) = 0;
    // The cell a painted position shows; the position is inside the grid.
    virtual TCell& CellForPaint(int ACol, int ARow) = 0;
    // The hint text of a cell; none unless a grid keeps them.
    virtual QString CellHint(int ACol, int ARow);

    void Realise() { m_realised = true; }
    void Invalidate();
    // Recounts the first and last shown rows after rows came, went or changed visibility.
    void UpdateShownRows();
    // Sets the selection without any event, keeping the rows' Selected flags in step.
    void PlaceSelection(int ARow);

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Paints the frame of the Office header styles over the scroll area's own.
    bool event(QEvent* event) override;

    int GetHorzScrollDistance(int oldPosition, int newPosition) override;
    int GetVertScrollDistance(int oldPosition, int newPosition) override;
    void DoMouseWheel(int notches, Qt::KeyboardModifiers modifiers) override;
    void BeforeScroll(Qt::Orientation kind) override;
    void AfterScroll(Qt::Orientation kind) override;
    // Whether the grid draws itself as focused.
    virtual bool Focused() const { return hasFocus(); }

    void ColumnChanged(TGxCustomColumn& column, TColumnChange change, int value) override;
    void ColumnAdded(TGxCustomColumn& column) override;
    void ColumnDeleted(TGxCustomColumn& column, int index) override;
    void ColumnsLaidOut() override;
    void RepaintColumn(TGxCustomColumn& column) override;
    int ColumnsClientWidth() const override;
    bool IndicatorShown() const override;
    QFont ColumnsParentFont() const override;
    QWidget* EditorParent() override;

    int m_topRow = 0;
    int m_firstShownRow = 0;
    int m_lastShownRow = 0;
    int m_lastAddedRow = -1;
    int m_selectedRow = -1;
    int m_selectedColumn = 0;
    TGxCustomColumn* m_sortedColumn = nullptr;

private:
    // One visible column as a paint walks them: its Index and edges after scrolling.
    struct TPaintColumn
    {
        TGxCustomColumn* column;
        int left;
        int right;
        bool scrolled;
    };

    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    template <typename T> void SetAndInvalidate(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }
    void UpdateLineSpacing();
    void SelectStyleDisplay();
    void UpdateScrollRanges();
    int IndicatorWidth() const;
    int RowExtent(int row);
    // The shown rows in first..last-1; counted without walking when no row is hidden.
    int ShownRowsBetween(int first, int last);
    // The row count shown rows after (or before, for negative counts) the row.
    int StepShownRows(int row, int count, int& pixels);
    int LastWhollyVisibleRow();
    std::vector<TPaintColumn> PaintColumns() const;
    QRect CellClip(const QRect& cell, bool scrolled) const;
    void DrawCellAt(const TPaintColumn& item, int ARow, const QRect& rect);
    void DrawEmptyCellAt(const TPaintColumn& item, int ARow, const QRect& rect);
    QRect FocusRect();
    void PaintEmptyArea();
    void PaintCaption();
    void PaintHeaderStrips();
    TPaintColumn PaintColumnOf(TGxCustomColumn& column) const;
    void SelectFullRow(int oldRow, int row, Qt::KeyboardModifiers shift);
    void SelectRange(int from, int to, bool keepOthers);

    TGxColumns m_columns{this};
    TGridOptions m_options{goHeader};
    int m_rowSize = 16;
    int m_updateCount = 0;
    int m_anchorRow = -1;
    bool m_realised = false;

    TAppearanceOptions m_appearanceOptions{aoHideSelection, aoHighlightSlideCells};
    int m_headerSize = 18;
    int m_inputSize = 16;
    int m_footerSize = 18;
    TColor m_gridLinesColor = clBtnFace;
    TGridLinesStyle m_gridLinesStyle = lsNormal;
    THeaderStyle m_headerStyle = hsAuto;
    TSortedStyle m_sortedStyle = soDefault;
    TColor m_selectionColor = clHighlight;
    TColor m_inactiveSelectionColor = clBtnFace;
    TColor m_highlightedTextColor = clHighlightText;
    TColor m_color = clWindow;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_enableVisualStyles = true;
    bool m_hideScrollBar = true;
    QString m_caption;
    TLineSpacing m_lineSpacing;
    int m_pressedHeaderColumn = -1;
    int m_hotHeaderColumn = -1;
    int m_lastPaintedRow = -1;
    QRect m_focusBeforeScroll;
    QSize m_clientSize;
    TCanvas* m_canvas = nullptr;
    // One display of each header style, in THeaderStyle's order.
    std::array<std::unique_ptr<TStyleDisplay>, hsVista + 1> m_styleDisplays;
    TStyleDisplay* m_styleDisplay = nullptr;
};

enum TMoveSelectionKey { mkUndefined, mkArrows, mkTab, mkEnter };
enum THomeEndBehaviour { hebTopBottom, hebLeftRight };
enum TSelectionMoveDirection { mdDown, mdUp, mdLeft, mdRight, mdNone };
// The strip of the grid a point lies in.
enum TGridHitArea {
    haNone = 0,
    haBody = 1,
    haFooter = 2,
    haHeader = 3,
    haIndicator = 4,
    haInput = 5
};

// What the press under way is doing. Each state has one owner of the pointer: the moves and the
// release go to it, and a release, a focus loss or the application's deactivation ends it.
enum TGridInteraction {
    giNone,         // no press, or one that started nothing the grid follows
    giCellPress,    // a cell of the body pressed; the release on the same cell is its click
    giHeaderPress,  // a clickable header held; past a few pixels it becomes a column drag
    giColumnResize, // a header's right edge held
    giColumnDrag,   // a header dragged to another place
    giRowResize,    // a row's bottom edge held in the indicator
    giRowDrag,      // a row held in the indicator; it moves once the pointer travels
    giRoll          // the middle button rolls the rows
};

// A cell address by column Index and row; -1 where there is none.
struct TGridCoord
{
    int Col = -1;
    int Row = -1;

    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

class TColumnDragBox;
class TDragArrow;
class TColumnPlay;

// The grid's input and its published input properties and events: the mouse (GxGridMouse.cpp),
// dragging columns and rows (GxGridDrag.cpp), the keys (GxGridKeys.cpp), hover and hints
// (GxGridHints.cpp), and what they share (GxGridInput.cpp). A press is one TGridInteraction
// from its press to its release; its moves and its release go where that state says.
class TGxCustomGrid : public TGxCustomGridControl
{
    Q_OBJECT
public:
    // The cursor table numbers the grid registers its cursors under.
    static constexpr int crHorzSplit = 3000;
    static constexpr int crColumnNoDrag = 3001;
    static constexpr int crVertSplit = 3003;
    static constexpr int crIndicatorSelect = 3006;

    explicit TGxCustomGrid(QWidget* parent = nullptr);
    ~TGxCustomGrid() override;

    // The column's interactor made ready to act on the cell; null when there is none or
    // OnBeforeEdit refuses.
    virtual TColumnPlay* PreparePlay(int ACol, int ARow) = 0;

    // Viewport coordinates.
    TGridHitArea HitTestArea(int x, int y);
    // Col: the visible column under x; Row: the row under y when the point is in the body.
    TGridCoord GetCellAt(int x, int y);

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool value) { m_wantReturns = value; }
    bool TabLeaveControl() const { return m_tabLeaveControl; }
    void SetTabLeaveControl(bool value) { m_tabLeaveControl = value; }
    THomeEndBehaviour HomeEndBehaviour() const { return m_homeEndBehaviour; }
    void SetHomeEndBehaviour(THomeEndBehaviour value) { m_homeEndBehaviour = value; }
    TSelectionMoveDirection SelectionMoveDirection() const { return m_moveDirection; }
    void SetSelectionMoveDirection(TSelectionMoveDirection value) { m_moveDirection = value; }
    // Shown by a right click, after the row under the pointer became the selected row.
    QMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu* value) { m_popupMenu = value; }
    // The incremental search typed so far; cleared 700 ms after the last character.
    const QString& SearchText() const { return m_searchText; }
    TGridInteraction Interaction() const { return m_interaction; }

    std::function<void(QObject* Sender, int ACol, int ARow)> OnCellClick;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnCellDblClick;
    std::function<void(QObject* Sender, int ACol)> OnHeaderClick;
    std::function<void(QObject* Sender, int ACol)> OnHeaderDblClick;
    std::function<void(QObject* Sender, int ACol)> OnFooterClick;
    std::function<void(QObject* Sender, int& ACol, int ARow, TMoveSelectionKey Key)>
        OnSelectionMove;
    std::function<void(QObject* Sender, int FromPos, int ToPos, bool& Accept)> OnRowMove;
    std::function<void(QObject* Sender, int FromPos, int ToPos)> OnAfterRowMove;
    std::function<void(QObject* Sender, int Index, int Height)> OnChangeRowHeight;
    // Before the pop-up menu opens at the point (viewport coordinates); Handled keeps it closed.
    std::function<void(QObject* Sender, QPoint MousePos, bool& Handled)> OnContextPopup;
    // The toolkit's own input events, raised before the grid handles the same input.
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                       int Y)>
        OnMouseDown;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                       int Y)>
        OnMouseUp;
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyUp;
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;
    std::function<void(QObject* Sender)> OnMouseEnter;
    std::function<void(QObject* Sender)> OnMouseLeave;

protected:
    // Moves the row so that it ends at ToPos, as the data grid's MoveRow does.
    virtual void MoveRowTo(int FromPos, int ToPos) = 0;

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The rows move under a still pointer: a cell's hint would name the wrong cell.
    void BeforeScroll(Qt::Orientation kind) override;

    // A column that goes away ends the press that holds it.
    void ColumnDeleted(TGxCustomColumn& column, int index) override;

private:
    struct TLastPress
    {
        Qt::MouseButton button = Qt::NoButton;
        ulong time = 0;
        QPoint point;
    };

    bool IsSecondPress(const QMouseEvent& event);
    bool TakePress(QMouseEvent& event);
    void BeginPress(Qt::MouseButton button, QPoint point);
    // Whether the pointer has travelled far enough from the press to start a drag.
    bool Travelled(QPoint point) const;
    // Input, in viewport coordinates.
    void HandlePress(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void HandleDoublePress(QPoint point);
    void CellPress(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void HeaderPress(QPoint point);
    void IndicatorPress(Qt::KeyboardModifiers shift, QPoint point);
    int RowMoveTargetAt(QPoint point);
    void TrackRowMove(QPoint point);
    void EndRowMove(QPoint point);
    void HandleRelease(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void ReleaseAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point,
                   int pressedHeader);
    int EndHeaderPress();
    void CellRelease(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point);
    void HeaderRelease(QPoint point);
    void HandleMove(Qt::KeyboardModifiers shift, QPoint point);
    void Hover(Qt::KeyboardModifiers shift, QPoint point);
    void FooterHover(QPoint point);
    void HeaderHover(QPoint point);
    void CellHover(Qt::KeyboardModifiers shift, QPoint point);
    bool HandleKey(int key, Qt::KeyboardModifiers shift);
    void HandleCharacter(QChar key);

    // Geometry for input.
    bool IsFixed(const TGxCustomColumn& column) const;
    int ScrollOf(const TGxCustomColumn& column) const;
    TGxCustomColumn* ResizeColumnAt(QPoint point);
    int RowEdgeAt(QPoint point);
    int DropGapAt(QPoint point) const;
    bool ValidCell(TGridCoord cell) const;
    bool ColumnCanHandle(const TGxCustomColumn& column) const;
    TColumnPlay* PlayAt(TGridCoord cell, QPoint& point);

    // Keyboard moves.
    void MoveToRow(int row, Qt::KeyboardModifiers shift = {});
    int NextShownRow(int row, int step);
    int StepShownRows(int row, int count);
    void MoveVertically(int step);
    void MoveHorizontally(int step, TMoveSelectionKey key);
    void MoveByTab(bool forward);
    void PageUp();
    void PageDown();
    void HomeEnd(bool end, Qt::KeyboardModifiers shift);
    void ScrollColumnIntoView(const TGxCustomColumn& column);
    void IncrementalSearch(QChar key);
    bool WantsTabKey() const;

    // Column resizing and moving.
    void StartResize(TGxCustomColumn& column);
    // Shows a track line at a rectangle given in viewport coordinates.
    void PlaceTrackLine(QWidget& line, const QRect& inViewport);
    void TrackResize(int x);
    void EndResize();
    // Whether the held header's column may move; the drag then starts.
    bool StartDrag(QPoint point);
    void TrackDrag(QPoint point);
    void EndDrag(QPoint point);
    void FitColumnToContent(TGxCustomColumn& column);
    int ContentWidth(TGxCustomColumn& column, int ARow);
    void TrackRowResize(QPoint point);
    void EndRowResize(QPoint point);

    void ResetHover();
    // Drops every press and drag state, as when the application loses activation.
    void DropInputStates();

    bool m_readOnly = false;
    bool m_wantTabs = false;
    bool m_wantReturns = true;
    bool m_tabLeaveControl = false;
    THomeEndBehaviour m_homeEndBehaviour = hebTopBottom;
    TSelectionMoveDirection m_moveDirection = mdDown;
    QPointer<QMenu> m_popupMenu;

    TLastPress m_lastPress;
    bool m_doubleClickHandled = false;
    // The press under way: what it does, its button (none once released or dropped), its
    // point and the cell under it.
    TGridInteraction m_interaction = giNone;
    Qt::MouseButton m_pressButton = Qt::NoButton;
    QPoint m_pressPoint;
    TGridCoord m_pressedCell;
    // The column resized or dragged, or whose header is held (null when it may not move).
    TGxCustomColumn* m_heldColumn = nullptr;
    int m_resizeDelta = 0;
    // The row resized or moved in the indicator.
    int m_heldRow = -1;
    // Owned by the grid as their Qt parent.
    QWidget* m_trackLines[2] = {};
    QWidget* m_rowTrackLine = nullptr;
    std::unique_ptr<TColumnDragBox> m_dragBox;
    std::unique_ptr<TDragArrow> m_dragArrows[2];

    TGridCoord m_hoverCell;
    TGridHint m_hint;

    QString m_searchText;
    QTimer m_searchTimer;
};
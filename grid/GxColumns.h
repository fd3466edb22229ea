#pragma once

#include "edits/GxControlTypes.h"
#include "edits/GxEdit.h"
#include "grid/GxCells.h"
#include "platform/Graphics.h"
#include "platform/Sets.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class TColumnDisplay;
class TColumnPlay;
class TGxColumns;

enum TColumnOption {
    coAutoSize,
    coCanClick,
    coCanInput,
    coCanSort,
    coDisableMoving,
    coDontHighlight,
    coEditing,
    coEditorAutoSelect,
    coFixedSize,
    coImageForIcon,
    coPublicUsing,
    coFullResort,
    coSearchColumn,
    coShowTextFitHint,
    coTextForCaption
};
using TColumnOptions = TSet<TColumnOption, 15>;

enum TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };
enum TSortKind { skAscending, skDescending };
enum TWrapKind { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
enum TSlideCatpionLocation { clLeft, clTop };
enum TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };
enum THeaderOrientation { hoHorizontal, hoVertical };
enum TFormulaKind { fkNone, fkAverage, fkCount, fkDistinct, fkMaximum, fkMinimum, fkSum, fkCustom };
enum TFormatMaskKind { mkText, mkFloat };

// What a column tells its collection when a property that matters to the grid changes.
enum TColumnChange {
    ccInputValue = 1,
    ccPosition = 2,
    ccSortedOn = 4,
    ccSortChanged = 5,
    ccAppearance = 6,
    ccVisibility = 7,
    ccSortedOff = 8,
    ccWidth = 9
};

// Class flags of a column kind (ColumnBehaviour). A kind's flags are known by a number, each
// flag its bit: the text column's 42 is cbOwnEditor, cbSizeToContent and cbShowsText.
enum TColumnBehaviourFlag {
    cbPlayWithoutEditing, // 1: the interactor acts on clicks and keys without coEditing
    cbOwnEditor,          // 2: the class brings its own in-place editor
    cbNoSort,             // 4: the column cannot be sorted
    cbSizeToContent,      // 8: a double click on the header edge fits the width to the content
    cbShowsText = 5       // 32: carried by the kinds that paint text; nothing reads it
};
using TColumnBehaviour = TSet<TColumnBehaviourFlag, cbShowsText + 1>;
// Whether the flags are the ones the number stands for.
bool operator==(const TColumnBehaviour& flags, unsigned number);

enum TEditAbility { eaEditing, eaInput };
using TEditAbilities = TSet<TEditAbility, 2>;

TFontStyles FontStylesOf(const QFont& font);

// Header and footer of a column: caption, colour, picture, hint. Every change is told to the
// column, which repaints.
class TColumnPart
{
public:
    TColumnPart(const TColumnPart&) = delete;
    TColumnPart& operator=(const TColumnPart&) = delete;
    virtual ~TColumnPart() = default;

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value) { Assign(m_alignment, value); }
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& value) { Assign(m_caption, value); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { Assign(m_color, value); }
    TDisplayMode DisplayMode() const { return m_displayMode; }
    void SetDisplayMode(TDisplayMode value) { Assign(m_displayMode, value); }
    const QImage& Glyph() const { return m_glyph; }
    void SetGlyph(const QImage& value);
    const QString& Hint() const { return m_hint; }
    void SetHint(const QString& value) { Assign(m_hint, value); }

    std::function<void()> OnChange;

protected:
    explicit TColumnPart(TColor color) : m_color(color) {}

    template <typename T> void Assign(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Change();
    }
    void Change();

private:
    TAlignment m_alignment = taLeftJustify;
    QString m_caption;
    TColor m_color;
    TDisplayMode m_displayMode = dmTextOnly;
    QImage m_glyph;
    QString m_hint;
};

class TColumnHeader : public TColumnPart
{
public:
    TColumnHeader() : TColumnPart(clBtnFace) {}

    bool HideArrow() const { return m_hideArrow; }
    void SetHideArrow(bool value) { Assign(m_hideArrow, value); }
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value) { Assign(m_multiLine, value); }
    THeaderOrientation Orientation() const { return m_orientation; }
    void SetOrientation(THeaderOrientation value) { Assign(m_orientation, value); }

private:
    bool m_hideArrow = true;
    bool m_multiLine = false;
    THeaderOrientation m_orientation = hoHorizontal;
};

class TColumnFooter : public TColumnPart
{
public:
    TColumnFooter() : TColumnPart(clWindow) {}

    const QString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const QString& value) { Assign(m_textAfter, value); }
    const QString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const QString& value) { Assign(m_textBefore, value); }
    TFormulaKind FormulaKind() const { return m_formulaKind; }
    void SetFormulaKind(TFormulaKind value) { Assign(m_formulaKind, value); }
    const QString& FormatMask() const { return m_formatMask; }
    void SetFormatMask(const QString& value) { Assign(m_formatMask, value); }
    TFormatMaskKind FormatMaskKind() const { return m_formatMaskKind; }
    void SetFormatMaskKind(TFormatMaskKind value) { Assign(m_formatMaskKind, value); }

private:
    QString m_textAfter;
    QString m_textBefore;
    TFormulaKind m_formulaKind = fkNone;
    QString m_formatMask;
    TFormatMaskKind m_formatMaskKind = mkText;
};

// Where a column sits in the slide layout.
class TGxSlideBounds
{
public:
    int Left() const { return m_left; }
    void SetLeft(int value) { Assign(m_left, value); }
    int Top() const { return m_top; }
    void SetTop(int value) { Assign(m_top, value); }
    int Width() const { return m_width; }
    void SetWidth(int value) { Assign(m_width, value); }
    int Height() const { return m_height; }
    void SetHeight(int value) { Assign(m_height, value); }

    std::function<void()> OnChange;

private:
    void Assign(int& field, int value);

    int m_left = 8;
    int m_top = 8;
    int m_width = 80;
    int m_height = 16;
};

// A grid column: the kind of its cells, the initial value of new cells, the sort, header and
// footer, width and display order, and how a cell value becomes display text. Columns are owned
// by their grid's collection; a column outside a collection only stores what it is given.
class TGxCustomColumn
{
public:
    TGxCustomColumn();
    TGxCustomColumn(const TGxCustomColumn&) = delete;
    TGxCustomColumn& operator=(const TGxCustomColumn&) = delete;
    virtual ~TGxCustomColumn();

    // The component name, by which the program finds the column.
    const QString& Name() const { return m_name; }
    void SetName(const QString& value) { m_name = value; }

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value) { SetAppearance(m_alignment, value); }
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode value) { SetAppearance(m_biDiMode, value); }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { SetAppearance(m_color, value); }
    int Cursor() const { return m_cursor; }
    void SetCursor(int value) { SetAppearance(m_cursor, value); }
    const QString& DefaultValue() const { return m_defaultValue; }
    void SetDefaultValue(const QString& value) { m_defaultValue = value; }
    int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value) { m_defaultWidth = value; }
    TDrawingOptions DrawingOptions() const { return m_drawingOptions; }
    void SetDrawingOptions(TDrawingOptions value) { SetAppearance(m_drawingOptions, value); }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    // The grid's font while ParentFont is set.
    QFont Font() const;
    // Setting a font of its own clears ParentFont.
    void SetFont(const QFont& value);
    TColumnFooter& Footer() { return m_footer; }
    const TColumnFooter& Footer() const { return m_footer; }
    TColumnHeader& Header() { return m_header; }
    const TColumnHeader& Header() const { return m_header; }
    // An edit control of somebody else's, used instead of the column's own editor; forgotten
    // when that control is destroyed.
    TGxCustomEdit* InplaceEdit() const { return m_inplaceEdit; }
    void SetInplaceEdit(TGxCustomEdit* value) { m_inplaceEdit = value; }
    const QString& InputCaption() const { return m_inputCaption; }
    void SetInputCaption(const QString& value) { SetAppearance(m_inputCaption, value); }
    const QString& InputValue() const { return m_inputValue; }
    void SetInputValue(const QString& value) { SetChanging(m_inputValue, value, ccInputValue); }
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value) { m_minWidth = value; }
    TColumnOptions Options() const { return m_options; }
    void SetOptions(TColumnOptions value);
    int Padding() const { return m_padding; }
    void SetPadding(int value) { SetDisplay(m_padding, value); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value) { SetAppearance(m_parentFont, value); }
    bool ParentCellColor() const { return m_parentCellColor; }
    void SetParentCellColor(bool value) { SetDisplay(m_parentCellColor, value); }
    // The place in the display order; -1 outside a collection.
    int Position() const { return m_position; }
    void SetPosition(int value);
    TGxSlideBounds& SlideBounds() { return m_slideBounds; }
    const TGxSlideBounds& SlideBounds() const { return m_slideBounds; }
    const QString& SlideCaption() const { return m_slideCaption; }
    void SetSlideCaption(const QString& value) { SetDisplay(m_slideCaption, value); }
    TSlideCatpionLocation SlideCaptionLocation() const { return m_slideCaptionLocation; }
    void SetSlideCaptionLocation(TSlideCatpionLocation value)
    {
        SetAppearance(m_slideCaptionLocation, value);
    }
    bool Sorted() const { return m_sorted; }
    // At most one column of a collection is sorted; setting it sorts the grid's rows once the
    // grid acts on column changes.
    void SetSorted(bool value);
    TSortKind SortKind() const { return m_sortKind; }
    void SetSortKind(TSortKind value) { SetChanging(m_sortKind, value, ccSortChanged); }
    TSortType SortType() const { return m_sortType; }
    void SetSortType(TSortType value) { SetChanging(m_sortType, value, ccSortChanged); }
    const QString& StyleClass() const { return m_styleClass; }
    void SetStyleClass(const QString& value) { m_styleClass = value; }
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }
    TVerticalAlignment VerticalAlignment() const { return m_verticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value)
    {
        SetAppearance(m_verticalAlignment, value);
    }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    int Width() const { return m_width; }
    // Not below MinWidth; the coAutoSize columns after this one share what is left.
    void SetWidth(int value);
    TWrapKind WrapKind() const { return m_wrapKind; }
    void SetWrapKind(TWrapKind value) { SetDisplay(m_wrapKind, value); }

    // The cell class of new cells. Cells already made keep their class.
    TCellKind CellKind() const { return m_cellKind; }
    void SetCellKind(TCellKind value) { m_cellKind = value; }
    // The place in the collection in creation order: the column number of every cell operation.
    int Index() const { return m_index; }
    int ColumnLeft() const { return m_columnLeft; }
    int VisibleIndex() const { return m_visibleIndex; }
    TGxColumns* Collection() const { return m_collection; }
    // The parts the column owns, made when it joins a collection; none where the kind has none.
    TGxCustomEdit* Editor() const { return m_editor.data(); }
    TColumnDisplay* Display() const { return m_display.get(); }
    TColumnPlay* Play() const { return m_play.get(); }

    // The classes of the column's parts, as factories.
    virtual std::unique_ptr<TGxCustomEdit> GetEditorClass(QWidget* parent) const;
    virtual std::unique_ptr<TColumnDisplay> GetDisplayClass();
    virtual std::unique_ptr<TColumnPlay> GetPlayClass();

    TEditAbilities GetEditAbilities() const;
    virtual TColumnBehaviour ColumnBehaviour() const { return {}; }
    virtual bool GetMultiLine(bool defaultValue) const;
    // The text a cell of this column shows in row ARow.
    virtual QString GetDisplayText(TCell& cell, int ARow) const;
    virtual QString GetInputValue() const { return m_inputValue; }
    // Whether typing the character into the column's editor is allowed.
    virtual bool IsValidChar(QChar c) const;
    // Makes the hidden editor ready to edit a cell of this column.
    virtual void PrepareEditor();
    virtual void UpdateEditor() {}

    // The value source of virtual cells (ckVirtual): the column produces and accepts their
    // text through these events.
    std::function<QString(int ACol, int ARow)> OnGetVirtualText;
    std::function<void(int ACol, int ARow, const QString& Value)> OnSetVirtualText;
    QString GetVirtualText(int ACol, int ARow) const;
    void SetVirtualText(int ACol, int ARow, const QString& value);

protected:
    // Tells the collection, which tells the grid.
    void Changed(TColumnChange change, int value = -1);
    // Repaints the column's cells without a column change.
    void RepaintColumn();

    // Stores a changed value and tells the grid.
    template <typename T> void SetChanging(T& field, const T& value, TColumnChange change)
    {
        if (field == value)
            return;
        field = value;
        Changed(change);
    }
    template <typename T> void SetAppearance(T& field, const T& value)
    {
        SetChanging(field, value, ccAppearance);
    }
    template <typename T> void SetDisplay(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        RepaintColumn();
    }

private:
    friend class TGxColumns;

    void CreateParts(QWidget* editorParent);
    void ApplyWidth(int value, bool share);
    void StoreOptions(TColumnOptions value);

    QString m_name;
    TAlignment m_alignment = taLeftJustify;
    TBiDiMode m_biDiMode = bdLeftToRight;
    TColor m_color = clWindow;
    int m_cursor = 0;
    QString m_defaultValue;
    int m_defaultWidth = 80;
    TDrawingOptions m_drawingOptions = doNormal;
    bool m_enabled = true;
    QFont m_font;
    TColumnFooter m_footer;
    TColumnHeader m_header;
    QPointer<TGxCustomEdit> m_inplaceEdit;
    QString m_inputCaption;
    QString m_inputValue;
    int m_minWidth = 8;
    TColumnOptions m_options{coCanClick, coCanInput, coCanSort, coPublicUsing};
    int m_padding = 0;
    bool m_parentFont = true;
    bool m_parentCellColor = false;
    int m_position = -1;
    TGxSlideBounds m_slideBounds;
    QString m_slideCaption;
    TSlideCatpionLocation m_slideCaptionLocation = clTop;
    bool m_sorted = false;
    TSortKind m_sortKind = skAscending;
    TSortType m_sortType = stAlphabetic;
    QString m_styleClass;
    int m_tag = 0;
    TVerticalAlignment m_verticalAlignment = taVerticalCenter;
    bool m_visible = true;
    int m_width = 80;
    TWrapKind m_wrapKind = wkEllipsis;

    TCellKind m_cellKind = ckString;
    int m_index = -1;
    int m_columnLeft = 0;
    int m_visibleIndex = -1;
    TGxColumns* m_collection = nullptr;
    // The column owns its editor and deletes it with itself. The editor is also a Qt child of
    // the grid's viewport, so that it can sit in a cell: if the viewport goes first (replaced,
    // or the editor re-parented and its new parent deleted), Qt deletes the editor and the
    // pointer turns null instead of deleting it a second time.
    QPointer<TGxCustomEdit> m_editor;
    std::unique_ptr<TColumnDisplay> m_display;
    std::unique_ptr<TColumnPlay> m_play;
};

// What a column collection needs from its grid: the grid reacts to column changes, keeps its
// store in step with the columns, and lends its width, indicator and font.
class TGxColumnsHost
{
public:
    virtual void ColumnChanged(TGxCustomColumn& column, TColumnChange change, int value) = 0;
    virtual void ColumnAdded(TGxCustomColumn& column) = 0;
    // The column has left both lists and is about to be destroyed.
    virtual void ColumnDeleted(TGxCustomColumn& column, int index) = 0;
    virtual void ColumnsLaidOut() = 0;
    virtual void RepaintColumn(TGxCustomColumn& column) = 0;
    virtual int ColumnsClientWidth() const = 0;
    virtual bool IndicatorShown() const = 0;
    virtual QFont ColumnsParentFont() const = 0;
    virtual QWidget* EditorParent() = 0;

protected:
    ~TGxColumnsHost() = default;
};

// A grid's columns: ItemsList in creation order (the place there is a column's Index) and
// PositionList in display order (the place there is its Position).
class TGxColumns
{
public:
    static constexpr int kIndicatorWidth = 12;

    explicit TGxColumns(TGxColumnsHost* host = nullptr) : m_host(host) {}
    TGxColumns(const TGxColumns&) = delete;
    TGxColumns& operator=(const TGxColumns&) = delete;
    // Destroys the remaining columns, last index first, without telling the host.
    ~TGxColumns() noexcept;

    int Count() const { return int(m_items.size()); }
    // By Index; an index outside the list raises the list error.
    TGxCustomColumn& Items(int index) const;
    // By Position.
    TGxCustomColumn& ByPosition(int position) const;
    const std::vector<std::unique_ptr<TGxCustomColumn>>& ItemsList() const { return m_items; }
    const std::vector<TGxCustomColumn*>& PositionList() const { return m_positions; }
    // The first column in creation order whose Name equals the text, ignoring ASCII letter case.
    TGxCustomColumn* ColumnByName(const QString& name) const;

    // Appends the column to both lists; the grid's store gains a cell list for it. A grid holds
    // at most TCells::kMaxColumns columns: the next one is refused with an error.
    TGxCustomColumn& Add(std::unique_ptr<TGxCustomColumn> column);
    template <typename T> T& Add(const QString& name)
    {
        auto column = std::make_unique<T>();
        column->SetName(name);
        return static_cast<T&>(Add(std::move(column)));
    }
    // Destroys the column at the index with its cells.
    void Delete(int index);

    // Lays the columns out in display order: ColumnLeft and VisibleIndex, and, when asked,
    // Position renumbered to the place in the list.
    void UpdatePositions(bool renumber = false);
    // Shares the client width left over among the visible coAutoSize columns, from the column
    // on (or from the first without one).
    void AutoSizeColumns(const TGxCustomColumn* from = nullptr, bool inclusive = false);

    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int value);
    // The summed width of the visible columns among the first FixedCols in display order.
    int FixedWidth() const { return m_fixedWidth; }

    // Visible and enabled columns in display order; null when there is none.
    TGxCustomColumn* FirstVisibleColumn() const;
    TGxCustomColumn* LastVisibleColumn() const;
    TGxCustomColumn* NextVisibleColumn(const TGxCustomColumn& column) const;
    TGxCustomColumn* PriorVisibleColumn(const TGxCustomColumn& column) const;
    int VisibleCount() const;
    int VisibleWidth() const;

private:
    friend class TGxCustomColumn;

    void Move(TGxCustomColumn& column, int position);
    void ColumnChange(TGxCustomColumn& column, TColumnChange change, int value);
    TGxCustomColumn* NextUsable(int position, int step) const;
    int IndicatorWidth() const;

    TGxColumnsHost* m_host;
    std::vector<std::unique_ptr<TGxCustomColumn>> m_items;
    std::vector<TGxCustomColumn*> m_positions;
    int m_fixedCols = 0;
    int m_fixedWidth = 0;
};

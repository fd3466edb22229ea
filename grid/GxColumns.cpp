#include "grid/GxColumns.h"

#include "grid/GxDisplays.h"
#include "platform/Exception.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

bool operator==(const TColumnBehaviour& flags, unsigned number)
{
    unsigned bits = 0;
    for (int flag = cbPlayWithoutEditing; flag <= cbShowsText; ++flag)
        if (flags.contains(static_cast<TColumnBehaviourFlag>(flag)))
            bits |= 1u << flag;
    return bits == number;
}

TFontStyles FontStylesOf(const QFont& font)
{
    TFontStyles styles;
    if (font.bold())
        styles.include(fsBold);
    if (font.italic())
        styles.include(fsItalic);
    if (font.underline())
        styles.include(fsUnderline);
    if (font.strikeOut())
        styles.include(fsStrikeOut);
    return styles;
}

// --- Header, footer, slide bounds ---------------------------------------------------------

void TColumnPart::SetGlyph(const QImage& value)
{
    m_glyph = value;
    Change();
}

void TColumnPart::Change()
{
    if (OnChange)
        OnChange();
}

void TGxSlideBounds::Assign(int& field, int value)
{
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange();
}

// --- TGxCustomColumn ----------------------------------------------------------------------

TGxCustomColumn::TGxCustomColumn()
{
    const auto appearanceChanged = [this] {
        Changed(ccAppearance);
    };
    m_header.OnChange = appearanceChanged;
    m_footer.OnChange = appearanceChanged;
    m_slideBounds.OnChange = appearanceChanged;
}

TGxCustomColumn::~TGxCustomColumn()
{
    delete m_editor.data();
}

QFont TGxCustomColumn::Font() const
{
    if (m_parentFont && m_collection && m_collection->m_host)
        return m_collection->m_host->ColumnsParentFont();
    return m_font;
}

void TGxCustomColumn::SetFont(const QFont& value)
{
    m_font = value;
    m_parentFont = false;
    Changed(ccAppearance);
}

void TGxCustomColumn::StoreOptions(TColumnOptions value)
{
    SetAppearance(m_options, value);
}

void TGxCustomColumn::SetOptions(TColumnOptions value)
{
    // One search column per collection.
    if (value.contains(coSearchColumn) && m_collection) {
        for (const auto& other : m_collection->ItemsList())
            if (other.get() != this && other->m_options.contains(coSearchColumn))
                other->StoreOptions(other->m_options - TColumnOptions{coSearchColumn});
    }
    StoreOptions(value);
}

void TGxCustomColumn::SetPosition(int value)
{
    if (!m_collection) {
        m_position = value;
        return;
    }
    if (value == m_position)
        return;
    m_collection->Move(*this, value);
    Changed(ccPosition);
}

void TGxCustomColumn::SetSorted(bool value)
{
    if (ColumnBehaviour().contains(cbNoSort))
        return;
    if (!value) {
        m_sorted = false;
        Changed(ccSortedOff);
        return;
    }
    if (m_collection) {
        for (const auto& other : m_collection->ItemsList())
            if (other.get() != this && other->m_sorted)
                other->SetSorted(false);
    }
    m_sorted = true;
    Changed(ccSortedOn);
}

void TGxCustomColumn::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    if (m_collection)
        m_collection->UpdatePositions();
    Changed(ccVisibility);
}

void TGxCustomColumn::SetWidth(int value)
{
    ApplyWidth(value, true);
}

void TGxCustomColumn::ApplyWidth(int value, bool share)
{
    value = std::max(value, m_minWidth);
    if (value == m_width)
        return;
    const int oldWidth = m_width;
    m_width = value;
    if (!m_collection)
        return;
    m_collection->UpdatePositions();
    Changed(ccWidth, value - oldWidth);
    if (share)
        m_collection->AutoSizeColumns(this, false);
}

void TGxCustomColumn::CreateParts(QWidget* editorParent)
{
    m_editor = GetEditorClass(editorParent).release();
    if (m_editor)
        m_editor->hide();
    m_display = GetDisplayClass();
    m_play = GetPlayClass();
}

std::unique_ptr<TGxCustomEdit> TGxCustomColumn::GetEditorClass(QWidget*) const
{
    return nullptr;
}

std::unique_ptr<TColumnDisplay> TGxCustomColumn::GetDisplayClass()
{
    return nullptr;
}

std::unique_ptr<TColumnPlay> TGxCustomColumn::GetPlayClass()
{
    return nullptr;
}

TEditAbilities TGxCustomColumn::GetEditAbilities() const
{
    const bool hasEditor = ColumnBehaviour().contains(cbOwnEditor) || m_inplaceEdit;
    TEditAbilities abilities;
    if (!m_enabled || !hasEditor)
        return abilities;
    if (m_options.contains(coEditing))
        abilities.include(eaEditing);
    if (m_options.contains(coCanInput))
        abilities.include(eaInput);
    return abilities;
}

bool TGxCustomColumn::GetMultiLine(bool) const
{
    return false;
}

QString TGxCustomColumn::GetDisplayText(TCell& cell, int) const
{
    return cell.AsString();
}

bool TGxCustomColumn::IsValidChar(QChar) const
{
    return false;
}

void TGxCustomColumn::PrepareEditor()
{
    if (!m_editor)
        return;
    m_editor->SetInCell(true);
    m_editor->SetAlignment(m_alignment);
    m_editor->SetBorderStyle(bsNone);
    if (auto* edit = qobject_cast<TGxEdit*>(m_editor.data()))
        edit->SetBorderWidth(0);
    m_editor->EditMargins().SetLeft(1);
}

QString TGxCustomColumn::GetVirtualText(int ACol, int ARow) const
{
    return OnGetVirtualText ? OnGetVirtualText(ACol, ARow) : QString();
}

void TGxCustomColumn::SetVirtualText(int ACol, int ARow, const QString& value)
{
    if (OnSetVirtualText)
        OnSetVirtualText(ACol, ARow, value);
}

void TGxCustomColumn::Changed(TColumnChange change, int value)
{
    if (m_collection)
        m_collection->ColumnChange(*this, change, value);
}

void TGxCustomColumn::RepaintColumn()
{
    if (m_collection && m_collection->m_host)
        m_collection->m_host->RepaintColumn(*this);
}

// --- TGxColumns ---------------------------------------------------------------------------

TGxColumns::~TGxColumns() noexcept
{
    while (!m_items.empty()) {
        TGxCustomColumn* column = m_items.back().get();
        std::erase(m_positions, column);
        column->m_collection = nullptr;
        m_items.pop_back();
    }
}

TGxCustomColumn& TGxColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return *m_items[size_t(index)];
}

TGxCustomColumn& TGxColumns::ByPosition(int position) const
{
    if (position < 0 || position >= Count())
        throw EListError(position);
    return *m_positions[size_t(position)];
}

TGxCustomColumn* TGxColumns::ColumnByName(const QString& name) const
{
    for (const auto& column : m_items)
        if (SameText(column->Name(), name))
            return column.get();
    return nullptr;
}

TGxCustomColumn& TGxColumns::Add(std::unique_ptr<TGxCustomColumn> column)
{
    TCells::CheckColumnCapacity(Count());
    column->CreateParts(m_host ? m_host->EditorParent() : nullptr);
    TGxCustomColumn* added = column.get();
    added->m_collection = this;
    added->m_index = Count();
    added->m_position = Count();
    m_items.push_back(std::move(column));
    m_positions.push_back(added);
    try {
        if (m_host)
            m_host->ColumnAdded(*added);
    } catch (...) {
        m_positions.pop_back();
        m_items.pop_back();
        throw;
    }
    UpdatePositions();
    AutoSizeColumns();
    if (m_host)
        m_host->ColumnsLaidOut();
    return *added;
}

void TGxColumns::Delete(int index)
{
    TGxCustomColumn& column = Items(index);
    std::unique_ptr<TGxCustomColumn> owned = std::move(m_items[size_t(index)]);
    m_items.erase(m_items.begin() + index);
    std::erase(m_positions, &column);
    for (int i = index; i < Count(); ++i)
        m_items[size_t(i)]->m_index = i;
    column.m_collection = nullptr;
    if (m_host)
        m_host->ColumnDeleted(column, index);
    UpdatePositions(true);
    AutoSizeColumns();
    if (m_host)
        m_host->ColumnsLaidOut();
}

void TGxColumns::Move(TGxCustomColumn& column, int position)
{
    if (position < 0 || position >= Count())
        throw EListError(position);
    const int oldPosition = column.m_position;
    if (position == oldPosition)
        return;
    m_positions.erase(m_positions.begin() + oldPosition);
    m_positions.insert(m_positions.begin() + position, &column);
    UpdatePositions(true);
    ColumnChange(column, ccPosition, oldPosition);
}

void TGxColumns::ColumnChange(TGxCustomColumn& column, TColumnChange change, int value)
{
    if (m_host)
        m_host->ColumnChanged(column, change, value);
}

int TGxColumns::IndicatorWidth() const
{
    return m_host && m_host->IndicatorShown() ? kIndicatorWidth : 0;
}

void TGxColumns::UpdatePositions(bool renumber)
{
    int x = IndicatorWidth();
    int visibleIndex = 0;
    m_fixedWidth = 0;
    for (int position = 0; position < Count(); ++position) {
        TGxCustomColumn& column = *m_positions[size_t(position)];
        if (renumber)
            column.m_position = position;
        column.m_columnLeft = x;
        if (!column.m_visible) {
            column.m_visibleIndex = -1;
            continue;
        }
        column.m_visibleIndex = visibleIndex++;
        x += column.m_width;
        if (position < m_fixedCols)
            m_fixedWidth += column.m_width;
    }
}

void TGxColumns::AutoSizeColumns(const TGxCustomColumn* from, bool inclusive)
{
    if (!m_host)
        return;
    int start = 0;
    int used = 0;
    if (from) {
        start = inclusive ? from->m_position : from->m_position + 1;
        used = from->m_columnLeft;
        if (!inclusive && from->m_visible)
            used += from->m_width;
        used -= IndicatorWidth();
    }
    const int available = m_host->ColumnsClientWidth() - IndicatorWidth();
    int autoTotal = 0;
    int fixedTotal = 0;
    for (int position = start; position < Count(); ++position) {
        const TGxCustomColumn& column = *m_positions[size_t(position)];
        if (column.m_visible)
            (column.m_options.contains(coAutoSize) ? autoTotal : fixedTotal) += column.m_width;
    }
    if (autoTotal == 0)
        return;
    const double share = double(available - used - fixedTotal) / autoTotal;
    for (int position = start; position < Count(); ++position) {
        TGxCustomColumn& column = *m_positions[size_t(position)];
        if (column.m_visible && column.m_options.contains(coAutoSize))
            column.ApplyWidth(int(std::nearbyint(column.m_width * share)), false);
    }
}

void TGxColumns::SetFixedCols(int value)
{
    m_fixedCols = std::max(0, value);
    UpdatePositions();
}

TGxCustomColumn* TGxColumns::NextUsable(int position, int step) const
{
    for (; position >= 0 && position < Count(); position += step) {
        TGxCustomColumn* column = m_positions[size_t(position)];
        if (column->m_visible && column->m_enabled)
            return column;
    }
    return nullptr;
}

TGxCustomColumn* TGxColumns::FirstVisibleColumn() const
{
    return NextUsable(0, 1);
}

TGxCustomColumn* TGxColumns::LastVisibleColumn() const
{
    return NextUsable(Count() - 1, -1);
}

TGxCustomColumn* TGxColumns::NextVisibleColumn(const TGxCustomColumn& column) const
{
    return NextUsable(column.m_position + 1, 1);
}

TGxCustomColumn* TGxColumns::PriorVisibleColumn(const TGxCustomColumn& column) const
{
    return NextUsable(column.m_position - 1, -1);
}

int TGxColumns::VisibleCount() const
{
    return int(std::count_if(m_items.begin(), m_items.end(),
                             [](const auto& column) { return column->m_visible; }));
}

int TGxColumns::VisibleWidth() const
{
    int width = 0;
    for (const auto& column : m_items)
        if (column->m_visible)
            width += column->m_width;
    return width;
}

#include "edits/GxSpinEdit.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/GxFormatFloat.h"
#include "grid/GxGrid.h"
#include "platform/Exception.h"
#include "platform/ImageList.h"

#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ChangeRecord
{
    QString column;
    TColumnChange change;
    int value;
    bool operator==(const ChangeRecord&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ChangeRecord& record)
{
    return out << record.column.toStdString() << " " << record.change << " " << record.value;
}

// A host that records what the collection tells it.
class SpyHost : public TGxColumnsHost
{
public:
    void ColumnChanged(TGxCustomColumn& column, TColumnChange change, int value) override
    {
        changes.push_back({column.Name(), change, value});
    }
    void ColumnAdded(TGxCustomColumn&) override {}
    void ColumnDeleted(TGxCustomColumn&, int) override {}
    void ColumnsLaidOut() override {}
    void RepaintColumn(TGxCustomColumn& column) override { repaints << column.Name(); }
    int ColumnsClientWidth() const override { return clientWidth; }
    bool IndicatorShown() const override { return indicator; }
    QFont ColumnsParentFont() const override { return parentFont; }
    QWidget* EditorParent() override { return &editorParent; }

    std::vector<ChangeRecord> changes;
    QStringList repaints;
    int clientWidth = 500;
    bool indicator = false;
    QFont parentFont;
    QWidget editorParent;
};

class ColumnsTest : public ::testing::Test
{
protected:
    template <typename T = TGxTextColumn> T& Add(const char* name)
    {
        return columns.Add<T>(QString::fromLatin1(name));
    }

    SpyHost host;
    TGxColumns columns{&host};
};

} // namespace

TEST_F(ColumnsTest, eachKindHasItsCellKindDefaultsAndParts)
{
    auto& text = Add<TGxTextColumn>("text");
    auto& number = Add<TGxNumberColumn>("number");
    auto& increment = Add<TGxIncrementColumn>("increment");
    auto& image = Add<TGxImageColumn>("image");
    auto& check = Add<TGxCheckBoxColumn>("check");

    EXPECT_EQ(text.CellKind(), ckString);
    EXPECT_EQ(number.CellKind(), ckFloat);
    EXPECT_EQ(increment.CellKind(), ckIncrement);
    EXPECT_EQ(image.CellKind(), ckInteger);
    EXPECT_EQ(check.CellKind(), ckBoolean);

    EXPECT_EQ(text.DefaultValue(), QString());
    EXPECT_EQ(number.DefaultValue(), QStringLiteral("0"));
    EXPECT_EQ(image.DefaultValue(), QStringLiteral("0"));
    EXPECT_EQ(check.DefaultValue(), QString());
    EXPECT_EQ(text.SortType(), stAlphabetic);
    EXPECT_EQ(number.SortType(), stNumeric);
    EXPECT_EQ(increment.SortType(), stAlphabetic);
    EXPECT_EQ(image.SortType(), stNumeric);
    EXPECT_EQ(check.SortType(), stBoolean);

    const TColumnOptions standard{coCanClick, coCanInput, coCanSort, coPublicUsing};
    EXPECT_EQ(text.Options(), standard + TColumnOptions{coShowTextFitHint});
    EXPECT_EQ(check.Options(), standard);
    EXPECT_EQ(number.Alignment(), taRightJustify);
    EXPECT_EQ(text.Alignment(), taLeftJustify);
    EXPECT_EQ(number.Increment(), 1.0);
    EXPECT_EQ(number.Precision(), 0);
    EXPECT_TRUE(number.SpinButtons());
    EXPECT_EQ(number.EditOptions(), TGxNumberEditOptions{eoAllowFloat});
    EXPECT_TRUE(image.Transparent());

    EXPECT_EQ(text.ColumnBehaviour(), 42u);
    EXPECT_EQ(number.ColumnBehaviour(), 42u);
    EXPECT_EQ(increment.ColumnBehaviour(), 40u);
    EXPECT_EQ(image.ColumnBehaviour(), 8u);
    EXPECT_EQ(check.ColumnBehaviour(), 10u);

    EXPECT_NE(qobject_cast<TGxEdit*>(text.Editor()), nullptr);
    EXPECT_NE(qobject_cast<TGxSpinEdit*>(number.Editor()), nullptr);
    EXPECT_EQ(increment.Editor(), nullptr);
    EXPECT_EQ(check.Editor(), nullptr);
    EXPECT_TRUE(text.Editor()->isHidden());
    EXPECT_EQ(text.Editor()->parentWidget(), &host.editorParent);
    EXPECT_NE(dynamic_cast<TTextColumnDisplay*>(text.Display()), nullptr);
    EXPECT_NE(dynamic_cast<TNumberColumnDisplay*>(number.Display()), nullptr);
    EXPECT_NE(dynamic_cast<TIncrementColumnDisplay*>(increment.Display()), nullptr);
    EXPECT_NE(dynamic_cast<TImageColumnDisplay*>(image.Display()), nullptr);
    EXPECT_NE(dynamic_cast<TCheckBoxColumnDisplay*>(check.Display()), nullptr);
    EXPECT_NE(dynamic_cast<TCheckBoxColumnPlay*>(check.Play()), nullptr);
    EXPECT_EQ(text.Play(), nullptr);
}

TEST(ColumnTest, aNewColumnHasTheDocumentedDefaults)
{
    TGxCustomColumn column;
    EXPECT_EQ(column.Position(), -1);
    EXPECT_EQ(column.Width(), 80);
    EXPECT_EQ(column.DefaultWidth(), 80);
    EXPECT_EQ(column.MinWidth(), 8);
    EXPECT_EQ(column.Color(), clWindow);
    EXPECT_EQ(column.VerticalAlignment(), taVerticalCenter);
    EXPECT_EQ(column.WrapKind(), wkEllipsis);
    EXPECT_EQ(column.SlideCaptionLocation(), clTop);
    EXPECT_EQ(column.SortKind(), skAscending);
    EXPECT_FALSE(column.Sorted());
    EXPECT_TRUE(column.ParentFont());
    EXPECT_FALSE(column.ParentCellColor());
    EXPECT_TRUE(column.Enabled());
    EXPECT_TRUE(column.Visible());
    EXPECT_EQ(column.Header().Color(), clBtnFace);
    EXPECT_TRUE(column.Header().HideArrow());
    EXPECT_EQ(column.Footer().Color(), clWindow);
    EXPECT_EQ(column.Footer().FormulaKind(), fkNone);
    EXPECT_EQ(column.Header().DisplayMode(), dmTextOnly);
    EXPECT_EQ(column.SlideBounds().Left(), 8);
    EXPECT_EQ(column.SlideBounds().Height(), 16);
    EXPECT_EQ(column.ColumnBehaviour(), 0u);
}

TEST_F(ColumnsTest, columnByNameIgnoresOnlyAsciiLetterCase)
{
    Add("dest2");
    auto& size = Add("size2");
    columns.Add<TGxTextColumn>(QStringLiteral("\u00c9t\u00e9"));
    for (const char* name : {"Size2", "size2", "SIZE2"})
        EXPECT_EQ(columns.ColumnByName(QString::fromLatin1(name)), &size) << name;
    EXPECT_EQ(columns.ColumnByName(QStringLiteral("Size 2")), nullptr);
    EXPECT_EQ(columns.ColumnByName(QStringLiteral("size")), nullptr);
    EXPECT_EQ(columns.ColumnByName(QStringLiteral("\u00e9t\u00e9")), nullptr);
    EXPECT_NE(columns.ColumnByName(QStringLiteral("\u00c9T\u00e9")), nullptr);
}

TEST_F(ColumnsTest, settersTellTheGridWhatChanged)
{
    auto& a = Add("a");
    auto& b = Add("b");
    host.changes.clear();
    a.SetAlignment(taCenter);
    a.SetAlignment(taCenter);
    a.SetInputValue(QStringLiteral("x"));
    a.SetWidth(100);
    a.SetWidth(2);
    a.SetVisible(false);
    a.SetVisible(false);
    a.Header().SetCaption(QStringLiteral("A"));
    a.SetSortKind(skDescending);
    a.SetSorted(true);
    b.SetSorted(true);
    b.SetSorted(false);
    a.SetDefaultValue(QStringLiteral("0"));
    a.SetTag(3);
    const std::vector<ChangeRecord> expected{
        {"a", ccAppearance, -1},  {"a", ccInputValue, -1}, {"a", ccWidth, 20},
        {"a", ccWidth, -92},      {"a", ccVisibility, -1}, {"a", ccAppearance, -1},
        {"a", ccSortChanged, -1}, {"a", ccSortedOn, -1},   {"a", ccSortedOff, -1},
        {"b", ccSortedOn, -1},    {"b", ccSortedOff, -1}};
    EXPECT_EQ(host.changes, expected);
    EXPECT_EQ(a.Width(), 8);
    EXPECT_FALSE(a.Sorted());

    host.changes.clear();
    b.SetPadding(2);
    b.SetWrapKind(wkWordWrap);
    EXPECT_TRUE(host.changes.empty());
    EXPECT_EQ(host.repaints, QStringList({"b", "b"}));

    QFont font;
    font.setItalic(true);
    b.SetFont(font);
    EXPECT_FALSE(b.ParentFont());
    EXPECT_TRUE(b.Font().italic());
    EXPECT_EQ(host.changes.back().change, ccAppearance);
}

TEST_F(ColumnsTest, positionChangesTheDisplayOrderButNotTheIndex)
{
    auto& a = Add("a");
    auto& b = Add("b");
    auto& c = Add("c");
    b.SetWidth(50);
    host.changes.clear();
    c.SetPosition(0);
    EXPECT_EQ(c.Index(), 2);
    EXPECT_EQ(c.Position(), 0);
    EXPECT_EQ(a.Position(), 1);
    EXPECT_EQ(b.Position(), 2);
    EXPECT_EQ(&columns.ByPosition(0), &c);
    EXPECT_EQ(&columns.Items(0), &a);
    EXPECT_EQ(c.ColumnLeft(), 0);
    EXPECT_EQ(a.ColumnLeft(), 80);
    EXPECT_EQ(b.ColumnLeft(), 160);
    const std::vector<ChangeRecord> expected{{"c", ccPosition, 2}, {"c", ccPosition, -1}};
    EXPECT_EQ(host.changes, expected);

    EXPECT_THROW(a.SetPosition(3), EListError);
    EXPECT_EQ(a.Position(), 1);
}

TEST_F(ColumnsTest, hiddenColumnsTakeNoWidthAndTheIndicatorShiftsTheColumns)
{
    auto& a = Add("a");
    auto& b = Add("b");
    auto& c = Add("c");
    columns.SetFixedCols(2);
    EXPECT_EQ(columns.FixedWidth(), 160);
    b.SetVisible(false);
    EXPECT_EQ(b.VisibleIndex(), -1);
    EXPECT_EQ(c.VisibleIndex(), 1);
    EXPECT_EQ(c.ColumnLeft(), 80);
    EXPECT_EQ(columns.FixedWidth(), 80);
    EXPECT_EQ(columns.VisibleWidth(), 160);
    EXPECT_EQ(columns.VisibleCount(), 2);
    EXPECT_EQ(columns.NextVisibleColumn(a), &c);
    EXPECT_EQ(columns.PriorVisibleColumn(c), &a);
    c.SetEnabled(false);
    EXPECT_EQ(columns.LastVisibleColumn(), &a);

    host.indicator = true;
    columns.UpdatePositions();
    EXPECT_EQ(a.ColumnLeft(), 12);
}

TEST_F(ColumnsTest, autoSizeColumnsShareTheWidthLeftOver)
{
    auto& fixed = Add("fixed");
    auto& wide = Add("wide");
    auto& narrow = Add("narrow");
    fixed.SetWidth(100);
    wide.SetWidth(300);
    narrow.SetWidth(100);
    wide.SetOptions(wide.Options() + TColumnOptions{coAutoSize});
    narrow.SetOptions(narrow.Options() + TColumnOptions{coAutoSize});
    host.clientWidth = 500;
    columns.AutoSizeColumns();
    EXPECT_EQ(wide.Width(), 300);
    EXPECT_EQ(narrow.Width(), 100);
    // 400 pixels for 400 pixels of shares; now make the grid wider.
    host.clientWidth = 900;
    columns.AutoSizeColumns();
    EXPECT_EQ(wide.Width(), 600);
    EXPECT_EQ(narrow.Width(), 200);
    // A user's width change on the first column leaves the rest to the shared ones.
    fixed.SetWidth(300);
    EXPECT_EQ(fixed.Width(), 300);
    EXPECT_EQ(wide.Width(), 450);
    EXPECT_EQ(narrow.Width(), 150);
}

TEST_F(ColumnsTest, oneSearchColumnAndOneSortedColumnPerCollection)
{
    auto& a = Add("a");
    auto& b = Add("b");
    a.SetOptions(a.Options() + TColumnOptions{coSearchColumn});
    b.SetOptions(b.Options() + TColumnOptions{coSearchColumn});
    EXPECT_FALSE(a.Options().contains(coSearchColumn));
    EXPECT_TRUE(b.Options().contains(coSearchColumn));
    a.SetSorted(true);
    b.SetSorted(true);
    EXPECT_FALSE(a.Sorted());
    EXPECT_TRUE(b.Sorted());
}

TEST_F(ColumnsTest, deleteRenumbersIndexesAndPositions)
{
    Add("a");
    Add("b");
    auto& c = Add("c");
    columns.Delete(1);
    EXPECT_EQ(columns.Count(), 2);
    EXPECT_EQ(c.Index(), 1);
    EXPECT_EQ(c.Position(), 1);
    EXPECT_EQ(c.ColumnLeft(), 80);
    EXPECT_THROW(columns.Delete(2), EListError);
}

TEST(ColumnsLimitTest, theColumnAfterTheLastAllowedOneIsRefused)
{
    TGxColumns columns;
    for (int i = 0; i < TCells::kMaxColumns; ++i)
        columns.Add<TGxIncrementColumn>(QString::number(i));
    try {
        columns.Add<TGxIncrementColumn>(QStringLiteral("one too many"));
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("A grid holds at most 1024 columns"));
    }
    EXPECT_EQ(columns.Count(), TCells::kMaxColumns);
}

TEST_F(ColumnsTest, displayTextFollowsTheColumnKind)
{
    TGxColumns sourceColumns;
    TCells cells(sourceColumns);
    auto& source = sourceColumns.Add<TGxCustomColumn>(QStringLiteral("source"));
    source.SetCellKind(ckFloat);
    cells.AddColumn(source);
    cells.AddRows(1);
    TCell& cell = cells.CellAt(0, 0);

    auto& text = Add<TGxTextColumn>("text");
    cell.SetAsFloat(12.5);
    EXPECT_EQ(text.GetDisplayText(cell, 0), QStringLiteral("12.5"));
    text.SetTextBefore(QStringLiteral("<"));
    text.SetTextAfter(QStringLiteral(" B"));
    EXPECT_EQ(text.GetDisplayText(cell, 0), QStringLiteral("<12.5 B"));
    text.SetPasswordChar(u'*');
    EXPECT_EQ(text.GetDisplayText(cell, 0), QStringLiteral("*******"));

    auto& number = Add<TGxNumberColumn>("number");
    number.SetHideWhenEmpty(true);
    number.SetEmptyCaption(QStringLiteral("none"));
    number.SetTextAfter(QStringLiteral(" kg"));
    EXPECT_EQ(number.GetDisplayText(cell, 0), QStringLiteral("12.5 kg"));
    cell.SetAsFloat(-0.000001);
    EXPECT_EQ(number.GetDisplayText(cell, 0), QStringLiteral("-1E-6 kg"));
    number.SetFormatMask(QStringLiteral("#,##0.00"));
    cell.SetAsFloat(1234.5);
    EXPECT_EQ(number.GetDisplayText(cell, 0), QStringLiteral("1,234.50 kg"));
    cell.SetAsFloat(0);
    EXPECT_EQ(number.GetDisplayText(cell, 0), QStringLiteral("none"));
    cell.SetAsFloat(-0.000001);
    EXPECT_EQ(number.GetDisplayText(cell, 0), QStringLiteral("0.00 kg"));

    auto& increment = Add<TGxIncrementColumn>("increment");
    EXPECT_EQ(increment.GetDisplayText(cell, 6), QStringLiteral("7"));
}

TEST(FormatFloatTest, followsTheClassicPatternLanguage)
{
    const struct
    {
        const char* format;
        double value;
        const char* expected;
    } cases[] = {
        {"", 1234.5, "1234.5"},
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.00", 0.125, "0.13"},
        {"0.00", 2.675, "2.67"},
        {"#.##", 0.5, ".5"},
        {"0.##", 1, "1"},
        {"#,##0", 1234567, "1,234,567"},
        {"#,##0.00", -1234.567, "-1,234.57"},
        {"000", 7, "007"},
        {"00-00", 1234, "12-34"},
        {"'$'0.0", 3.14159, "$3.1"},
        {"0.00;(0.00);zero", -5, "(5.00)"},
        {"0.00;(0.00);zero", 0, "zero"},
        {"0.0;;\"nothing\"", -1.25, "-1.3"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"0.0e-0", 0.00012, "1.2e-4"},
        {"0.0E+0", 0, "0.0E+0"},
        {"0", 1e20, "1E20"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(FormatFloat(QString::fromLatin1(test.format), test.value),
                  QString::fromLatin1(test.expected))
            << test.format << " " << test.value;
}

TEST_F(ColumnsTest, preparingTheEditorHandsItTheColumnsSettings)
{
    auto& text = Add<TGxTextColumn>("text");
    text.SetAlignment(taCenter);
    text.SetMaxLength(12);
    text.SetPasswordChar(u'#');
    text.PrepareEditor();
    TGxCustomEdit& edit = *text.Editor();
    EXPECT_TRUE(edit.InCell());
    EXPECT_EQ(edit.Alignment(), taCenter);
    EXPECT_EQ(edit.BorderStyle(), bsNone);
    EXPECT_EQ(edit.EditMargins().Left(), 1);
    EXPECT_EQ(edit.MaxLength(), 12);
    EXPECT_EQ(edit.PasswordChar(), QChar(u'#'));

    auto& number = Add<TGxNumberColumn>("number");
    number.SetEditOptions({eoAllowSigns});
    number.SetIncrement(0.5);
    number.SetMax(10);
    number.SetMin(-10);
    number.SetSpinButtons(false);
    number.SetPrecision(3);
    number.PrepareEditor();
    number.UpdateEditor();
    auto& spin = *qobject_cast<TGxSpinEdit*>(number.Editor());
    EXPECT_EQ(spin.Alignment(), taRightJustify);
    EXPECT_EQ(spin.Options(), TGxNumberEditOptions{eoAllowSigns});
    EXPECT_EQ(spin.Increment(), 0.5);
    EXPECT_EQ(spin.Max(), 10);
    EXPECT_EQ(spin.Min(), -10);
    EXPECT_FALSE(spin.SpinButtons());
    EXPECT_EQ(spin.Precision(), 3);
    // The editor works with what it was handed: whole numbers (no eoAllowFloat) in steps of 0.5
    // down to -10.
    int spins = 0;
    spin.OnSpin = [&spins](QObject*, TSpinButtonSet) {
        ++spins;
    };
    spin.SetValue(-9);
    spin.Spin(sbDown);
    EXPECT_EQ(spin.text(), QStringLiteral("-10"));
    spin.Spin(sbDown);
    EXPECT_EQ(spin.text(), QStringLiteral("-10"));
    EXPECT_EQ(spins, 1);
}

TEST_F(ColumnsTest, editAbilitiesAndTypableCharactersDependOnTheKind)
{
    auto& text = Add<TGxTextColumn>("text");
    auto& check = Add<TGxCheckBoxColumn>("check");
    auto& increment = Add<TGxIncrementColumn>("increment");
    EXPECT_EQ(text.GetEditAbilities(), TEditAbilities{eaInput});
    text.SetOptions(text.Options() + TColumnOptions{coEditing});
    EXPECT_EQ(text.GetEditAbilities(), TEditAbilities({eaEditing, eaInput}));
    text.SetEnabled(false);
    EXPECT_TRUE(text.GetEditAbilities().empty());
    EXPECT_EQ(check.GetEditAbilities(), TEditAbilities{eaInput});
    EXPECT_TRUE(increment.GetEditAbilities().empty());
    TGxEdit outside;
    increment.SetInplaceEdit(&outside);
    EXPECT_EQ(increment.GetEditAbilities(), TEditAbilities{eaInput});

    EXPECT_TRUE(text.IsValidChar(u'a'));
    EXPECT_FALSE(text.IsValidChar(u' '));
    auto& number = Add<TGxNumberColumn>("number");
    EXPECT_TRUE(number.IsValidChar(u'7'));
    EXPECT_TRUE(number.IsValidChar(u'.'));
    EXPECT_FALSE(number.IsValidChar(u'-'));
    number.SetEditOptions({eoAllowSigns});
    EXPECT_TRUE(number.IsValidChar(u'-'));
    EXPECT_FALSE(number.IsValidChar(u'.'));
    EXPECT_FALSE(check.IsValidChar(u'x'));
}

TEST_F(ColumnsTest, anInplaceEditIsForgottenWhenItIsDestroyed)
{
    auto& text = Add<TGxTextColumn>("text");
    auto outside = std::make_unique<TGxEdit>();
    text.SetInplaceEdit(outside.get());
    EXPECT_EQ(text.InplaceEdit(), outside.get());
    outside.reset();
    EXPECT_EQ(text.InplaceEdit(), nullptr);
}

TEST_F(ColumnsTest, theCheckBoxInteractorTogglesOnSpace)
{
    auto& check = Add<TGxCheckBoxColumn>("check");
    auto& play = *check.Play();
    int handed = 0;
    int columnChanges = 0;
    play.OnChange = [&](TColumnPlay& sender) {
        EXPECT_EQ(&sender, &play);
        ++handed;
    };
    check.OnChange = [&](TGxCheckBoxColumn* sender) {
        EXPECT_EQ(sender, &check);
        EXPECT_EQ(handed, columnChanges + 1);
        ++columnChanges;
    };
    play.KeyPress(u'x');
    EXPECT_EQ(handed, 0);
    play.KeyPress(u' ');
    EXPECT_TRUE(play.BoolValue());
    EXPECT_EQ(play.Text(), QStringLiteral("True"));
    play.KeyPress(u' ');
    EXPECT_FALSE(play.BoolValue());
    EXPECT_EQ(play.Text(), QStringLiteral("False"));
    EXPECT_EQ(columnChanges, 2);
}

// The editor sits in the viewport. When Qt deletes it with its parent (a replaced viewport, or
// a parent it was moved to), the column must not delete it again; a column deleted first takes
// its editor with it.
TEST(ColumnTest, anEditorHasOneOwner)
{
    {
        TDataGrid grid;
        TGxTextColumn& column = grid.Columns().Add<TGxTextColumn>(QStringLiteral("Text"));
        ASSERT_NE(column.Editor(), nullptr);
        grid.setViewport(new QWidget);
        EXPECT_EQ(column.Editor(), nullptr);
    }
    {
        TDataGrid grid;
        TGxTextColumn& column = grid.Columns().Add<TGxTextColumn>(QStringLiteral("Text"));
        auto elsewhere = std::make_unique<QWidget>();
        column.Editor()->setParent(elsewhere.get());
        elsewhere.reset();
        EXPECT_EQ(column.Editor(), nullptr);
    }
    {
        TDataGrid grid;
        grid.Columns().Add<TGxTextColumn>(QStringLiteral("Text"));
        const QPointer<TGxCustomEdit> editor = grid.Columns().Items(0).Editor();
        grid.Columns().Delete(0);
        EXPECT_TRUE(editor.isNull());
    }
}

#include "app/ResultsGroups.h"

#include "app/ImageViewForm.h"
#include "app/MainForm.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/Memo.h"
#include "platform/PageControl.h"
#include "platform/SysUtils.h"
#include "platform/WindowFrame.h"
#include "search/ResultColumns.h"
#include "search/SizeText.h"
#include "support/TestSupport.h"
#include "support/TrashSandbox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// One row as a search leaves it.
struct TRowFacts
{
    const char* Path;
    int Group;
    int Day; // of December 2026
    bool Marked = true;
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        Paints += event->type() == QEvent::Paint;
        return false;
    }
};

class ResultsGroupsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TApplication::Instance()->SetErrorHandler(
            [this](const QString& message) { m_errors << message; });
        m_form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
        m_form.PageControl1->SetActivePageIndex(1);
    }
    void TearDown() override { TApplication::Instance()->SetErrorHandler({}); }

    TDataGrid& Grid() { return *m_form.DataGrid1; }
    TResultColumns Columns() { return TResultColumns::Resolve(Grid()); }

    void Fill(const std::vector<TRowFacts>& rows)
    {
        const TResultColumns at = Columns();
        for (const TRowFacts& facts : rows) {
            const int row = Grid().AddRow();
            Grid().Cell(at.Dest, row).SetAsString(QString::fromUtf8(facts.Path));
            Grid().Cell(at.Size, row).SetAsString(SizeText(1000.0 * facts.Group));
            Grid()
                .Cell(at.Date, row)
                .SetAsString(DateTimeToStr(EncodeDateTime(2026, 12, facts.Day, 12)));
            Grid().Cell(at.Group, row).SetAsFloat(facts.Group);
            Grid().Cell(at.Del, row).SetAsBoolean(facts.Marked);
        }
        m_form.ResultsGroups().Refresh();
    }

    QStringList Column(int col)
    {
        QStringList texts;
        for (int row = 0; row < Grid().RowCount(); ++row)
            texts << Grid().Cell(col, row).AsString();
        return texts;
    }
    QList<bool> Marks()
    {
        QList<bool> marks;
        for (int row = 0; row < Grid().RowCount(); ++row)
            marks << Grid().Cell(Columns().Del, row).AsBoolean();
        return marks;
    }

    // Every group's rows stand together.
    void ExpectGroupsAdjacent()
    {
        QSet<QString> finished;
        const QStringList groups = Column(Columns().Group);
        for (int row = 0; row < groups.size(); ++row) {
            EXPECT_FALSE(finished.contains(groups[row])) << "group " << groups[row].toStdString();
            if (row + 1 == groups.size() || groups[row + 1] != groups[row])
                finished.insert(groups[row]);
        }
    }

    void ClickHeader(int col)
    {
        const TGxCustomColumn& column = Grid().Columns().Items(col);
        QTest::mouseClick(
            Grid().viewport(), Qt::LeftButton, {},
            QPoint(column.ColumnLeft() + column.Width() / 2, Grid().HeaderSize() / 2));
    }

    QColor PixelIn(int col, int row)
    {
        const QRect cell = Grid().GetCellRect(col, row);
        return Grid().viewport()->grab().toImage().pixelColor(cell.right() - 4, cell.bottom() - 4);
    }

    QStringList m_errors;
    TForm1 m_form;
    TForm2 m_view;
};

// Groups interleaved by name: a sort by path alone would part them.
const std::vector<TRowFacts> kInterleaved = {
    {"/p/c1.jpg", 1, 3, false}, {"/p/a1.jpg", 2, 4, true},  {"/p/e1.jpg", 1, 5, true},
    {"/p/b1.jpg", 3, 6, true},  {"/p/d1.jpg", 2, 7, false}, {"/p/f1.jpg", 3, 2, false},
};

} // namespace

TEST_F(ResultsGroupsTest, headerClicksOrderGroupsByTheirKeeperAndKeepThemTogether)
{
    Fill(kInterleaved);
    const int dest = Columns().Dest;
    ClickHeader(dest);
    // Keepers (the unmarked rows): c1 for group 1, d1 for group 2, f1 for group 3.
    EXPECT_EQ(Column(dest), (QStringList{"/p/c1.jpg", "/p/e1.jpg", "/p/a1.jpg", "/p/d1.jpg",
                                         "/p/b1.jpg", "/p/f1.jpg"}));
    ClickHeader(dest);
    EXPECT_EQ(Column(dest), (QStringList{"/p/f1.jpg", "/p/b1.jpg", "/p/d1.jpg", "/p/a1.jpg",
                                         "/p/e1.jpg", "/p/c1.jpg"}));
    for (int col : {Columns().Size, Columns().Date, Columns().Del, Columns().Res}) {
        ClickHeader(col);
        ExpectGroupsAdjacent();
        ClickHeader(col);
        ExpectGroupsAdjacent();
    }
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST_F(ResultsGroupsTest, alternateGroupsHaveAlternateBackgroundsAndSelectionStaysAsItWas)
{
    // Taller than the documented window, so that all five rows show.
    SetOuterSize(m_form, QSize(769, 900));
    ASSERT_TRUE(QTest::qWaitFor([this] { return OuterSize(m_form).height() == 900; }));
    Fill({{"/p/a.jpg", 1, 1},
          {"/p/b.jpg", 1, 2, false},
          {"/p/c.jpg", 2, 1},
          {"/p/d.jpg", 2, 2, false},
          {"/p/e.jpg", 3, 1, false}});
    QApplication::processEvents();
    const int res = Columns().Res;
    const QColor window = ColorToQColor(TResultsGroups::BandColor(0));
    const QColor tint = ColorToQColor(TResultsGroups::BandColor(1));
    EXPECT_NE(window, tint);
    const std::vector<QColor> expected = {window, window, tint, tint, window};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(PixelIn(res, row), expected[size_t(row)]) << "row " << row;
    // The tint is light: text in the window's text colour stays readable on it.
    EXPECT_GT(tint.lightness(), 150);
    Grid().SetSelectedRow(2);
    QApplication::processEvents();
    EXPECT_NE(PixelIn(res, 2), tint);
    EXPECT_EQ(PixelIn(res, 3), tint);
}

TEST_F(ResultsGroupsTest, summaryAndWholeGroupLineFollowEachClickedMark)
{
    Fill({{"/p/a.jpg", 1, 1},
          {"/p/b.jpg", 1, 2, false},
          {"/p/c.jpg", 2, 1},
          {"/p/d.jpg", 2, 2, false},
          {"/p/e.jpg", 2, 3, false}});
    EXPECT_EQ(m_form.SummaryLabel->text(),
              QStringLiteral("5 files in 2 groups, 2.9 KB can be freed"));
    EXPECT_FALSE(m_form.WholeGroupsLabel->isVisible());
    const QRect box = Grid().GetCellRect(Columns().Del, 1);
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, box.center());
    ASSERT_TRUE(Grid().Cell(Columns().Del, 1).AsBoolean());
    // Group 1 is whole now: one copy of it stays, so it frees 1,000 bytes, not 2,000.
    EXPECT_EQ(m_form.SummaryLabel->text(),
              QStringLiteral("5 files in 2 groups, 2.9 KB can be freed"));
    EXPECT_EQ(m_form.WholeGroupsLabel->text(),
              QStringLiteral("1 group is marked whole: one copy of it will stay."));
    EXPECT_TRUE(m_form.WholeGroupsLabel->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(PixelIn(Columns().Res, 0), ColorToQColor(TResultsGroups::WholeGroupColor()));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                      Grid().GetCellRect(Columns().Del, 3).center());
    EXPECT_EQ(m_form.SummaryLabel->text(),
              QStringLiteral("5 files in 2 groups, 4.9 KB can be freed"));
    EXPECT_EQ(m_form.ResultsGroups().Summary().FreedBytes(), 1000 + 2 * 2000);
}

TEST_F(ResultsGroupsTest, thePathColumnTakesWhatTheWindowGrowsByAndGivesItBack)
{
    const TGxCustomColumn& dest = Grid().Columns().Items(Columns().Dest);
    EXPECT_EQ(dest.Width(), 242);
    for (const auto& [width, expected] :
         {std::pair{969, 442}, std::pair{769, 242}, std::pair{700, 242}, std::pair{1369, 842}}) {
        SetOuterSize(m_form, QSize(width, 530));
        ASSERT_TRUE(QTest::qWaitFor([&] { return OuterSize(m_form).width() == width; }));
        EXPECT_EQ(dest.Width(), expected) << width;
    }
    EXPECT_EQ(dest.WrapKind(), wkPathEllipsis);
}

TEST_F(ResultsGroupsTest, rulesFromTheMenuAndTheButtonActOnceAndNeverMarkAGroupWhole)
{
    EXPECT_EQ(m_form.PopupMenu1->actions().size(), 11);
    EXPECT_TRUE(m_form.PopupMenu1->actions()[3]->isSeparator());
    QStringList captions;
    for (QAction* action : m_form.KeepOneButton->menu()->actions())
        captions << action->text();
    EXPECT_EQ(captions,
              (QStringList{"Keep the oldest of each group", "Keep the newest of each group",
                           "Keep the shortest path of each group", "Keep the copies in this folder",
                           "Mark all in this folder"}));
    // Nothing there: nothing happens but the line saying so.
    m_form.KeepNewest1->trigger();
    EXPECT_EQ(m_form.WholeGroupsLabel->text(), QStringLiteral("There are no results to work on."));

    Fill({{"/a/x.jpg", 1, 10},
          {"/b/x.jpg", 1, 5},
          {"/b/x2.jpg", 1, 20},
          {"/a/y.jpg", 2, 30},
          {"/b/yy.jpg", 2, 30}});
    PaintCounter paints;
    Grid().viewport()->installEventFilter(&paints);
    QApplication::processEvents();
    paints.Paints = 0;
    m_form.KeepNewest1->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Marks(), (QList<bool>{true, true, false, false, true}));
    EXPECT_LE(paints.Paints, 1);
    m_form.KeepOldest1->trigger();
    EXPECT_EQ(Marks(), (QList<bool>{true, false, true, false, true}));
    m_form.KeepShortest1->trigger();
    EXPECT_EQ(Marks(), (QList<bool>{true, false, true, false, true}));
    // The folder rules take the folder of the selected row (the one a right click chose).
    Grid().SetSelectedRow(0);
    m_form.KeepInFolder1->trigger();
    EXPECT_EQ(Marks(), (QList<bool>{false, true, true, false, true}));
    Grid().SetSelectedRow(4);
    m_form.MarkInFolder1->trigger();
    EXPECT_EQ(Marks(), (QList<bool>{false, true, true, false, true}));
    m_form.BitBtn_2->click();
    m_form.MarkInFolder1->trigger();
    EXPECT_EQ(Marks(), (QList<bool>{true, false, true, true, false}));
    EXPECT_EQ(m_form.WholeGroupsLabel->text(), QString());
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

// The rules and the counts work from what was read of each row; rows made, deleted or rewritten
// after that must be read again, not taken from the rows that stood there before.
TEST_F(ResultsGroupsTest, rulesAndCountsFollowRowsChangedAfterTheyWereRead)
{
    Fill({{"/a/x.jpg", 1, 10}, {"/b/x.jpg", 1, 5}, {"/a/y.jpg", 2, 8}, {"/b/y.jpg", 2, 9}});
    const TResultColumns at = Columns();
    m_form.KeepOldest1->trigger();
    ASSERT_EQ(Marks(), (QList<bool>{true, false, false, true}));

    Grid().Cell(at.Date, 0).SetAsString(DateTimeToStr(EncodeDateTime(2026, 12, 1, 12)));
    m_form.KeepOldest1->trigger();
    EXPECT_EQ(Marks(), (QList<bool>{false, true, false, true}));

    Grid().DeleteRow(0);
    const int row = Grid().AddRow();
    Grid().Cell(at.Dest, row).SetAsString(QStringLiteral("/c/y.jpg"));
    Grid().Cell(at.Size, row).SetAsString(SizeText(2000.0));
    Grid().Cell(at.Date, row).SetAsString(DateTimeToStr(EncodeDateTime(2026, 12, 2, 12)));
    Grid().Cell(at.Group, row).SetAsFloat(2);
    m_form.KeepOldest1->trigger();
    EXPECT_EQ(Column(at.Dest), (QStringList{"/b/x.jpg", "/a/y.jpg", "/b/y.jpg", "/c/y.jpg"}));
    EXPECT_EQ(Marks(), (QList<bool>{false, true, true, false}));
    EXPECT_EQ(m_form.ResultsGroups().Summary().Files(), 4);
    EXPECT_EQ(m_form.ResultsGroups().Summary().FreedBytes(), 2 * 2000);

    // A mark clicked after a sort reaches the row's own count.
    ClickHeader(at.Dest);
    const int kept = int(Column(at.Dest).indexOf(QStringLiteral("/b/x.jpg")));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                      Grid().GetCellRect(at.Del, kept).center());
    EXPECT_TRUE(Grid().Cell(at.Del, kept).AsBoolean());
    EXPECT_EQ(m_form.ResultsGroups().Summary().WholeGroups(), 1);
    // And a rule after the sort takes each row for itself.
    m_form.KeepNewest1->trigger();
    QStringList unmarked;
    for (int r = 0; r < Grid().RowCount(); ++r)
        if (!Grid().Cell(at.Del, r).AsBoolean())
            unmarked << Grid().Cell(at.Dest, r).AsString();
    unmarked.sort();
    EXPECT_EQ(unmarked, (QStringList{"/b/x.jpg", "/b/y.jpg"}));
    EXPECT_EQ(m_form.ResultsGroups().Summary().WholeGroups(), 0);
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST_F(ResultsGroupsTest, saveListWritesTheChosenFileAndReportsOneItCannotWrite)
{
    QTemporaryDir dir;
    QString chosen;
    int asked = 0;
    m_form.SaveDialog = [&](QWidget*, const QString& caption, const QString&) {
        ++asked;
        EXPECT_EQ(caption, QStringLiteral("Save list"));
        return chosen;
    };
    m_form.SaveList1->trigger();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(m_form.WholeGroupsLabel->text(), QStringLiteral("There are no results to work on."));

    Fill({{"/p/a.jpg", 1, 1}, {"/p/b.jpg", 1, 2, false}});
    m_form.SaveList1->trigger(); // cancelled: an empty choice
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    chosen = dir.filePath(QStringLiteral("twins.csv"));
    m_form.SaveList1->trigger();
    QFile saved(chosen);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count("\r\n"), 3);
    EXPECT_TRUE(m_errors.isEmpty());

    chosen = dir.filePath(QStringLiteral("gone/twins.csv"));
    m_form.SaveList1->trigger();
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("No such file or directory")))
        << m_errors[0].toStdString();
    EXPECT_EQ(asked, 3);
}

// A real search, then Delete and Delete as the page leaves them: the copies go, one of each
// picture stays, and nothing had to be kept back.
TEST(ResultsGroupsEndToEndTest, deleteAfterTheDefaultsRemovesExactlyTheCopiesNotKept)
{
    TrashSandbox sandbox;
    ASSERT_TRUE(sandbox.IsValid());
    QStringList errors;
    TApplication::Instance()->SetErrorHandler([&](const QString& message) { errors << message; });
    const QString root = sandbox.Dir().filePath(QStringLiteral("pictures"));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/sub")));
    const auto write = [&](const QString& name, const QByteArray& content) {
        QFile file(root + '/' + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.repeated(40));
    };
    for (const char* name : {"a1.jpg", "sub/a2.jpg", "sub/a3.jpg"})
        write(QLatin1String(name), "picture A ");
    for (const char* name : {"b1.jpg", "sub/b2.jpg"})
        write(QLatin1String(name), "picture B ");
    write(QStringLiteral("unique.jpg"), "picture C ");

    TForm1 form;
    TForm2 view;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Edit1->setText(root);
    form.CheckBox1->setChecked(true);
    // While the rows are being made there is nothing to count yet, and nothing is claimed.
    QString summaryWhileMaking = QStringLiteral("not seen");
    form.OnSearchPhase = [&](TSearchPhase phase) {
        if (phase == TSearchPhase::ResultRows)
            summaryWhileMaking = form.SummaryLabel->text();
    };
    form.BitBtn1->click();
    EXPECT_EQ(summaryWhileMaking, QString());
    TDataGrid& grid = *form.DataGrid1;
    const TResultColumns at = TResultColumns::Resolve(grid);
    ASSERT_EQ(grid.RowCount(), 5);
    QSet<QString> kept, removed;
    for (int row = 0; row < grid.RowCount(); ++row)
        (grid.Cell(at.Del, row).AsBoolean() ? removed : kept) << grid.Cell(at.Dest, row).AsString();
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(form.SummaryLabel->text(),
              QStringLiteral("5 files in 2 groups, 1.2 KB can be freed"));

    form.BitBtn5->click();
    form.BitBtn6->click();
    QStringList report;
    for (int i = 0; i < form.Memo3->Lines().Count(); ++i)
        report << form.Memo3->Lines().Text(i);
    EXPECT_EQ(report.size(), 1 + removed.size()) << report.join('\n').toStdString();
    for (const QString& line : report)
        EXPECT_FALSE(line.contains(QLatin1String("kept"))) << line.toStdString();
    for (const QString& path : removed)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString& path : kept)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/unique.jpg")));
    EXPECT_EQ(sandbox.TrashFiles().entryList(QDir::Files).size(), removed.size());
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    TApplication::Instance()->SetErrorHandler({});
}

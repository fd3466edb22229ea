#include "app/ImageViewForm.h"
#include "app/MainForm.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/DesktopShell.h"
#include "platform/FileNames.h"
#include "platform/Image.h"
#include "platform/PageControl.h"
#include "platform/WindowFrame.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

// What the image view showed when a preview ran its modal loop.
struct TShownPreview
{
    QSize OuterSize;
    QSize Picture;
};

class ResultsPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        TApplication::Instance()->SetErrorHandler(
            [this](const QString& message) { m_errors << message; });
        SetShellHandlers({[this](const QUrl& url) { m_opened << url; },
                          [this](const QByteArray& path) {
                              m_properties << path;
                          }});
        m_view.ModalLoop = [this](TForm2& view) {
            m_shown = TShownPreview{OuterSize(view), view.Image1->Picture().size()};
        };
    }
    void TearDown() override
    {
        SetShellHandlers({});
        TApplication::Instance()->SetErrorHandler({});
    }

    TDataGrid& Grid() { return *m_form.DataGrid1; }

    // One results row per path, marked as a search leaves it.
    void AddRows(const QList<QByteArray>& paths)
    {
        for (const QByteArray& path : paths)
            Grid().Cell(QStringLiteral("Dest"), Grid().AddRow()).SetAsString(FileNameToText(path));
    }

    QList<bool> Marks()
    {
        QList<bool> marks;
        for (int row = 0; row < Grid().RowCount(); ++row)
            marks << Grid().Cell(QStringLiteral("Del"), row).AsBoolean();
        return marks;
    }

    void SetMarks(const QList<bool>& marks)
    {
        for (int row = 0; row < marks.size(); ++row)
            Grid().Cell(QStringLiteral("Del"), row).SetAsBoolean(marks[row]);
    }

    QByteArray PictureFile(const char* name, QSize size, const char* format)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString path = m_dir.filePath(QLatin1String(name));
        EXPECT_TRUE(picture.save(path, format));
        return QFile::encodeName(path);
    }

    // A click on the thumbnail of the row whose file is the path.
    void Preview(const QByteArray& path)
    {
        AddRows({path});
        Grid().SetSelectedRow(Grid().RowCount() - 1);
        m_shown.reset();
        m_form.DataGrid1CellClick(&Grid(), 5, Grid().SelectedRow());
    }

    QTemporaryDir m_dir;
    TForm1 m_form;
    TForm2 m_view;
    QStringList m_errors;
    QList<QUrl> m_opened;
    QList<QByteArray> m_properties;
    std::optional<TShownPreview> m_shown;
};

TEST_F(ResultsPageTest, markButtonsSetClearAndInvertEveryRowAndNothingElse)
{
    AddRows({"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"});
    SetMarks({true, false, true});
    QTest::mouseClick(m_form.BitBtn_1, Qt::LeftButton);
    EXPECT_EQ(Marks(), (QList<bool>{false, true, false}));
    QTest::mouseClick(m_form.BitBtn_2, Qt::LeftButton);
    EXPECT_EQ(Marks(), (QList<bool>{true, true, true}));
    QTest::mouseClick(m_form.BitBtn_3, Qt::LeftButton);
    EXPECT_EQ(Marks(), (QList<bool>{false, false, false}));
    EXPECT_EQ(Grid().Cells(Grid().ColumnByName(QStringLiteral("Dest"))->Index(), 1),
              QStringLiteral("/p/b.jpg"));
    EXPECT_EQ(Grid().UpdateCount(), 0);
    EXPECT_TRUE(m_errors.isEmpty());
}

// Nothing marks a reference file's row: not Select All, not Invert.
TEST_F(ResultsPageTest, markButtonsLeaveReferenceRowsUnmarked)
{
    AddRows({"/p/a.jpg", "/ref/a.jpg", "/p/b.jpg"});
    Grid().Cell(QStringLiteral("Ref"), 1).SetAsString(QStringLiteral("True"));
    SetMarks({true, false, false});
    QTest::mouseClick(m_form.BitBtn_1, Qt::LeftButton);
    EXPECT_EQ(Marks(), (QList<bool>{false, false, true}));
    QTest::mouseClick(m_form.BitBtn_2, Qt::LeftButton);
    EXPECT_EQ(Marks(), (QList<bool>{true, false, true}));
    QTest::mouseClick(m_form.BitBtn_3, Qt::LeftButton);
    EXPECT_EQ(Marks(), (QList<bool>{false, false, false}));
}

TEST_F(ResultsPageTest, markButtonsOnAnEmptyGridDoNothing)
{
    for (QPushButton* button : {m_form.BitBtn_1, m_form.BitBtn_2, m_form.BitBtn_3})
        QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(Grid().RowCount(), 0);
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(ResultsPageTest, menuCommandsHandTheSelectedRowsFileToTheDesktop)
{
    AddRows({"/pics/a.jpg", "/pics/deeper/b.jpg", "/c.jpg"});
    Grid().SetSelectedRow(1);
    m_form.Execute1->trigger();
    m_form.Opencontainfolder1->trigger();
    m_form.Properties1->trigger();
    EXPECT_EQ(m_opened, (QList<QUrl>{QUrl(QStringLiteral("file:///pics/deeper/b.jpg")),
                                     QUrl(QStringLiteral("file:///pics/deeper"))}));
    EXPECT_EQ(m_properties, (QList<QByteArray>{"/pics/deeper/b.jpg"}));

    m_opened.clear();
    Grid().SetSelectedRow(2);
    m_form.Opencontainfolder1->trigger();
    m_form.DataGrid1CellDblClick(&Grid(), 3, 0);
    EXPECT_EQ(m_opened, (QList<QUrl>{QUrl(QStringLiteral("file:///")),
                                     QUrl(QStringLiteral("file:///c.jpg"))}))
        << "the double click opens the selected row's file, not the row it was given";
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(ResultsPageTest, aNameThatIsNotUtf8ReachesTheDesktopByteForByte)
{
    const QByteArray path = "/pics/caf\xe9 #1?.jpg";
    AddRows({path});
    Grid().SetSelectedRow(0);
    m_form.Execute1->trigger();
    m_form.Properties1->trigger();
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened[0].toEncoded(), QByteArray("file:///pics/caf%E9%20%231%3F.jpg"));
    EXPECT_EQ(QByteArray::fromPercentEncoding(m_opened[0].path(QUrl::FullyEncoded).toLatin1()),
              path);
    EXPECT_EQ(m_properties, (QList<QByteArray>{path}));
}

TEST_F(ResultsPageTest, withoutASelectedRowACommandReportsTheRowErrorAndOpensNothing)
{
    AddRows({"/pics/a.jpg"});
    ASSERT_EQ(Grid().SelectedRow(), -1);
    m_form.Properties1->trigger();
    m_form.Execute1->trigger();
    // As the grid's double click reaches it: an error leaves the handler for the error box.
    Guarded([this] { m_form.DataGrid1CellDblClick(&Grid(), 0, 0); })();
    EXPECT_EQ(m_errors, QStringList(3, QStringLiteral("List index out of bounds (-1)")));
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_TRUE(m_properties.isEmpty());
}

TEST(PreviewOuterSizeTest, followsThePicturesProportionsWithinSevenHundredByFourHundredFifty)
{
    EXPECT_EQ(PreviewOuterSize(QSize(1600, 1200)), QSize(700, 525));
    EXPECT_EQ(PreviewOuterSize(QSize(1200, 1600)), QSize(338, 450)) << "337.5 goes to the even";
    EXPECT_EQ(PreviewOuterSize(QSize(3000, 2000)), QSize(700, 467));
    EXPECT_EQ(PreviewOuterSize(QSize(640, 640)), QSize(700, 450));
    EXPECT_EQ(PreviewOuterSize(QSize(100, 1300)), QSize(35, 450)) << "34.615...";
}

TEST_F(ResultsPageTest, aThumbnailClickShowsThePictureAtItsSize)
{
    Preview(PictureFile("tall.JPG", QSize(1200, 1600), "jpeg"));
    ASSERT_TRUE(m_shown);
    EXPECT_EQ(m_shown->OuterSize, QSize(338, 450));
    EXPECT_EQ(m_shown->Picture, QSize(1200, 1600));

    Preview(PictureFile("wide.bmp", QSize(300, 200), "bmp"));
    ASSERT_TRUE(m_shown);
    EXPECT_EQ(m_shown->OuterSize, QSize(700, 467));

    Preview(PictureFile("square.png", QSize(64, 64), "png"));
    ASSERT_TRUE(m_shown);
    EXPECT_EQ(m_shown->OuterSize, QSize(700, 450));
    EXPECT_EQ(m_shown->Picture, QSize(64, 64));
    EXPECT_TRUE(m_view.Image1->Picture().isNull()) << "the picture is let go once closed";
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(ResultsPageTest, aCellClickResetsTheViewsSizeAndOnlyTheThumbnailShowsIt)
{
    const QByteArray path = PictureFile("a.jpg", QSize(160, 120), "jpeg");
    AddRows({path});
    Grid().SetSelectedRow(0);
    m_view.SetOuterSize(QSize(900, 300));
    m_form.DataGrid1CellClick(&Grid(), 2, 0);
    EXPECT_EQ(OuterSize(m_view), QSize(700, 450));
    EXPECT_FALSE(m_shown);
}

TEST_F(ResultsPageTest, aPictureThatCannotBeShownEndsThePreviewSilently)
{
    const QByteArray gone = PictureFile("gone.jpg", QSize(160, 120), "jpeg");
    QFile::remove(QFile::decodeName(gone));
    Preview(gone);
    EXPECT_FALSE(m_shown);
    Preview(PictureFile("other.gif", QSize(40, 20), "png"));
    EXPECT_FALSE(m_shown);
    QFile text(m_dir.filePath(QStringLiteral("text.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all");
    text.close();
    Preview(QFile::encodeName(text.fileName()));
    EXPECT_FALSE(m_shown);
    EXPECT_EQ(OuterSize(m_view), QSize(700, 450));

    // No selected row: the same silence, unlike the menu commands.
    Grid().ClearRows();
    AddRows({PictureFile("b.jpg", QSize(160, 120), "jpeg")});
    m_form.DataGrid1CellClick(&Grid(), 5, 0);
    EXPECT_FALSE(m_shown);
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n');
}

// The results page as a user reaches it: the window shown on it, the mouse on the grid.
class ResultsPageMouseTest : public ResultsPageTest
{
protected:
    void SetUp() override
    {
        ResultsPageTest::SetUp();
        m_form.PageControl1->SetActivePageIndex(1);
        m_form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    }
    QWidget* View() { return Grid().viewport(); }
};

TEST_F(ResultsPageMouseTest, aRightClickBelowTheRowsOpensTheMenuButPropertiesReportsTheRowError)
{
    AddRows({"/pics/a.jpg"});
    const QRect row = Grid().GetCellRect(1, 0);
    const QPoint below(row.center().x(), row.bottom() + 20);
    QTest::mousePress(View(), Qt::RightButton, {}, below);
    QContextMenuEvent request(QContextMenuEvent::Mouse, below, View()->mapToGlobal(below));
    QApplication::sendEvent(View(), &request);
    QTest::mouseRelease(View(), Qt::RightButton, {}, below);
    EXPECT_TRUE(m_form.PopupMenu1->isVisible());
    m_form.Properties1->trigger();
    m_form.PopupMenu1->hide();
    EXPECT_EQ(m_errors, QStringList{"List index out of bounds (-1)"});
    EXPECT_TRUE(m_properties.isEmpty());

    // On the row, the right click selects it first.
    QTest::mousePress(View(), Qt::RightButton, {}, row.center());
    m_form.Execute1->trigger();
    EXPECT_EQ(m_opened, QList<QUrl>{QUrl(QStringLiteral("file:///pics/a.jpg"))});
}

TEST_F(ResultsPageMouseTest, aReferenceRowsMarkCannotBeClickedOnAndShowsALock)
{
    AddRows({"/p/a.jpg", "/ref/a.jpg"});
    Grid().Cell(QStringLiteral("Ref"), 1).SetAsString(QStringLiteral("True"));
    SetMarks({false, false});
    for (int row : {0, 1})
        QTest::mouseClick(View(), Qt::LeftButton, {}, Grid().GetCellRect(6, row).center());
    EXPECT_EQ(Marks(), (QList<bool>{true, false}));
    // The lock's gold where the other row shows its check box.
    const QImage picture = View()->grab().toImage();
    const auto hasGold = [&picture](const QRect& cell) {
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor colour = picture.pixelColor(x, y);
                if (colour.red() > 180 && colour.green() > 130 && colour.blue() < 80)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(hasGold(Grid().GetCellRect(6, 1)));
    EXPECT_FALSE(hasGold(Grid().GetCellRect(6, 0)));
}

TEST_F(ResultsPageMouseTest, aClickOnAThumbnailShowsThePictureAndOnTheMarkTogglesIt)
{
    AddRows({PictureFile("wide.jpg", QSize(1600, 1200), "jpeg")});
    QTest::mouseClick(View(), Qt::LeftButton, {}, Grid().GetCellRect(5, 0).center());
    ASSERT_TRUE(m_shown);
    EXPECT_EQ(m_shown->OuterSize, QSize(700, 525));
    m_shown.reset();
    QTest::mouseClick(View(), Qt::LeftButton, {}, Grid().GetCellRect(6, 0).center());
    EXPECT_FALSE(m_shown);
    EXPECT_FALSE(Grid().Cell(QStringLiteral("Del"), 0).AsBoolean());
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n');
}

} // namespace

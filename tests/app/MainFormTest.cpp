#include "app/MainForm.h"

#include "app/ImageViewForm.h"
#include "app/ResultsGroups.h"
#include "edits/GxExecuteButton.h"
#include "edits/GxFolderEdit.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/Graphics.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/PageControl.h"
#include "platform/ProgressBar.h"
#include "platform/WindowFrame.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

class MainFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TApplication::Instance()->SetErrorHandler(
            [this](const QString& message) { m_errors << message; });
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { TApplication::Instance()->SetErrorHandler({}); }

    void ShowForm()
    {
        m_form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    }

    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    int Page() const { return m_form.PageControl1->ActivePageIndex(); }

    void MakeFiles(const QString& folder, int count)
    {
        QDir().mkpath(m_dir.filePath(folder));
        for (int i = 0; i < count; ++i) {
            QFile file(m_dir.filePath(folder + QStringLiteral("/%1.jpg").arg(i)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    // Start pressed on the options page with the folder of the test's files.
    void Start(bool recurse)
    {
        m_form.Edit1->setText(m_dir.path());
        m_form.CheckBox1->setChecked(recurse);
        m_form.PageControl1->SetActivePageIndex(0);
        Click(m_form.BitBtn1);
    }

    // Runs the action at the first point where a run lets messages be handled.
    static void DuringTheRun(std::function<void()> action)
    {
        QTimer::singleShot(0, std::move(action));
    }

    QStringList m_errors;
    QTemporaryDir m_dir;
    TForm1 m_form;
    TForm2 m_view;
};

} // namespace

TEST_F(MainFormTest, startsOnTheOptionsPageWithItsInitialValues)
{
    ShowForm();
    EXPECT_EQ(Form1, &m_form);
    EXPECT_EQ(Form2, &m_view);
    EXPECT_EQ(m_form.windowTitle(), QStringLiteral("Twinpics"));
    EXPECT_EQ(OuterSize(m_form), QSize(769, 530));
    EXPECT_EQ(Page(), 0);
    EXPECT_FALSE(m_form.PageControl1->findChild<QTabBar*>()->isVisible());
    EXPECT_EQ(m_form.GroupBox3->title(), QStringLiteral("Options of the search :"));
    EXPECT_EQ(m_form.Edit1->text(), QDir::homePath() + '/');
    EXPECT_EQ(m_form.Edit1->geometry(), QRect(23, 32, 350, 25));
    EXPECT_EQ(m_form.ComboBox1->currentText(), QStringLiteral("*.jpg"));
    EXPECT_EQ(m_form.ComboBox1->count(), 4);
    EXPECT_EQ(m_form.ComboBox1->itemText(3), QStringLiteral("All pictures"));
    EXPECT_EQ(m_form.ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(m_form.Edit2->text().isEmpty());
    EXPECT_TRUE(m_form.Label8->isHidden());
    EXPECT_FALSE(m_form.CheckBox1->isChecked());
    EXPECT_EQ(m_form.CheckBox1->text(), QStringLiteral("Search in subdirectories"));
    EXPECT_TRUE(m_form.RadioButton1->isChecked());
    EXPECT_FALSE(m_form.RadioButton2->isChecked());
    EXPECT_FALSE(m_form.RadioButton3->isChecked());
    EXPECT_EQ(m_form.StopFlag, 1);
    EXPECT_EQ(m_form.BitBtn1->geometry(), QRect(0, 66, 75, 26));
    EXPECT_EQ(m_form.BitBtn1->iconSize(), QSize(22, 22));
    EXPECT_EQ(m_form.BitBtn5->toolTip(), QStringLiteral("Delete selected files"));
    EXPECT_EQ(m_form.Panel2->height(), 93);
    EXPECT_EQ(m_form.ProgressBar1->Position(), 0);
    EXPECT_EQ(m_form.ImageList1->Width(), 100);
    EXPECT_EQ(m_form.ImageList1->Height(), 75);
}

TEST_F(MainFormTest, workingControlsAreHiddenAndThePlaceholderIsReady)
{
    ShowForm();
    const QList<QWidget*> hiddenControls{m_form.Memo1,     m_form.Memo2,   m_form.DataGrid2,
                                         m_form.DataGrid3, m_form.Image1,  m_form.Image2,
                                         m_form.Button1,   m_form.Button2, m_form.BitBtn3};
    for (QWidget* hidden : hiddenControls)
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(m_form.Image1->geometry(), QRect(584, 109, 100, 80));
    EXPECT_EQ(m_form.Image1->Picture().size(), QSize(100, 80));
    EXPECT_EQ(m_form.DataGrid1->objectName(), QStringLiteral("DataGrid1"));
    EXPECT_EQ(m_form.DataGrid2->geometry(), QRect(48, 32, 441, 105));
    EXPECT_EQ(m_form.Memo1->geometry(), QRect(64, 240, 553, 89));
}

TEST_F(MainFormTest, imageViewIsCreatedHidden)
{
    EXPECT_TRUE(m_view.isHidden());
    EXPECT_EQ(m_view.windowTitle(), QStringLiteral("Image View"));
    EXPECT_EQ(m_view.geometry().topLeft(), QPoint(302, 194));
    EXPECT_EQ(OuterSize(m_view), QSize(500, 379));
    EXPECT_TRUE(m_view.Image1->Stretch());
}

TEST_F(MainFormTest, buttonsMoveBetweenPagesAndBackKeepsTheContent)
{
    ShowForm();
    m_form.PageControl1->SetActivePageIndex(1);
    m_form.Memo3->Lines().Add("/old/report line");
    m_form.RadioButton2->setChecked(true);
    Click(m_form.BitBtn5);
    EXPECT_EQ(Page(), 2);
    Click(m_form.BitBtn7);
    EXPECT_EQ(Page(), 1);
    Click(m_form.BitBtn4);
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(m_form.RadioButton2->isChecked());
    EXPECT_EQ(m_form.Memo3->Lines().Count(), 1);

    m_form.PageControl1->SetActivePageIndex(2);
    Click(m_form.BitBtn6);
    EXPECT_EQ(Page(), 3);
    // The old report is gone; with no results the run ends after its header, on the progress
    // bar's range error.
    ASSERT_EQ(m_form.Memo3->Lines().Count(), 1);
    EXPECT_EQ(m_form.Memo3->Lines().Text(0), QStringLiteral("Next files removed from hard drive:"));
    EXPECT_EQ(m_errors, QStringList{QStringLiteral("Property value out of range")});
    Click(m_form.BitBtn9);
    EXPECT_EQ(Page(), 2);
}

TEST_F(MainFormTest, exitClosesTheWindow)
{
    ShowForm();
    m_form.PageControl1->SetActivePageIndex(3);
    Click(m_form.BitBtn8);
    EXPECT_FALSE(m_form.isVisible());
}

TEST_F(MainFormTest, markButtonsFollowTheWindowWidth)
{
    ShowForm();
    const auto lefts = [this] {
        return QList<int>{m_form.BitBtn_3->x(), m_form.BitBtn_2->x(), m_form.BitBtn_1->x()};
    };
    EXPECT_EQ(lefts(), (QList<int>{519, 594, 669}));
    SetOuterSize(m_form, QSize(1000, 530));
    ASSERT_TRUE(QTest::qWaitFor([this] { return OuterSize(m_form).width() == 1000; }));
    EXPECT_EQ(lefts(), (QList<int>{750, 825, 900}));
    EXPECT_EQ(m_form.BitBtn_1->y(), 20);
}

TEST_F(MainFormTest, startScansTheFolderAndEndsWithFinish)
{
    MakeFiles(QStringLiteral("a"), 4);
    MakeFiles(QStringLiteral("b"), 3);
    ShowForm();
    Start(false);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 0);
    EXPECT_EQ(m_form.Label3->text(), QString()) << "written only after a subfolder";
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_form.StopFlag, 1);

    Start(true);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 7);
    // The candidate phase names every file it measures; none of these is large enough to be
    // compared, so the run ends after it.
    EXPECT_EQ(m_form.Label3->text(), m_form.Memo1->Lines().Text(6));
    EXPECT_EQ(m_form.ProgressBar1->Max(), 5);
    EXPECT_EQ(m_form.ProgressBar1->Position(), 6);
    EXPECT_EQ(m_form.DataGrid2->RowCount(), 0);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST_F(MainFormTest, browseFillsTheFolderFieldAndStartSearchesIt)
{
    MakeFiles(QStringLiteral("picked"), 3);
    ShowForm();
    TGxExecuteButton& browse = m_form.Edit1->Button();
    EXPECT_EQ(browse.Caption(), QStringLiteral("Browse"));
    EXPECT_EQ(browse.width(), 70);
    EXPECT_EQ(browse.geometry().right(), m_form.Edit1->ClientRect().right());
    EXPECT_EQ(m_form.Edit1->DialogCaption(), QStringLiteral("Select folder"));
    EXPECT_EQ(m_form.Edit1->textMargins().right(), 70);

    QString startedAt;
    m_form.Edit1->SetFolderDialog([&](QWidget*, const QString&, const QString& start) {
        startedAt = start;
        return m_dir.filePath(QStringLiteral("picked"));
    });
    QTest::mouseClick(&browse, Qt::LeftButton, Qt::NoModifier, browse.rect().center());
    EXPECT_EQ(startedAt, QDir::homePath() + '/');
    EXPECT_EQ(m_form.Edit1->text(), m_dir.filePath(QStringLiteral("picked")));

    Click(m_form.BitBtn1);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 3);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
}

TEST_F(MainFormTest, emptyFolderOrOneFileEndsQuietlyWithFinish)
{
    ShowForm();
    Start(true);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
    MakeFiles(QStringLiteral("."), 1);
    Start(true);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 1);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_form.StopFlag, 1);
    EXPECT_TRUE(m_errors.isEmpty()) << "the refused progress maximum must not reach the user";
}

TEST_F(MainFormTest, stopWhileIdleMakesTheNextStartOnlyTurnThePage)
{
    MakeFiles(QStringLiteral("."), 2);
    ShowForm();
    m_form.PageControl1->SetActivePageIndex(1);
    Click(m_form.BitBtn2);
    EXPECT_EQ(m_form.StopFlag, 0);
    m_form.Memo1->Lines().Add("/previous/run.jpg");
    Start(false);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(m_form.StopFlag, 1);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 1) << "no run may begin";
    Start(false);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 2);
    EXPECT_EQ(m_form.StopFlag, 1);
}

TEST_F(MainFormTest, hiddenStopButtonRequestsAStop)
{
    m_form.StopFlag = 0;
    m_form.BitBtn3Click(m_form.BitBtn3);
    EXPECT_EQ(m_form.StopFlag, 1);
    m_form.BitBtn3Click(m_form.BitBtn3);
    EXPECT_EQ(m_form.StopFlag, 1);
}

TEST_F(MainFormTest, startPressedDuringARunStopsItAndStartsNothing)
{
    MakeFiles(QStringLiteral("a"), 100);
    MakeFiles(QStringLiteral("b"), 100);
    ShowForm();
    int pagesDuringRun = -1;
    DuringTheRun([this, &pagesDuringRun] {
        Click(m_form.BitBtn4);
        pagesDuringRun = Page();
        Click(m_form.BitBtn1);
    });
    Start(true);
    EXPECT_EQ(pagesDuringRun, 0);
    EXPECT_EQ(Page(), 1);
    EXPECT_LT(m_form.Memo1->Lines().Count(), 200);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_form.StopFlag, 1);
}

// Back, Start, Back, Start during a run asks for a new run: it begins only once the old one has
// ended, whichever phase the request came in, so the rows, their thumbnails and the labels are
// the new run's alone.
TEST_F(MainFormTest, startPressedTwiceDuringARunStartsTheNextRunAfterIt)
{
    for (int i = 0; i < 80; ++i) {
        QFile file(m_dir.filePath(QStringLiteral("%1.jpg").arg(i)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(200 + i / 2, char(i / 2)));
    }
    ShowForm();
    for (const TSearchPhase phase :
         {TSearchPhase::CandidateList, TSearchPhase::Comparison, TSearchPhase::ResultRows,
          TSearchPhase::Thumbnails}) {
        SCOPED_TRACE(int(phase));
        int scans = 0;
        m_form.OnSearchPhase = [&](TSearchPhase now) {
            scans += now == TSearchPhase::Scan;
            if (now == phase && scans == 1)
                DuringTheRun([this] {
                    for (int twice = 0; twice < 2; ++twice) {
                        Click(m_form.BitBtn4);
                        Click(m_form.BitBtn1);
                    }
                });
        };
        Start(false);
        EXPECT_EQ(scans, 2);
        TDataGrid& results = *m_form.DataGrid1;
        ASSERT_EQ(results.RowCount(), 80);
        QSet<QString> paths;
        for (int row = 0; row < results.RowCount(); ++row) {
            paths.insert(results.Cell(QStringLiteral("Dest"), row).AsString());
            EXPECT_EQ(results.Cell(QStringLiteral("Priv"), row).AsInteger(), row);
        }
        EXPECT_EQ(paths.size(), 80);
        EXPECT_EQ(m_form.ImageList1->Count(), 80);
        EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
        EXPECT_EQ(m_form.StopFlag, 1);
        EXPECT_EQ(Page(), 1);
    }
}

// Stop after such a request gives the new run up as well.
TEST_F(MainFormTest, stopAfterARequestForANewRunEndsBoth)
{
    MakeFiles(QStringLiteral("a"), 100);
    ShowForm();
    int scans = 0;
    m_form.OnSearchPhase = [&scans](TSearchPhase now) {
        scans += now == TSearchPhase::Scan;
    };
    DuringTheRun([this] {
        for (int twice = 0; twice < 2; ++twice) {
            Click(m_form.BitBtn4);
            Click(m_form.BitBtn1);
        }
        Click(m_form.BitBtn2);
    });
    Start(true);
    EXPECT_EQ(scans, 1);
    EXPECT_LT(m_form.Memo1->Lines().Count(), 100);
    EXPECT_EQ(m_form.StopFlag, 1);
    Start(true);
    EXPECT_EQ(scans, 2);
    EXPECT_EQ(m_form.Memo1->Lines().Count(), 100);
}

TEST_F(MainFormTest, stopDuringTheScanKeepsThePartialList)
{
    MakeFiles(QStringLiteral("a"), 100);
    ShowForm();
    DuringTheRun([this] { Click(m_form.BitBtn2); });
    Start(true);
    EXPECT_GE(m_form.Memo1->Lines().Count(), 1);
    EXPECT_LT(m_form.Memo1->Lines().Count(), 100);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_form.StopFlag, 1);
}

TEST_F(MainFormTest, closingTheWindowDuringARunEndsTheRunAtOnce)
{
    MakeFiles(QStringLiteral("a"), 100);
    ShowForm();
    DuringTheRun([this] { m_form.close(); });
    Start(true);
    EXPECT_FALSE(m_form.isVisible());
    EXPECT_LE(m_form.Memo1->Lines().Count(), 1);
    EXPECT_EQ(m_form.StopFlag, 1);
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(MainFormTest, closingTheWindowDuringARunEndsTheProgram)
{
    MakeFiles(QStringLiteral("a"), 100);
    ShowForm();
    QTimer::singleShot(0, [this] {
        DuringTheRun([this] { m_form.close(); });
        Start(true);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QApplication::exit(1); });
    guard.start(20000);
    EXPECT_EQ(QApplication::exec(), 0) << "the event loop did not end";
    EXPECT_LE(m_form.Memo1->Lines().Count(), 1);
}

TEST_F(MainFormTest, eachPageCanBeSeen)
{
    const QString folder = QStringLiteral(TWINPICS_TEST_OUTPUT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    ShowForm();
    m_form.Label1->setText(QStringLiteral("Finding files: /photos/Tom & Jerry/<b>not bold</b>"));
    m_form.Label3->setText(QStringLiteral("Quantity of found files 12"));
    for (int page = 0; page < 4; ++page) {
        m_form.PageControl1->SetActivePageIndex(page);
        const QImage shot = m_form.grab().toImage();
        EXPECT_EQ(shot.size(), m_form.size());
        const QString file = folder + QStringLiteral("/page%1.png").arg(page);
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
    }
}

TEST_F(MainFormTest, aRealSearchShowsItsRowsOnTheResultsPage)
{
    // Two pictures, each with a copy: four result rows.
    const QString images = TestDataDir() + QStringLiteral("/jpeg/valid/");
    const QStringList sources{images + QStringLiteral("debian-eterm/Neopolis-horizon.jpg"),
                              images + QStringLiteral("go/video-001.progressive.jpg")};
    for (int i = 0; i < sources.size(); ++i)
        for (const char* copy : {"", " copy"})
            ASSERT_TRUE(QFile::copy(
                sources[i],
                m_dir.filePath(QStringLiteral("p%1%2.jpg").arg(i).arg(QLatin1String(copy)))));
    m_form.resize(1000, 700);
    ShowForm();
    m_form.ComboBox1->setCurrentIndex(0);
    Start(false);
    ASSERT_EQ(m_form.DataGrid1->RowCount(), 4);
    EXPECT_EQ(Page(), 1);

    const QString folder = QStringLiteral(TWINPICS_TEST_OUTPUT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(m_form.grab().toImage().save(folder + QStringLiteral("/results_page.png")));

    TDataGrid& grid = *m_form.DataGrid1;
    const QImage shot = grid.viewport()->grab().toImage();
    const QRgb line = ColorToQColor(clBtnFace).rgb();
    const QRgb window = ColorToQColor(clWindow).rgb();
    // Rows 82 pixels apart, each closed by its grid line; the thumbnail centred in "Priv"; two
    // groups of two, the second on the tinted band.
    const TGxCustomColumn& priv = *grid.ColumnByName(QStringLiteral("Priv"));
    const int thumbnailX = priv.ColumnLeft() + (priv.Width() - 1) / 2;
    for (int row = 0; row < 4; ++row) {
        const int top = grid.GetRowTop(row);
        EXPECT_EQ(top, grid.HeaderSize() + 82 * row);
        EXPECT_EQ(shot.pixel(priv.ColumnLeft() + 5, top + 81), line) << row;
        EXPECT_EQ(shot.pixel(priv.ColumnLeft() + 5, top + 40),
                  ColorToQColor(TResultsGroups::BandColor(row / 2)).rgb())
            << row;
        EXPECT_NE(shot.pixel(thumbnailX, top + 40), window) << "thumbnail of row " << row;
    }
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

// Further folders come through Edit1's folder dialog, are searched after Edit1, and a folder
// checked as reference gives locked, unmarked rows.
TEST_F(MainFormTest, furtherFoldersAreAddedThroughTheFolderDialogAndSearchedAfterEdit1)
{
    QDir().mkpath(m_dir.filePath(QStringLiteral("import")));
    QDir().mkpath(m_dir.filePath(QStringLiteral("archive")));
    const QByteArray bytes(300, 'x');
    for (const char* name : {"import/a.jpg", "archive/a.jpg", "archive/b.png"}) {
        QFile file(m_dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    ShowForm();
    QString answer = m_dir.filePath(QStringLiteral("archive"));
    m_form.Edit1->SetFolderDialog([&](QWidget*, const QString&, const QString&) { return answer; });
    Click(m_form.BitBtn10);
    Click(m_form.BitBtn10); // the same folder again is not listed twice
    answer.clear();         // cancelled
    Click(m_form.BitBtn10);
    ASSERT_EQ(m_form.ListView1->topLevelItemCount(), 1);
    QTreeWidgetItem* archive = m_form.ListView1->topLevelItem(0);
    EXPECT_EQ(archive->text(0), m_dir.filePath(QStringLiteral("archive")));
    archive->setCheckState(1, Qt::Checked);
    m_form.AddFurtherFolder(m_dir.filePath(QStringLiteral("gone")));

    m_form.ComboBox1->setCurrentIndex(3);
    m_form.Edit1->setText(m_dir.filePath(QStringLiteral("import")));
    Click(m_form.BitBtn1);
    ASSERT_EQ(m_form.Memo1->Lines().Count(), 3);
    EXPECT_EQ(m_form.Memo1->Lines().Line(0),
              QFile::encodeName(m_dir.filePath(QStringLiteral("import/a.jpg"))));
    ASSERT_EQ(m_form.DataGrid1->RowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const QString path = m_form.DataGrid1->Cell(QStringLiteral("Dest"), row).AsString();
        const bool reference = path.contains(QStringLiteral("/archive/"));
        EXPECT_EQ(m_form.DataGrid1->Cell(QStringLiteral("Del"), row).AsBoolean(), !reference)
            << path;
        EXPECT_EQ(m_form.DataGrid1->Cell(QStringLiteral("Ref"), row).AsString(),
                  reference ? QStringLiteral("True") : QStringLiteral("False"))
            << path;
    }
    EXPECT_FALSE(m_form.Label5->isHidden());
    EXPECT_EQ(m_form.Label5->text(), QStringLiteral("Not searched: %1 (No such file or directory)")
                                         .arg(m_dir.filePath(QStringLiteral("gone"))));

    m_form.PageControl1->SetActivePageIndex(0);
    m_form.ListView1->topLevelItem(1)->setSelected(true);
    Click(m_form.BitBtn11);
    EXPECT_EQ(m_form.ListView1->topLevelItemCount(), 1);
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join('\n').toStdString();
}

TEST_F(MainFormTest, skipPatternsThatCannotBeReadAreShownUnderTheirFieldAndNothingStarts)
{
    ShowForm();
    QTest::keyClicks(m_form.Edit2, QStringLiteral(".git;[x"));
    EXPECT_FALSE(m_form.Label8->isHidden());
    EXPECT_EQ(m_form.Label8->text(), QStringLiteral("'.git;[x' is an invalid mask at (8)"));
    Click(m_form.BitBtn1);
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(m_form.StopFlag, 1);
    QTest::keyClick(m_form.Edit2, Qt::Key_Backspace);
    QTest::keyClick(m_form.Edit2, Qt::Key_Backspace);
    EXPECT_TRUE(m_form.Label8->isHidden());
    Start(false);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(m_form.Label1->text(), QStringLiteral("Finish"));
}

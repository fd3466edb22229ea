#include "search/SearchRun.h"

#include "SearchViewFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class SearchRunTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void Touch(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    // Starts a run as the Start button does: StopFlag goes from 1 to 0 first.
    void Run(const QByteArray& mask = "*.jpg", bool recurse = false)
    {
        m_controls.StopFlag = 0;
        RunSearch(m_controls.View(), {QFile::encodeName(m_dir.path()), mask, recurse});
    }

    QTemporaryDir m_dir;
    SearchControls m_controls;
};

} // namespace

TEST_F(SearchRunTest, fewerThanTwoFilesEndRightAfterTheScanWithFinish)
{
    for (int files = 0; files < 2; ++files) {
        m_controls.ProgressBar1.SetMax(7);
        Run();
        EXPECT_EQ(m_controls.Memo1.Lines().Count(), files);
        EXPECT_EQ(m_controls.ProgressBar1.Max(), 7) << "a negative maximum must be refused";
        EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
        EXPECT_EQ(m_controls.StopFlag, 1);
        Touch(QStringLiteral("only.jpg"));
    }
}

TEST_F(SearchRunTest, progressMaximumFollowsTheFoundFiles)
{
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.bmp"})
        Touch(QString::fromLatin1(name));
    Run();
    EXPECT_EQ(m_controls.Memo1.Lines().Count(), 3);
    EXPECT_EQ(m_controls.ProgressBar1.Max(), 1);
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_controls.StopFlag, 1);
}

TEST_F(SearchRunTest, aRunClearsTheWorkingDataButNotTheOtherStatusLines)
{
    m_controls.Memo1.Lines().Add("/old/one.jpg");
    m_controls.Memo2.Lines().Add("scratch");
    m_controls.Memo3.Lines().Add("/old/removed.jpg");
    m_controls.ImageList1.Add(QImage(100, 75, QImage::Format_RGB888));
    m_controls.Label3.setText(QStringLiteral("Found files: 9"));
    m_controls.Label4.setText(QStringLiteral("Duplicates: 8"));
    m_controls.ProgressBar1.SetPosition(5);
    Touch(QStringLiteral("new.jpg"));
    Run();
    EXPECT_EQ(m_controls.Found(), QList<QByteArray>{QFile::encodeName(m_dir.filePath("new.jpg"))});
    EXPECT_EQ(m_controls.Memo2.Lines().Count(), 0);
    EXPECT_EQ(m_controls.Memo3.Lines().Count(), 0);
    EXPECT_EQ(m_controls.ImageList1.Count(), 0);
    EXPECT_EQ(m_controls.Label3.text(), QStringLiteral("Found files: 9"));
    EXPECT_EQ(m_controls.Label4.text(), QStringLiteral("Duplicates: 8"));
    EXPECT_EQ(m_controls.ProgressBar1.Position(), 5);
}

TEST_F(SearchRunTest, scanStatusIsShownWhileTheScanRuns)
{
    Touch(QStringLiteral("a.jpg"));
    QString during;
    QTimer::singleShot(0, [this, &during] { during = m_controls.Label1.text(); });
    Run();
    EXPECT_EQ(during, QStringLiteral("Finding files"));
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
}

TEST_F(SearchRunTest, failuresEndTheRunQuietly)
{
    Touch(QStringLiteral("a.jpg"));
    Touch(QStringLiteral("b.jpg"));
    Run("[");
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
    EXPECT_EQ(m_controls.StopFlag, 1);
    EXPECT_FALSE(m_controls.Memo1.Lines().Updating());
}

TEST_F(SearchRunTest, closedWindowEndsTheRunAtItsNextMessageHandling)
{
    for (int i = 0; i < 10; ++i)
        Touch(QString::number(i) + ".jpg");
    QTimer::singleShot(0, [this] { m_controls.Abandoned = true; });
    Run();
    EXPECT_LE(m_controls.Memo1.Lines().Count(), 1);
    EXPECT_EQ(m_controls.ProgressBar1.Max(), 100) << "the run went on after the scan";
    EXPECT_EQ(m_controls.StopFlag, 1);
}

namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject
{
public:
    explicit TPaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

// The status lines and the progress bar change for each of 5,000 files, but are drawn at most
// about 30 times a second; once the run is over they are drawn as they ended.
TEST_F(SearchRunTest, statusIsDrawnByTimeNotByFile)
{
    constexpr int kFiles = 5000;
    for (int i = 0; i < kFiles; ++i)
        Touch(QString::number(i) + QStringLiteral(".jpg"));
    std::vector<std::unique_ptr<TPaintCounter>> counters;
    for (QWidget* control : std::initializer_list<QWidget*>{
             &m_controls.Label1, &m_controls.Label3, &m_controls.Label4, &m_controls.ProgressBar1}) {
        control->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(control));
        counters.push_back(std::make_unique<TPaintCounter>(*control));
    }
    QElapsedTimer clock;
    clock.start();
    Run();
    const double frames = double(clock.elapsed()) / 33.0;
    EXPECT_EQ(m_controls.Memo1.Lines().Count(), kFiles);
    EXPECT_EQ(m_controls.Label3.text(), QFile::decodeName(m_controls.Memo1.Lines().Line(kFiles - 1)));
    EXPECT_EQ(m_controls.ProgressBar1.Position(), kFiles - 1);
    EXPECT_EQ(m_controls.Label1.text(), QStringLiteral("Finish"));
    std::vector<int> before;
    for (const auto& counter : counters) {
        EXPECT_LE(counter->paints, 2 * frames + 4) << "over " << frames << " frames";
        before.push_back(counter->paints);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] {
        for (size_t i = 0; i < counters.size(); ++i)
            if (counters[i]->paints == before[i])
                return false;
        return true;
    })) << "the final state must be drawn";
}

#include "search/ThumbnailPrefetcher.h"

#include "NumberedPaths.h"
#include "SampleImages.h"
#include "platform/Exception.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// A decode function for lists of numbered paths that counts its calls per index, notes which
// thread made them, and can hold the pool's threads until it is opened.
class TRecordingDecoder
{
public:
    explicit TRecordingDecoder(int count, bool holdPoolThreads = false)
        : m_calls(size_t(count)), m_held(holdPoolThreads)
    {}

    TThumbnailPrefetcher::TDecode Function()
    {
        return [this, copy = m_copies](const QByteArray& path) {
            return Decode(path);
        };
    }
    // How many copies of the function exist: the prefetcher's own and one in each of its tasks
    // that has not run and been dropped yet.
    long FunctionCopies() const { return m_copies.use_count() - 1; }

    // Lets the held pool threads go on, and every later call too.
    void Open()
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
        m_opened.notify_all();
    }

    int Calls(int index) const { return m_calls[size_t(index)]; }
    int TotalCalls() const { return m_total; }
    int Waiting() const { return m_waiting; }
    int CallerCalls() const { return m_callerCalls; }
    // The furthest ahead of the index being taken that a decode has begun.
    int Lead() const { return m_lead; }
    void SetTaking(int index) { m_taking = index; }

private:
    TThumbnailResult Decode(const QByteArray& path)
    {
        const int index = path.toInt();
        // The lead is noted before the call is counted: a caller that sees the count sees it.
        for (int lead = m_lead; index - m_taking > lead;)
            m_lead.compare_exchange_weak(lead, index - m_taking);
        ++m_calls[size_t(index)];
        ++m_total;
        if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
            ++m_callerCalls;
        } else {
            std::unique_lock lock(m_mutex);
            ++m_waiting;
            m_opened.wait(lock, [this] { return !m_held; });
            --m_waiting;
        }
        return {{}, QString::fromLatin1(path)};
    }

    std::vector<std::atomic<int>> m_calls;
    std::atomic<int> m_total = 0;
    std::atomic<int> m_waiting = 0;
    std::atomic<int> m_callerCalls = 0;
    std::atomic<int> m_lead = 0;
    std::atomic<int> m_taking = 0;
    const std::shared_ptr<int> m_copies = std::make_shared<int>();
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_held;
};

QImage Placeholder()
{
    QImage picture(100, 80, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    return picture;
}

} // namespace

// Real pictures, damaged ones, a missing file and repeats give, row for row, what the
// single-threaded step gives, whatever the depth.
TEST(ThumbnailPrefetcherTest, thumbnailsAreThoseOfTheThumbnailStep)
{
    QTemporaryDir dir;
    std::vector<QByteArray> paths;
    for (const QString& folder : {QStringLiteral("jpeg/"), QStringLiteral("bmp/")}) {
        for (const TSample& sample : SamplesUnder(folder)) {
            const QString name = QFileInfo(sample.file).fileName();
            paths.push_back(
                CopySample(dir, sample.file, QStringLiteral("%1-%2").arg(paths.size()).arg(name)));
        }
    }
    ASSERT_GT(paths.size(), 60u);
    paths.push_back(QFile::encodeName(dir.filePath("missing.jpg")));
    for (size_t i = 0; i < 12; ++i)
        paths.push_back(paths[i * 5]);

    const QImage placeholder = Placeholder();
    std::vector<TThumbnailResult> expected;
    for (const QByteArray& path : paths)
        expected.push_back(MakeThumbnail(path, placeholder));

    for (int depth : {0, 1, 3, 1000}) {
        SCOPED_TRACE(depth);
        TThumbnailPrefetcher prefetcher(paths, placeholder, depth);
        ASSERT_EQ(prefetcher.Count(), int(paths.size()));
        for (int i = 0; i < prefetcher.Count(); ++i) {
            SCOPED_TRACE(paths[size_t(i)].toStdString());
            const TThumbnailResult result = prefetcher.Take(i);
            EXPECT_EQ(result.resolution, expected[size_t(i)].resolution);
            EXPECT_TRUE(result.thumbnails == expected[size_t(i)].thumbnails);
        }
        EXPECT_EQ(prefetcher.Ahead(), 0);
    }
}

TEST(ThumbnailPrefetcherTest, indexesAreTakenOnceInOrder)
{
    TRecordingDecoder decoder(3);
    TThumbnailPrefetcher prefetcher(NumberedPaths(3), decoder.Function(), 2);
    EXPECT_THROW(prefetcher.Take(1), EInvalidOperation);
    EXPECT_THROW(prefetcher.Take(-1), EListError);
    EXPECT_THROW(prefetcher.Take(3), EListError);
    EXPECT_EQ(prefetcher.Take(0).resolution, "0");
    EXPECT_THROW(prefetcher.Take(0), EInvalidOperation);
    EXPECT_EQ(prefetcher.NextIndex(), 1);
    EXPECT_EQ(prefetcher.Take(1).resolution, "1");
    EXPECT_EQ(prefetcher.Take(2).resolution, "2");
    EXPECT_THROW(prefetcher.Take(3), EListError);
}

// An error the decode function raised on a pool thread reaches the caller as it was raised, and
// the rows after it still come.
TEST(ThumbnailPrefetcherTest, decodeErrorsComeOutOfTakeUnchanged)
{
    constexpr int kCount = 20;
    std::vector<std::atomic<bool>> started(kCount);
    std::atomic<int> poolErrors = 0;
    TThumbnailPrefetcher prefetcher(
        NumberedPaths(kCount),
        [&](const QByteArray& path) {
            const int index = path.toInt();
            started[size_t(index)] = true;
            if (index % 2 == 0)
                return TThumbnailResult{{}, QString::fromLatin1(path)};
            if (QThread::currentThread() != QCoreApplication::instance()->thread())
                ++poolErrors;
            throw EConvertError(QString::fromLatin1(path));
        },
        4);
    for (int i = 0; i < kCount; ++i) {
        // Taken only once the pool has it, so every error is met on a pool thread.
        ASSERT_TRUE(QTest::qWaitFor([&] { return started[size_t(i)].load(); }));
        if (i % 2 == 0) {
            EXPECT_EQ(prefetcher.Take(i).resolution, QString::number(i));
            continue;
        }
        try {
            prefetcher.Take(i);
            ADD_FAILURE() << "no error for " << i;
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), QString::number(i));
        }
    }
    EXPECT_EQ(poolErrors, kCount / 2);
}

// However the caller and the pool race for a picture, and however many pool threads there are,
// it is decoded once and comes out in its row; both sides of the race are met.
TEST(ThumbnailPrefetcherTest, eachPictureIsDecodedOnceByWhoeverStartsIt)
{
    constexpr int kCount = 400;
    bool callerDecoded = false;
    bool poolDecoded = false;
    for (int round = 0; round < 200 && !(callerDecoded && poolDecoded); ++round) {
        TRecordingDecoder decoder(kCount);
        {
            TThumbnailPrefetcher prefetcher(NumberedPaths(kCount), decoder.Function(),
                                            1 + round % 4, 1 + round % 5);
            for (int i = 0; i < kCount; ++i)
                ASSERT_EQ(prefetcher.Take(i).resolution, QString::number(i));
        }
        for (int i = 0; i < kCount; ++i)
            ASSERT_EQ(decoder.Calls(i), 1) << "picture " << i;
        callerDecoded = callerDecoded || decoder.CallerCalls() > 0;
        poolDecoded = poolDecoded || decoder.CallerCalls() < kCount;
    }
    EXPECT_TRUE(callerDecoded);
    EXPECT_TRUE(poolDecoded);
}

// The pool goes exactly as far ahead as the depth allows, and no further, however long the
// caller lingers on a row.
TEST(ThumbnailPrefetcherTest, decodesAheadUpToTheDepth)
{
    constexpr int kCount = 30;
    constexpr int kDepth = 3;
    TRecordingDecoder decoder(kCount);
    TThumbnailPrefetcher prefetcher(NumberedPaths(kCount), decoder.Function(), kDepth);
    for (int i = 0; i < kCount; ++i) {
        // Everything the depth allows has been started before the row is taken.
        const int allowed = std::min(i + kDepth, kCount);
        ASSERT_TRUE(QTest::qWaitFor([&] { return decoder.TotalCalls() >= allowed; }));
        EXPECT_EQ(prefetcher.Ahead(), allowed - i);
        decoder.SetTaking(i);
        ASSERT_EQ(prefetcher.Take(i).resolution, QString::number(i));
    }
    EXPECT_EQ(decoder.Lead(), kDepth);
    EXPECT_EQ(decoder.TotalCalls(), kCount);
}

// Cancelling waits only for the decodes already running; the queued ones are dropped without
// running, and the rows still taken are decoded on the caller's thread.
TEST(ThumbnailPrefetcherTest, cancelDropsWhatHasNotStarted)
{
    constexpr int kCount = 1000;
    constexpr int kDepth = 6;
    TRecordingDecoder decoder(kCount, true);
    TThumbnailPrefetcher prefetcher(NumberedPaths(kCount), decoder.Function(), kDepth, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return decoder.Waiting() == 2; }));
    ASSERT_EQ(decoder.FunctionCopies(), 1 + kDepth);

    // The two running decodes are let go once the queued tasks are gone, or after a while if
    // they never go (the count below then tells).
    std::thread opener([&decoder] {
        const QDeadlineTimer deadline(5000);
        while (decoder.FunctionCopies() > 1 + 2 && !deadline.hasExpired())
            QThread::yieldCurrentThread();
        decoder.Open();
    });
    prefetcher.Cancel();
    opener.join();
    EXPECT_EQ(decoder.TotalCalls(), 2);
    EXPECT_EQ(prefetcher.Ahead(), 0);

    EXPECT_EQ(prefetcher.Take(0).resolution, "0");
    EXPECT_EQ(prefetcher.Take(1).resolution, "1");
    EXPECT_EQ(decoder.TotalCalls(), 4);
    EXPECT_EQ(decoder.CallerCalls(), 2);
    EXPECT_EQ(prefetcher.Ahead(), 0);
}

// Leaving the rows early (the search stopped) with real pictures queued: the destructor returns
// after the pictures being decoded, without decoding the rest.
TEST(ThumbnailPrefetcherTest, destroyingAfterAFewRowsDecodesNoMore)
{
    constexpr int kDepth = 8;
    QTemporaryDir dir;
    const QByteArray jpeg = Encoded(QuarteredPicture(1600, 1200), "jpeg");
    std::vector<QByteArray> paths;
    for (int i = 0; i < 200; ++i)
        paths.push_back(WriteFile(dir, QStringLiteral("p%1.jpg").arg(i), jpeg));
    const QImage placeholder = Placeholder();
    const TThumbnailResult expected = MakeThumbnail(paths[0], placeholder);
    std::atomic<int> decoded = 0;
    {
        TThumbnailPrefetcher prefetcher(
            paths,
            [&](const QByteArray& path) {
                ++decoded;
                return MakeThumbnail(path, placeholder);
            },
            kDepth);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(prefetcher.Take(i).thumbnails == expected.thumbnails);
    }
    const int atTheEnd = decoded;
    EXPECT_GE(atTheEnd, 3);
    EXPECT_LE(atTheEnd, 3 + kDepth);
}

// A row whose file gets the same thumbnails as the row before it takes that row's pictures, the
// very same images, without a decode; anything else is decoded on its own.
TEST(ThumbnailPrefetcherTest, twinsFollowingEachOtherAreDecodedOnce)
{
    QTemporaryDir dir;
    const QByteArray red = Encoded(QuarteredPicture(320, 240), "jpeg");
    const QByteArray green = Encoded(QuarteredPicture(320, 240).mirrored(true, false), "jpeg");
    const std::vector<QByteArray> paths = {
        WriteFile(dir, QStringLiteral("a.jpg"), red),
        WriteFile(dir, QStringLiteral("a copy.JPG"), red),
        WriteFile(dir, QStringLiteral("a copy 2.jpeg"), red),
        WriteFile(dir, QStringLiteral("a as.bmp.jpg"), red), // the name asks for a second step
        WriteFile(dir, QStringLiteral("b.jpg"), green),
        QFile::encodeName(dir.filePath(QStringLiteral("gone.jpg"))),
        QFile::encodeName(dir.filePath(QStringLiteral("gone too.jpg"))),
        WriteFile(dir, QStringLiteral("c.png"), red),
        WriteFile(dir, QStringLiteral("c copy.png"), red),
    };
    const std::vector<bool> decoded = {true, false, false, true, true, true, true, true, true};
    const QImage placeholder = Placeholder();
    for (int threads : {0, 1, 3}) {
        SCOPED_TRACE(threads);
        std::vector<std::atomic<int>> calls(paths.size());
        TThumbnailPrefetcher prefetcher(
            paths,
            [&](const QByteArray& path) {
                ++calls[size_t(std::find(paths.begin(), paths.end(), path) - paths.begin())];
                return MakeThumbnail(path, placeholder);
            },
            TThumbnailPrefetcher::DefaultDepth, threads, SameThumbnailFiles);
        std::vector<TThumbnailResult> results;
        for (int i = 0; i < prefetcher.Count(); ++i)
            results.push_back(prefetcher.Take(i));
        for (size_t i = 0; i < paths.size(); ++i) {
            SCOPED_TRACE(paths[i].toStdString());
            EXPECT_EQ(calls[i], decoded[i] ? 1 : 0);
            const TThumbnailResult expected = MakeThumbnail(paths[i], placeholder);
            EXPECT_EQ(results[i].resolution, expected.resolution);
            EXPECT_TRUE(results[i].thumbnails == expected.thumbnails);
        }
        EXPECT_EQ(results[2].thumbnails[0].cacheKey(), results[0].thumbnails[0].cacheKey());
    }
}

// A twin whose predecessor failed to decode has nothing to share and is decoded itself.
TEST(ThumbnailPrefetcherTest, twinOfAFailedRowIsDecoded)
{
    std::atomic<int> calls = 0;
    TThumbnailPrefetcher prefetcher(
        NumberedPaths(3),
        [&](const QByteArray& path) {
            if (calls++ == 0)
                throw EConvertError(QString::fromLatin1(path));
            return TThumbnailResult{{}, QString::fromLatin1(path)};
        },
        0, 0, [](const QByteArray&, const QByteArray&) { return true; });
    EXPECT_THROW(prefetcher.Take(0), EConvertError);
    EXPECT_EQ(prefetcher.Take(1).resolution, "1");
    EXPECT_EQ(prefetcher.Take(2).resolution, "1");
    EXPECT_EQ(calls, 2);
}

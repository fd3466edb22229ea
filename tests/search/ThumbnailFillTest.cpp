#include "search/ThumbnailFill.h"

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace {

// "0", "1", ... as paths, for the decoder below.
std::vector<QByteArray> NumberedPaths(int count)
{
    std::vector<QByteArray> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(QByteArray::number(i));
    return paths;
}

// A decode function for numbered paths: a picture filled with the number, the number as its
// resolution; it notes the order of its calls and how many run at once, can hold every call
// until it is opened, and can take its time.
class TDecoder
{
public:
    explicit TDecoder(bool held = false, int milliseconds = 0)
        : m_held(held), m_milliseconds(milliseconds)
    {}

    TThumbnailFill::TDecode Function()
    {
        return [this](const QByteArray& path) { return Decode(path); };
    }
    void Open()
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
        m_opened.notify_all();
    }
    std::vector<int> Order() const
    {
        const std::lock_guard lock(m_mutex);
        return m_order;
    }
    int Running() const { return m_running; }
    int Started() const
    {
        const std::lock_guard lock(m_mutex);
        return int(m_order.size());
    }

private:
    TThumbnailResult Decode(const QByteArray& path)
    {
        ++m_running;
        {
            std::unique_lock lock(m_mutex);
            m_order.push_back(path.toInt());
            m_opened.wait(lock, [this] { return !m_held; });
        }
        if (m_milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_milliseconds));
        QImage picture(100, 75, QImage::Format_RGB32);
        picture.fill(QColor::fromRgb(path.toUInt() * 7919u & 0xFFFFFF));
        --m_running;
        return {{picture}, QString::fromLatin1(path)};
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_held;
    const int m_milliseconds;
    std::vector<int> m_order;
    std::atomic<int> m_running = 0;
};

// Everything the fill gives out until it is done, by index; each index must come once.
std::map<int, TThumbnailResult> TakeAll(TThumbnailFill& fill)
{
    std::map<int, TThumbnailResult> results;
    QElapsedTimer clock;
    clock.start();
    while (!fill.Done() && clock.elapsed() < 20000)
        for (TThumbnailFill::TArrived& arrived : fill.Take(10)) {
            EXPECT_FALSE(results.count(arrived.index)) << "given twice: " << arrived.index;
            results.emplace(arrived.index, std::move(arrived.result));
        }
    EXPECT_TRUE(fill.Done());
    return results;
}

} // namespace

// Every file comes out once with what its decoding gives; a run of twins (here every path whose
// number is a multiple of 10 starts a group of 3) is decoded once and shares the same pictures,
// whichever thread finishes first.
TEST(ThumbnailFillTest, everyFileComesOnceAndTwinsShareTheirFirstFilesPictures)
{
    TDecoder decoder;
    const auto same = [](const QByteArray& previous, const QByteArray& path) {
        return path.toInt() % 10 != 0 && path.toInt() % 10 < 3 && previous.toInt() + 1 == path.toInt();
    };
    TThumbnailFill fill(NumberedPaths(60), decoder.Function(), same, 3);
    const std::map<int, TThumbnailResult> results = TakeAll(fill);
    ASSERT_EQ(results.size(), 60u);
    for (const auto& [index, result] : results) {
        const int own = index % 10 < 3 ? index - index % 10 : index;
        ASSERT_EQ(result.thumbnails.size(), 1u);
        EXPECT_EQ(result.resolution, QString::number(own)) << index;
        EXPECT_EQ(result.thumbnails[0].cacheKey(), results.at(own).thumbnails[0].cacheKey());
    }
    const std::vector<int> order = decoder.Order();
    EXPECT_EQ(order.size(), 60u - 2 * 6) << "twins must not be decoded";
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), order.size());
    EXPECT_TRUE(fill.Take(0).empty());
}

// The rows on screen go first: with the only pool thread busy on file 0, files 50 to 54 are
// preferred, and they are the next ones decoded; then the order goes on from the top.
TEST(ThumbnailFillTest, preferredFilesAreDecodedBeforeTheOthers)
{
    TDecoder decoder(true);
    TThumbnailFill fill(NumberedPaths(80), decoder.Function(), {}, 1);
    ASSERT_TRUE(QTest::qWaitFor([&decoder] { return decoder.Started() == 1; }));
    fill.Prefer(50, 54);
    decoder.Open();
    TakeAll(fill);
    const std::vector<int> order = decoder.Order();
    ASSERT_EQ(order.size(), 80u);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(std::vector<int>(order.begin() + 1, order.begin() + 7),
              (std::vector<int>{50, 51, 52, 53, 54, 1}));
}

// A twin on screen whose group starts above it brings that start forward instead of waiting for
// the order to reach it.
TEST(ThumbnailFillTest, aPreferredTwinBringsItsGroupsFirstFileForward)
{
    TDecoder decoder(true);
    const auto same = [](const QByteArray&, const QByteArray& path) { return path.toInt() >= 41; };
    TThumbnailFill fill(NumberedPaths(44), decoder.Function(), same, 1);
    ASSERT_TRUE(QTest::qWaitFor([&decoder] { return decoder.Started() == 1; }));
    fill.Prefer(43, 43);
    decoder.Open();
    TakeAll(fill);
    const std::vector<int> order = decoder.Order();
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[1], 40);
}

// Stopping with many slow pictures to go takes about one picture's time, and leaves no decode
// running; nothing more comes out afterwards.
TEST(ThumbnailFillTest, cancelEndsPromptlyWithNoDecodeLeftRunning)
{
    TDecoder decoder(false, 40);
    TThumbnailFill fill(NumberedPaths(1000), decoder.Function(), {}, 4);
    ASSERT_TRUE(QTest::qWaitFor([&decoder] { return decoder.Started() >= 4; }));
    QElapsedTimer clock;
    clock.start();
    fill.Cancel();
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_EQ(decoder.Running(), 0);
    const int started = decoder.Started();
    EXPECT_LT(started, 100);
    fill.Take(0);
    EXPECT_FALSE(fill.Done());
    EXPECT_EQ(decoder.Started(), started);
}

TEST(ThumbnailFillTest, anErrorOfTheDecodeFunctionComesOutOfTake)
{
    TThumbnailFill fill(
        NumberedPaths(5),
        [](const QByteArray& path) -> TThumbnailResult {
            if (path == "3")
                throw std::runtime_error("no picture");
            return {};
        },
        {}, 2);
    EXPECT_THROW(TakeAll(fill), std::runtime_error);
}

TEST(ThumbnailFillTest, anEmptyListIsDoneAtOnce)
{
    TThumbnailFill fill({}, [](const QByteArray&) { return TThumbnailResult(); }, {}, 2);
    EXPECT_TRUE(fill.Done());
    EXPECT_TRUE(fill.Take(0).empty());
}

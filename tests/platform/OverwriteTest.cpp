#include "platform/Overwrite.h"

#include "platform/Random.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Records what the overwrite asks of a file of the given length: every write's place and size,
// the bytes of the first writes, and the flushes in between.
class RecordingTarget : public TOverwriteTarget
{
public:
    struct Recorded
    {
        int64_t offset;
        size_t count;
        int flushesBefore;
        QByteArray bytes;
    };

    explicit RecordingTarget(int64_t length, size_t writesKept = 64)
        : m_length(length), m_writesKept(writesKept)
    {}

    int64_t Length() override { return m_length; }
    void Write(int64_t offset, const char* data, size_t count) override
    {
        bytesPerPass.resize(flushes + 1);
        bytesPerPass[flushes] += static_cast<int64_t>(count);
        if (writes.size() < m_writesKept) {
            writes.push_back(
                {offset, count, flushes, QByteArray(data, static_cast<qsizetype>(count))});
        }
    }
    void Flush() override { ++flushes; }

    std::vector<Recorded> writes;
    std::vector<int64_t> bytesPerPass;
    int flushes = 0;

private:
    int64_t m_length;
    size_t m_writesKept;
};

QByteArray Draws(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(Rng::Random(256)));
    return bytes;
}

} // namespace

TEST(OverwriteTest, eachPassWritesTheWholeLengthInBlocksThenFlushes)
{
    Rng::SetSeed(0);
    RecordingTarget target(10000);
    OverwriteThreeTimes(target);
    ASSERT_EQ(target.writes.size(), 9u);
    EXPECT_EQ(target.flushes, 3);
    Rng::SetSeed(0);
    for (int pass = 0; pass < 3; ++pass) {
        const QByteArray block = Draws(4096);
        const int64_t offsets[] = {0, 4096, 8192};
        const size_t counts[] = {4096, 4096, 1808};
        for (int k = 0; k < 3; ++k) {
            const auto& write = target.writes[static_cast<size_t>(pass * 3 + k)];
            EXPECT_EQ(write.offset, offsets[k]);
            EXPECT_EQ(write.count, counts[k]);
            EXPECT_EQ(write.flushesBefore, pass) << "each pass reaches the disk before the next";
            EXPECT_EQ(write.bytes, block.left(static_cast<qsizetype>(counts[k])))
                << "pass " << pass << ", write " << k;
        }
    }
}

TEST(OverwriteTest, firstBytesWrittenAreTheGeneratorsFirstDraws)
{
    Rng::SetSeed(0);
    RecordingTarget target(8);
    OverwriteThreeTimes(target);
    ASSERT_EQ(target.writes.size(), 3u);
    EXPECT_EQ(target.writes[0].bytes, QByteArray::fromHex("0008dc3345ab5129"));
    EXPECT_NE(target.writes[1].bytes, target.writes[0].bytes) << "every pass draws anew";
}

TEST(OverwriteTest, emptyFileGetsNoWritesButThreeFlushes)
{
    RecordingTarget target(0);
    OverwriteThreeTimes(target);
    EXPECT_TRUE(target.writes.empty());
    EXPECT_EQ(target.flushes, 3);
}

TEST(OverwriteTest, filesOfTwoGibibytesAndMoreAreOverwrittenWhole)
{
    for (const int64_t length : {int64_t(1) << 31, (int64_t(1) << 32) + 5}) {
        RecordingTarget target(length, 0);
        OverwriteThreeTimes(target);
        EXPECT_EQ(target.bytesPerPass, std::vector<int64_t>(3, length)) << length;
        EXPECT_EQ(target.flushes, 3);
    }
}

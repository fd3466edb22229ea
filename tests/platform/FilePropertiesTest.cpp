#include "platform/FileProperties.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString ValueOf(const std::vector<TFileProperty>& lines, const char* name)
{
    for (const TFileProperty& line : lines)
        if (line.Name == QLatin1String(name))
            return line.Value;
    return QStringLiteral("<none>");
}

class FilePropertiesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QByteArray Path(const char* name) const { return QFile::encodeName(m_dir.path()) + '/' + name; }
    QTemporaryDir m_dir;
};

TEST_F(FilePropertiesTest, describeAPictureFile)
{
    QImage picture(30, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QByteArray path = Path("a.png");
    ASSERT_TRUE(picture.save(QFile::decodeName(path), "png"));
    ASSERT_EQ(chmod(path.constData(), 0640), 0);
    const auto lines = FileProperties(path);
    EXPECT_EQ(ValueOf(lines, "Name"), QStringLiteral("a.png"));
    EXPECT_EQ(ValueOf(lines, "Folder"), m_dir.path());
    EXPECT_EQ(ValueOf(lines, "Type"), QStringLiteral("File"));
    EXPECT_EQ(ValueOf(lines, "Size"), QStringLiteral("%1 bytes").arg(QFile(path).size()));
    EXPECT_EQ(ValueOf(lines, "Permissions"), QStringLiteral("rw-r----- (0640)"));
    EXPECT_EQ(ValueOf(lines, "Picture"), QStringLiteral("30 × 16 pixels"));
    EXPECT_TRUE(ValueOf(lines, "Owner").endsWith('(' + QString::number(getuid()) + ')'));
}

TEST_F(FilePropertiesTest, largeSizesInUnitsTooAndLinksByTheirTarget)
{
    const QByteArray path = Path("big.jpg");
    QFile big(QFile::decodeName(path));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(1500000));
    big.close();
    ASSERT_EQ(symlink("big.jpg", Path("link.jpg").constData()), 0);
    const auto lines = FileProperties(Path("link.jpg"));
    EXPECT_EQ(ValueOf(lines, "Link to"), QStringLiteral("big.jpg"));
    EXPECT_EQ(ValueOf(lines, "Size"), QStringLiteral("1.43 MB (1,500,000 bytes)"));
    EXPECT_EQ(ValueOf(lines, "Picture"), QStringLiteral("<none>")) << "zeros are no JPEG";
}

TEST_F(FilePropertiesTest, aMissingFileGivesItsNameAndTheReason)
{
    const auto lines = FileProperties(Path("gone.jpg"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(ValueOf(lines, "Name"), QStringLiteral("gone.jpg"));
    EXPECT_EQ(ValueOf(lines, "State"), QStringLiteral("No such file or directory"));
}

} // namespace

#include "SampleImages.h"

#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

std::vector<TSample> SamplesUnder(const QString& folder)
{
    QFile manifest(TestDataDir() + QStringLiteral("/MANIFEST.tsv"));
    EXPECT_TRUE(manifest.open(QIODevice::ReadOnly)) << manifest.fileName().toStdString();
    std::vector<TSample> samples;
    manifest.readLine(); // the header
    while (!manifest.atEnd()) {
        const QStringList fields = QString::fromUtf8(manifest.readLine()).chopped(1).split(u'\t');
        if (fields.size() < 14 || !fields[0].startsWith(folder))
            continue;
        samples.push_back({fields[0], fields[8], fields[9], fields[12], fields[13]});
    }
    return samples;
}

QByteArray CopySample(const QTemporaryDir& dir, const QString& file, const QString& newName)
{
    const QString target = dir.filePath(newName.isEmpty() ? file.section(u'/', -1) : newName);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(TestDataDir() + u'/' + file, target)) << file.toStdString();
    return QFile::encodeName(target);
}

QByteArray WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return QFile::encodeName(file.fileName());
}

QByteArray Encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format)) << format;
    return bytes;
}

QString WxH(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QImage QuarteredPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    const int w = width / 2;
    const int h = height / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, width - w, h, Qt::green);
    painter.fillRect(0, h, w, height - h, Qt::blue);
    painter.fillRect(w, h, width - w, height - h, Qt::white);
    return picture;
}

void LetOthersIn(const QTemporaryDir& dir)
{
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
}

#include "platform/Application.h"

#include "platform/Exception.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TApplication::Instance()->SetErrorHandler(
            [this](const QString& message) { m_messages << message; });
    }
    void TearDown() override { TApplication::Instance()->SetErrorHandler({}); }

    QStringList m_messages;
};

} // namespace

TEST_F(ApplicationTest, exceptionInClickHandlerReachesTheErrorBoxAndTheNextClickWorks)
{
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, Guarded([&clicks] {
        if (++clicks == 1)
            throw EConvertError(QStringLiteral("'x' is not a valid integer value"));
    }));
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(m_messages, QStringList{QStringLiteral("'x' is not a valid integer value")});
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_F(ApplicationTest, foreignExceptionsShowTheirTextToo)
{
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked,
                     Guarded([] { throw std::runtime_error("disk on fire"); }));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("disk on fire")});
}

namespace {
class ThrowingObject : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw EListError(3);
        return QObject::event(e);
    }
};
} // namespace

TEST_F(ApplicationTest, exceptionEscapingAnEventHandlerIsCaughtByTheApplication)
{
    ThrowingObject object;
    QEvent event(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&object, &event));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("List index out of bounds (3)")});
}

TEST(ExceptionTest, documentedMessages)
{
    EXPECT_EQ(EListError(-1).Message(), QStringLiteral("List index out of bounds (-1)"));
    EXPECT_EQ(EFOpenError(QStringLiteral("/a b"), QStringLiteral("No such file")).Message(),
              QStringLiteral("Cannot open file \"/a b\". No such file"));
    EXPECT_STREQ(EListError(7).what(), "List index out of bounds (7)");
}

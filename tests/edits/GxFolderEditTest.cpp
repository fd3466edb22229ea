#include "edits/GxFolderEdit.h"

#include "edits/GxExecuteButton.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Stands in for the dialog: records how it was opened and answers with `answer`.
struct FakeDialog
{
    QString answer;
    int opened = 0;
    QString caption;
    QString start;

    TFolderDialog Function()
    {
        return [this](QWidget*, const QString& dialogCaption, const QString& startFolder) {
            ++opened;
            caption = dialogCaption;
            start = startFolder;
            return answer;
        };
    }
};

class FolderEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("photos/2020")));
        m_edit.resize(350, 25);
        m_edit.SetButtonWidth(70);
        m_edit.SetFolderDialog(m_dialog.Function());
    }

    QString Folder(const QString& name) const { return m_dir.filePath(name); }
    void ClickButton(Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(&m_edit.Button(), button, Qt::NoModifier, QPoint(5, 5));
    }

    QTemporaryDir m_dir;
    FakeDialog m_dialog;
    TGxFolderEdit m_edit;
};

} // namespace

TEST_F(FolderEditTest, theDialogStartsAtAnExistingFolderElseAtHome)
{
    const QString file = Folder(QStringLiteral("photos/a.jpg"));
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::WriteOnly));
    const QString home = QDir::homePath();
    const struct
    {
        QString text;
        QString start;
    } cases[] = {
        {Folder(QStringLiteral("photos")), Folder(QStringLiteral("photos"))},
        {Folder(QStringLiteral("missing")), home},
        {file, home},
        {QString(), home},
        {QString(5000, u'x'), home},
        {QStringLiteral("d:\\"), home},
    };
    for (const auto& test : cases) {
        QString folder = test.text;
        EXPECT_FALSE(ChooseFolder(QStringLiteral("Pick"), QStringLiteral("\\"), folder,
                                  m_dialog.Function()));
        EXPECT_EQ(m_dialog.start, test.start) << test.text.left(80).toStdString();
        EXPECT_EQ(folder, test.text) << "a cancelled dialog leaves the text";
    }
}

TEST_F(FolderEditTest, aFolderWhoseNameIsNotUtf8IsFoundByItsBytes)
{
    const QByteArray name = QFile::encodeName(m_dir.path()) + "/caf\xe9";
    ASSERT_EQ(::mkdir(name.constData(), 0700), 0);
    QString folder = FileNameToText(name);
    ChooseFolder(QStringLiteral("Pick"), QStringLiteral("\\"), folder, m_dialog.Function());
    EXPECT_EQ(m_dialog.start, FileNameToText(name));
    // QTemporaryDir cannot remove a name that is not UTF-8.
    ::rmdir(name.constData());
}

TEST_F(FolderEditTest, aChoiceOutsideTheRootCountsAsNone)
{
    m_dialog.answer = QDir::homePath();
    QString folder = QStringLiteral("before");
    EXPECT_FALSE(ChooseFolder(QStringLiteral("Pick"), Folder(QStringLiteral("photos")), folder,
                              m_dialog.Function()));
    EXPECT_EQ(folder, QStringLiteral("before"));
    m_dialog.answer = Folder(QStringLiteral("photos/2020"));
    EXPECT_TRUE(ChooseFolder(QStringLiteral("Pick"), Folder(QStringLiteral("photos")), folder,
                             m_dialog.Function()));
    EXPECT_EQ(folder, Folder(QStringLiteral("photos/2020")));
}

TEST_F(FolderEditTest, theButtonOpensSelectFolderAndTheChoiceReplacesTheText)
{
    QStringList events;
    m_edit.OnButtonClick = [&](QObject*) {
        events << QString::number(m_dialog.opened);
    };
    m_edit.setText(Folder(QStringLiteral("photos")));
    m_dialog.answer = Folder(QStringLiteral("photos/2020"));
    ClickButton();
    EXPECT_EQ(m_dialog.caption, QStringLiteral("Select folder"));
    EXPECT_EQ(m_dialog.start, Folder(QStringLiteral("photos")));
    EXPECT_EQ(m_edit.text(), Folder(QStringLiteral("photos/2020")));
    // OnButtonClick comes first, before the dialog opens.
    EXPECT_EQ(events, QStringList{QStringLiteral("0")});
}

TEST_F(FolderEditTest, cancellingKeepsEvenATextThatNamesNoFolder)
{
    m_edit.setText(QStringLiteral("no such folder"));
    ClickButton();
    EXPECT_EQ(m_dialog.opened, 1);
    EXPECT_EQ(m_dialog.start, QDir::homePath());
    EXPECT_EQ(m_edit.text(), QStringLiteral("no such folder"));
}

TEST_F(FolderEditTest, ctrlEnterOpensTheDialogButEnterAndARightClickDoNot)
{
    QTest::keyClick(&m_edit, Qt::Key_Return);
    ClickButton(Qt::RightButton);
    EXPECT_EQ(m_dialog.opened, 0);
    m_dialog.answer = Folder(QStringLiteral("photos"));
    QTest::keyClick(&m_edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(m_dialog.opened, 1);
    EXPECT_EQ(m_edit.text(), Folder(QStringLiteral("photos")));
}

#include "edits/GxFolderEdit.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace {

// The classic root "\" is the top of the file system.
QString HostPath(const QString& path)
{
    return path == QLatin1String("\\") ? QDir::rootPath() : path;
}

bool IsExistingFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    // By its bytes, so that a name that is not UTF-8 is looked up as it is on disk.
    return HostFileSystem().LookUp(TextToFileName(path)).Kind == TEntryKind::Folder;
}

bool IsInside(const QString& folder, const QString& root)
{
    const QString canonicalRoot = QFileInfo(root).canonicalFilePath();
    if (canonicalRoot == QDir::rootPath())
        return true;
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    return !canonicalFolder.isEmpty() &&
           (canonicalFolder == canonicalRoot ||
            canonicalFolder.startsWith(canonicalRoot + QLatin1Char('/')));
}

} // namespace

bool ChooseFolder(const QString& caption, const QString& root, QString& folder,
                  const TFolderDialog& dialog, QWidget* parent)
{
    const QString start = IsExistingFolder(folder) ? folder : QDir::homePath();
    const QString chosen = dialog(parent, caption, start);
    if (chosen.isEmpty())
        return false;
    const QString limit = HostPath(root);
    if (IsExistingFolder(limit) && !IsInside(chosen, limit))
        return false;
    folder = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
    return true;
}

QString ExistingDirectoryDialog(QWidget* parent, const QString& caption, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, caption, startFolder,
                                             QFileDialog::ShowDirsOnly);
}

TGxFolderEdit::TGxFolderEdit(QWidget* parent) : TGxButtonEdit(parent) {}

void TGxFolderEdit::ButtonClicked()
{
    TGxButtonEdit::ButtonClicked();
    QString folder = text();
    // The dialog runs its own event loop, in which the window may go away.
    const QPointer<TGxFolderEdit> self(this);
    if (ChooseFolder(m_dialogCaption, m_root, folder, m_folderDialog, window()) && self)
        setText(folder);
}

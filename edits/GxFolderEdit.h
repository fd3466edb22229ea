#pragma once

#include "edits/GxButtonEdit.h"

#include <QString>
#include <functional>

class QWidget;

// Shows a folder dialog and returns the chosen folder's full path, or an empty text when the
// user cancels. The real one is Qt's directory dialog; tests put their own in its place.
using TFolderDialog =
    std::function<QString(QWidget* parent, const QString& caption, const QString& startFolder)>;

// Asks for a folder: the dialog starts at folder when that names an existing folder, else at
// the user's home folder. A choice outside root (when root names an existing folder; "\"
// stands for the file system's root) counts as none. On a choice, folder becomes its full path
// and the result is true; otherwise folder is left as it was.
bool ChooseFolder(const QString& caption, const QString& root, QString& folder,
                  const TFolderDialog& dialog, QWidget* parent = nullptr);

// The directory-only dialog of Qt.
QString ExistingDirectoryDialog(QWidget* parent, const QString& caption,
                                const QString& startFolder);

// A button edit whose button (or Ctrl+Enter) opens a folder dialog; the chosen folder's full
// path replaces the text, and cancelling leaves the text as it is.
class TGxFolderEdit : public TGxButtonEdit
{
    Q_OBJECT
public:
    explicit TGxFolderEdit(QWidget* parent = nullptr);

    const QString& DialogCaption() const { return m_dialogCaption; }
    void SetDialogCaption(const QString& value) { m_dialogCaption = value; }
    // The dialog's choices are kept below this folder.
    const QString& Root() const { return m_root; }
    void SetRoot(const QString& value) { m_root = value; }
    const TFolderDialog& FolderDialog() const { return m_folderDialog; }
    void SetFolderDialog(TFolderDialog value) { m_folderDialog = std::move(value); }

protected:
    // Raises OnButtonClick, then asks for the folder.
    void ButtonClicked() override;

private:
    QString m_dialogCaption = QStringLiteral("Select folder");
    QString m_root = QStringLiteral("\\");
    TFolderDialog m_folderDialog = ExistingDirectoryDialog;
};

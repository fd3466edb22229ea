#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

// A temporary folder that is also the home folder and the data folder for as long as it lives,
// so that the desktop's trash of every file made in it lies inside it too: removal tests never
// touch the real trash or anything outside the folder.
class TrashSandbox
{
public:
    TrashSandbox()
        : m_home(qgetenv("HOME")), m_dataHome(qgetenv("XDG_DATA_HOME")),
          m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    {
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
    }
    TrashSandbox(const TrashSandbox&) = delete;
    TrashSandbox& operator=(const TrashSandbox&) = delete;
    ~TrashSandbox()
    {
        qputenv("HOME", m_home);
        if (m_hadDataHome)
            qputenv("XDG_DATA_HOME", m_dataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    bool IsValid() const { return m_dir.isValid(); }
    const QTemporaryDir& Dir() const { return m_dir; }
    QByteArray Path(const QString& name) const { return QFile::encodeName(m_dir.filePath(name)); }
    // Where the trash keeps the files it was given.
    QDir TrashFiles() const { return QDir(m_dir.filePath(QStringLiteral("data/Trash/files"))); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_dataHome;
    bool m_hadDataHome;
};

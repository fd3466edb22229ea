#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// Collects the warnings the program prints while it lives, instead of printing them.
class CapturedWarnings
{
public:
    CapturedWarnings() : m_previous(qInstallMessageHandler(Collect)) { s_current = this; }
    ~CapturedWarnings()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    CapturedWarnings(const CapturedWarnings&) = delete;
    CapturedWarnings& operator=(const CapturedWarnings&) = delete;

    const QList<QByteArray>& Lines() const { return m_lines; }

private:
    static void Collect(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg && s_current)
            s_current->m_lines << text.toLocal8Bit();
    }

    static inline CapturedWarnings* s_current = nullptr;
    QtMessageHandler m_previous;
    QList<QByteArray> m_lines;
};

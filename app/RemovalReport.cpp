#include "app/RemovalReport.h"

#include "platform/FileNames.h"
#include "platform/MemoLines.h"

#include <QtGlobal>

namespace {

constexpr char16_t kByteEscapeBase = 0xDC00;

bool IsControl(char32_t code)
{
    return code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0) || code == 0x2028 ||
           code == 0x2029;
}

void AppendHexBytes(QByteArray& line, const QByteArray& bytes)
{
    for (const char byte : bytes)
        line += "\\x" + QByteArray::number(static_cast<uchar>(byte), 16).rightJustified(2, '0');
}

QString Counted(size_t count, const char* one, const char* many)
{
    return count == 1 ? QString::fromLatin1(one)
                      : QString::fromLatin1(many).arg(static_cast<qulonglong>(count));
}

} // namespace

QByteArray ReportLine(const QByteArray& path)
{
    const QString text = FileNameToText(path);
    QByteArray line;
    line.reserve(path.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            line += QStringView(text).sliced(i, 2).toUtf8();
            ++i;
        } else if (unit.unicode() >= kByteEscapeBase + 0x80 &&
                   unit.unicode() <= kByteEscapeBase + 0xFF) {
            // A byte that is not part of valid UTF-8.
            AppendHexBytes(line,
                           QByteArray(1, static_cast<char>(unit.unicode() - kByteEscapeBase)));
        } else if (unit == QLatin1Char('\n')) {
            line += "\\n";
        } else if (IsControl(unit.unicode())) {
            AppendHexBytes(line, QString(unit).toUtf8());
        } else {
            line += QString(unit).toUtf8();
        }
    }
    return line;
}

TRemovalReport::TRemovalReport(TMemoLines& lines, TDeletionMode mode, QByteArray target)
    : m_lines(lines), m_mode(mode), m_target(std::move(target))
{
    m_lines.BeginUpdate();
    m_shown.start();
}

TRemovalReport::~TRemovalReport()
{
    m_lines.EndUpdate();
}

void TRemovalReport::Show()
{
    m_lines.EndUpdate();
    m_lines.BeginUpdate();
    m_shown.restart();
}

void TRemovalReport::AddHeader()
{
    switch (m_mode) {
    case TDeletionMode::RecycleBin:
        m_lines.AddText(QStringLiteral("Next files removed in Recycle bin:"));
        break;
    case TDeletionMode::HardDrive:
        m_lines.AddText(QStringLiteral("Next files removed from hard drive:"));
        break;
    case TDeletionMode::CopyToFolder:
        m_lines.Add("Next files moved to " + ReportLine(m_target) + ':');
        break;
    }
    Show();
}

void TRemovalReport::Add(const QByteArray& path, const TRemovalResult& result)
{
    switch (result.Outcome) {
    case TRemovalOutcome::Removed:
        m_lines.Add(ReportLine(path));
        ++m_removed;
        if (m_shown.elapsed() >= 100)
            Show();
        break;
    case TRemovalOutcome::Gone:
        AddStayed(path, TReason::Gone);
        break;
    case TRemovalOutcome::Changed:
        AddStayed(path, TReason::Changed);
        break;
    case TRemovalOutcome::Failed:
        AddStayed(path, TReason::Failed, qt_error_string(result.Error));
        break;
    }
}

void TRemovalReport::AddStayed(const QByteArray& path, TReason reason, const QString& text)
{
    m_stayed[static_cast<size_t>(reason)].push_back({path, text});
}

QString TRemovalReport::FailedHeading(size_t count) const
{
    switch (m_mode) {
    case TDeletionMode::RecycleBin:
        return Counted(count, "1 marked file could not be moved to the trash:",
                       "%1 marked files could not be moved to the trash:");
    case TDeletionMode::HardDrive:
        return Counted(count, "1 marked file could not be removed from the hard drive:",
                       "%1 marked files could not be removed from the hard drive:");
    case TDeletionMode::CopyToFolder:
        break;
    }
    return Counted(count,
                   "1 marked file could not be moved:", "%1 marked files could not be moved:");
}

void TRemovalReport::Finish()
{
    if (m_removed == 0)
        m_lines.AddText(m_mode == TDeletionMode::CopyToFolder
                            ? QStringLiteral("No file was moved.")
                            : QStringLiteral("No file was removed."));
    for (size_t reason = 0; reason < m_stayed.size(); ++reason) {
        const std::vector<TStayed>& files = m_stayed[reason];
        if (files.empty())
            continue;
        const size_t count = files.size();
        switch (static_cast<TReason>(reason)) {
        case TReason::Kept:
            m_lines.AddText(
                Counted(count, "1 marked file was kept so that every picture keeps a copy:",
                        "%1 marked files were kept so that every picture keeps a copy:"));
            break;
        case TReason::Failed:
            m_lines.AddText(FailedHeading(count));
            break;
        case TReason::Gone:
            m_lines.AddText(Counted(
                count, "1 marked file was already gone:", "%1 marked files were already gone:"));
            break;
        case TReason::Changed:
            m_lines.AddText(
                Counted(count, "1 marked file changed after the check and was left as it is:",
                        "%1 marked files changed after the check and were left as they are:"));
            break;
        case TReason::NotReached:
            m_lines.AddText(
                Counted(count, "1 marked file was not reached: the run ended before it:",
                        "%1 marked files were not reached: the run ended before them:"));
            break;
        }
        for (const TStayed& file : files)
            m_lines.Add(file.Text.isEmpty() ? ReportLine(file.Path)
                                            : ReportLine(file.Path) + ": " + file.Text.toUtf8());
    }
}

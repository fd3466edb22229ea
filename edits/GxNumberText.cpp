#include "edits/GxNumberText.h"

QString FilterNumberText(const QString& text, const QString& separator, bool allowSeparator,
                         bool allowSign)
{
    QString kept;
    bool separatorKept = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            kept += c;
        } else if (!separator.isEmpty() && QStringView(text).mid(i).startsWith(separator)) {
            if (allowSeparator && !separatorKept) {
                kept += separator;
                separatorKept = true;
            }
            i += separator.size() - 1;
        } else if (c == u'+' || c == u'-') {
            if (allowSign && kept.isEmpty())
                kept += c;
        }
    }
    if (kept == QLatin1String("-") || kept == QLatin1String("+"))
        return QStringLiteral("0");
    return kept;
}

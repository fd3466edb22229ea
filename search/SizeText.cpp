#include "search/SizeText.h"

#include "platform/SysUtils.h"

#include <cmath>

namespace {

constexpr double kKilobyte = 1024;
constexpr double kMegabyte = 1024 * 1024;

} // namespace

QString SizeText(double size)
{
    if (size <= kKilobyte)
        return FloatToStr(size) + QStringLiteral(" B");
    if (size <= kMegabyte)
        return FloatToStr(size / kKilobyte) + QStringLiteral(" KB");
    return FloatToStr(size / kKilobyte / kKilobyte) + QStringLiteral(" MB");
}

int64_t SizeTextBytes(const QString& text)
{
    const qsizetype blank = text.lastIndexOf(u' ');
    double number = 0;
    if (blank < 0 || !TryStrToFloat(text.left(blank), number))
        return 0;
    const QStringView unit = QStringView(text).mid(blank + 1);
    const double scale = unit == u"KB" ? kKilobyte : unit == u"MB" ? kMegabyte : 1;
    return std::llround(number * scale);
}

#include "search/SizeText.h"

#include "platform/SysUtils.h"

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

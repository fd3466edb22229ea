#include "grid/GxOfficeSchemes.h"

#include "grid/shared/GxSharedCommon.h"

#include <array>

namespace {

// Per scheme: border, gradient top, gradient bottom, separator, gradient end, as 0x00BBGGRR.
constexpr std::array<std::array<TColor, 5>, kOfficeSchemeCount> kSchemes{{
    {0x5C534C, 0xFFFFFF, 0xC9C2BD, 0xA49991, 0xC9C2BD},
    {0xCF9365, 0xFFFFFF, 0xFFD2AF, 0xFFC69A, 0xFFD2AF},
    {0x74706F, 0xFFFFFF, 0xE7DFDA, 0x8F6D6E, 0xE7DFDA},
    {0xBD9D84, 0xFBF5EF, 0xFAECE1, 0xBD9D84, 0xE7DFDA},
    {0xB5ACA5, 0xF9F7F5, 0xF6F2EF, 0xB5ACA5, 0xE7DFDA},
}};

int g_currentScheme = 2;

int Column(TOfficeSchemeEntry entry)
{
    switch (entry) {
    case oeBorder:
        return 0;
    case oeGradientTop:
        return 1;
    case oeGradientBottom:
        return 2;
    case oeSeparator:
        return 3;
    case oeGradientEnd:
        break;
    }
    return 4;
}

void CheckScheme(int scheme)
{
    if (scheme < 1 || scheme > kOfficeSchemeCount)
        throw EAssertionFailed();
}

} // namespace

TColor OfficeSchemeColor(TOfficeSchemeEntry entry, int scheme)
{
    if (scheme == 0)
        scheme = g_currentScheme;
    CheckScheme(scheme);
    return kSchemes[size_t(scheme - 1)][size_t(Column(entry))];
}

int CurrentOfficeScheme()
{
    return g_currentScheme;
}

void SetCurrentOfficeScheme(int scheme)
{
    CheckScheme(scheme);
    g_currentScheme = scheme;
}

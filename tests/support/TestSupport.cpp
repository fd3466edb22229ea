#include "TestSupport.h"

QString TestDataDir()
{
    return QStringLiteral(TWINPICS_TESTDATA_DIR);
}

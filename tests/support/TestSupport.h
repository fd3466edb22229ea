#pragma once

#include <QString>

// The folder of the shared sample pictures; tests copy what they need before touching it.
QString TestDataDir();

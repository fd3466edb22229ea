#pragma once

#include "platform/Exception.h"

#include <QByteArray>

// An invalid mask: "'%s' is an invalid mask at (%d)".
class EMaskException : public Exception
{
public:
    EMaskException(const QByteArray& mask, int position);
};

// Declared here so the folder scan can be written against it; TMask, MatchName and the compiled
// steps live in Masks.cpp.
bool NameMatchesMask(const QByteArray& name, const QByteArray& mask);

#include "platform/Exception.h"

Exception::Exception(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toStdString())
{}

EListError::EListError(qint64 index)
    : Exception(QStringLiteral("List index out of bounds (%1)").arg(index))
{}

EFOpenError::EFOpenError(const QString& fileName, const QString& reason)
    : Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason))
{}

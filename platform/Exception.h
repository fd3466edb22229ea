#pragma once

#include <QString>
#include <exception>
#include <string>

// The base of every error the program raises on purpose. It carries the message text that the
// standard error box shows, word for word.
class Exception : public std::exception
{
public:
    explicit Exception(QString message);

    const QString& Message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// A text that cannot be read as the requested type.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public Exception
{
public:
    explicit EListError(qint64 index);
};

// A file that cannot be opened: "Cannot open file "%s". %s".
class EFOpenError : public Exception
{
public:
    EFOpenError(const QString& fileName, const QString& reason);
};

// An operation that the object's state does not allow.
class EInvalidOperation : public Exception
{
public:
    using Exception::Exception;
};

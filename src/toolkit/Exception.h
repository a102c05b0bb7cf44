#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The toolkit's error class: every failure the program reports carries one message text.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &message);

    const QString &Message() const noexcept { return FMessage; }
    // The same text in UTF-8, kept alive as long as the error.
    const char *what() const noexcept override;

private:
    QString FMessage;
    QByteArray FUtf8;
};

// An operation that is not allowed with the given arguments, e.g. a property out of range.
class EInvalidOperation : public Exception
{
public:
    using Exception::Exception;
};

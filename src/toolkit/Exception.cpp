#include "toolkit/Exception.h"

Exception::Exception(const QString &message)
    : FMessage(message), FUtf8(message.toUtf8())
{
}

const char *Exception::what() const noexcept
{
    return FUtf8.constData();
}

#include "toolkit/LocaleNumbers.h"

#include <QLocale>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

// The general format's text in C notation, rewritten: the exponent as "E-5" / "E15" (no plus
// sign, no leading zeros) and the given decimal separator.
QString RewriteGeneral(const char *text, QChar decimalSeparator)
{
    QString result = QString::fromLatin1(text);
    const int e = int(result.indexOf(QLatin1Char('e')));
    if (e >= 0) {
        QString mantissa = result.left(e);
        QString exponent = result.mid(e + 1);
        bool negative = exponent.startsWith(QLatin1Char('-'));
        if (exponent.startsWith(QLatin1Char('-')) || exponent.startsWith(QLatin1Char('+')))
            exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        result = mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
    }
    // Whatever the C library's locale put as the point becomes the wanted separator.
    for (QChar &c : result)
        if (!c.isDigit() && c != QLatin1Char('E') && c != QLatin1Char('-'))
            c = decimalSeparator;
    return result;
}

} // namespace

QChar DecimalSeparator()
{
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? QLatin1Char('.') : separator.front();
}

QString FloatToStr(long double value, QChar decimalSeparator)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
    return RewriteGeneral(buffer, decimalSeparator);
}

QString FloatToStr(long double value)
{
    return FloatToStr(value, DecimalSeparator());
}

std::optional<double> StrToFloat(const QString &text, QChar decimalSeparator)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // Rebuilt in C notation and checked character by character, so that no locale of the C
    // library and no thousands separator can slip in.
    QByteArray c;
    c.reserve(trimmed.size());
    int i = 0;
    const int n = int(trimmed.size());
    auto at = [&](int k) { return k < n ? trimmed.at(k) : QChar(); };
    if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
        c.append(char(trimmed.at(i++).unicode()));
    int digits = 0;
    while (at(i).isDigit() && at(i).unicode() < 128) {
        c.append(char(trimmed.at(i++).unicode()));
        ++digits;
    }
    if (i < n && at(i) == decimalSeparator) {
        c.append('.');
        ++i;
        while (at(i).isDigit() && at(i).unicode() < 128) {
            c.append(char(trimmed.at(i++).unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (at(i) == QLatin1Char('e') || at(i) == QLatin1Char('E')) {
        c.append('e');
        ++i;
        if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
            c.append(char(trimmed.at(i++).unicode()));
        int exponentDigits = 0;
        while (at(i).isDigit() && at(i).unicode() < 128) {
            c.append(char(trimmed.at(i++).unicode()));
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(QString::fromLatin1(c), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> StrToFloat(const QString &text)
{
    return StrToFloat(text, DecimalSeparator());
}

std::optional<int> StrToInt(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    int i = 0;
    if (trimmed.at(0) == QLatin1Char('+') || trimmed.at(0) == QLatin1Char('-'))
        ++i;
    if (i == trimmed.size())
        return std::nullopt;
    for (int k = i; k < trimmed.size(); ++k)
        if (trimmed.at(k) < QLatin1Char('0') || trimmed.at(k) > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok);
    if (!ok || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return int(value);
}

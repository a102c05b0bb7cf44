#pragma once

#include <QChar>
#include <QString>
#include <optional>

// Numbers as the user sees and types them: the decimal separator of the current default locale
// (QLocale()).

// General format with at most 15 significant digits: fixed notation unless the exponent is below
// -4 or at least 15 ("1E-5", "1E15"); no thousands separators. 0 gives "0", 2.5 gives "2.5" or
// "2,5"; 0.8f widened gives "0.800000011920929".
QString FloatToStr(long double value);
QString FloatToStr(long double value, QChar decimalSeparator);

// A decimal number in the locale's form (blanks around it allowed, no thousands separators,
// optional exponent); nothing when the text is not such a number.
std::optional<double> StrToFloat(const QString &text);
// The same with an explicit decimal separator.
std::optional<double> StrToFloat(const QString &text, QChar decimalSeparator);

// A whole decimal number that fits 32 bits (blanks around it allowed); nothing otherwise.
std::optional<int> StrToInt(const QString &text);

QChar DecimalSeparator();

#include "verify/ScanCheck.h"
#include "verify/ScanProfiles.h"

// The comparison of the reader's text with the data: what the symbology adds or changes is
// allowed for, nothing else.

namespace {

QString DigitsOf(const QString &text)
{
    QString digits;
    for (QChar c : text)
        if (c.isDigit())
            digits += c;
    return digits;
}

QString WithoutLeadingZeros(const QString &digits)
{
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    return digits.mid(first);
}

// The reader's number stands for the asked one: equal once leading zeros (padding) are gone, or
// equal but for a check digit that the engine added behind.
bool SameNumber(const QString &asked, const QString &seen)
{
    const QString a = WithoutLeadingZeros(asked);
    const QString s = WithoutLeadingZeros(seen);
    if (a.isEmpty() || s.isEmpty())
        return a == s && !asked.isEmpty() && !seen.isEmpty();
    return s == a || (s.size() == a.size() + 1 && s.startsWith(a));
}

// EAN/UPC with an add-on after "+" (or a blank, as the reader separates it); ISBN-10 numbers
// are carried as 978 numbers.
bool SameDigits(const QString &askedText, const QString &seenText, TSymbology symbology)
{
    QString asked = askedText.trimmed();
    QString askedAddOn;
    const qsizetype plus = asked.indexOf(u'+');
    if (plus >= 0) {
        askedAddOn = DigitsOf(asked.mid(plus + 1));
        asked = asked.left(plus);
    }
    QString seen = seenText.trimmed();
    QString seenAddOn;
    const qsizetype blank = seen.indexOf(u' ');
    if (blank >= 0) {
        seenAddOn = DigitsOf(seen.mid(blank + 1));
        seen = seen.left(blank);
    } else if (!askedAddOn.isEmpty()) {
        // Without a separator the add-on follows the 8, 12 or 13 digits of the main number.
        for (qsizetype length : {13, 12, 8})
            if (seen.size() == length + askedAddOn.size()) {
                seenAddOn = seen.mid(length);
                seen = seen.left(length);
                break;
            }
    }
    if (askedAddOn != seenAddOn)
        return false;
    QString digits = DigitsOf(asked);
    const bool isbn10X = symbology == syISBN && digits.size() == 9 && asked.endsWith(u'X', Qt::CaseInsensitive);
    if (digits.size() + (isbn10X ? 1 : 0) != asked.remove(u'-').remove(u' ').size())
        return false; // letters where digits belong are never "the same"
    if (symbology == syISBN && (digits.size() == 10 || isbn10X))
        digits = QStringLiteral("978") + digits.left(9);
    return SameNumber(digits, seen);
}

// A GS1 element string as its AIs and data run together: the reader separates variable fields
// with GS characters or shows the AIs in parentheses, the data has them in brackets.
QString Gs1Run(const QString &text)
{
    QString run;
    for (QChar c : text)
        if (c != u'[' && c != u']' && c != u'(' && c != u')' && c != QChar(0x1D))
            run += c;
    if (run.startsWith(QStringLiteral("]C1")) || run.startsWith(QStringLiteral("]e0")))
        run.remove(0, 3);
    return run;
}

// The check character of a HIBC message (modulo 43 over the Code 39 character set).
QChar HibcCheck(const QString &data)
{
    static const QString set = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
    int sum = 0;
    for (QChar c : data) {
        const qsizetype value = set.indexOf(c);
        if (value < 0)
            return QChar();
        sum += int(value);
    }
    return set[sum % 43];
}

// Code 32: six base-32 characters for a nine-digit number (eight digits and a check digit).
QString Code32Number(const QString &seen)
{
    static const QString set = QStringLiteral("0123456789BCDFGHJKLMNPQRSTUVWXYZ");
    QString chars = seen.startsWith(u'A') && seen.size() == 7 ? seen.mid(1) : seen;
    if (chars.size() != 6)
        return {};
    qint64 number = 0;
    for (QChar c : chars) {
        const qsizetype value = set.indexOf(c);
        if (value < 0)
            return {};
        number = number * 32 + value;
    }
    return QString::number(number).rightJustified(9, u'0');
}

// The data as the engine reads its escape sequences: \n, \t, \\, \xNN, \dNNN, \oNNN, \uNNNN and
// the other control characters. An unknown sequence stays as it is (the engine refuses it).
QString Unescaped(const QString &data)
{
    static const QString letters = QStringLiteral("0EabtnvfreGR");
    static const char16_t codes[] = {0x00, 0x04, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x1B, 0x1D, 0x1E};
    QString text;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] != u'\\' || i + 1 >= data.size()) {
            text += data[i];
            continue;
        }
        const QChar c = data[i + 1];
        const qsizetype letter = letters.indexOf(c);
        if (letter >= 0) {
            text += QChar(codes[letter]);
            ++i;
            continue;
        }
        if (c == u'\\') {
            text += c;
            ++i;
            continue;
        }
        const struct { QChar Key; int Digits; int Base; } numbers[] = {
            {u'x', 2, 16}, {u'd', 3, 10}, {u'o', 3, 8}, {u'u', 4, 16}, {u'U', 6, 16}};
        bool done = false;
        for (const auto &number : numbers) {
            if (c != number.Key || i + 1 + number.Digits >= data.size())
                continue;
            bool ok = false;
            const uint code = data.mid(i + 2, number.Digits).toUInt(&ok, number.Base);
            if (!ok)
                continue;
            const char32_t point = code;
            text += QString::fromUcs4(&point, 1);
            i += 1 + number.Digits;
            done = true;
            break;
        }
        if (!done)
            text += data[i];
    }
    return text;
}

} // namespace

bool ReadsAsAsked(const TScanRequest &request, const QString &seen)
{
    const TScanProfile &profile = ScanProfile(request.Symbology);
    QString asked = request.Escapes ? Unescaped(request.Data) : request.Data;
    if (request.Gs1 && profile.Rule != TScanRule::Gtin)
        return Gs1Run(asked) == Gs1Run(seen);
    switch (profile.Rule) {
    case TScanRule::None:
        return false;
    case TScanRule::Exact:
        return seen == asked;
    case TScanRule::Upper:
        return seen == asked.toUpper();
    case TScanRule::Digits:
        return SameDigits(asked, seen, request.Symbology);
    case TScanRule::Gs1:
        return Gs1Run(asked) == Gs1Run(seen);
    case TScanRule::Gtin: {
        // The reader may show the AI; the data may carry it in brackets.
        QString number = Gs1Run(seen);
        const QString ai = request.Symbology == syNVE18 ? QStringLiteral("00") : QStringLiteral("01");
        QString askedRun = Gs1Run(asked);
        const qsizetype full = request.Symbology == syNVE18 ? 18 : 14;
        if (number.size() == full + 2 && number.startsWith(ai))
            number.remove(0, 2);
        if (askedRun.size() > full && askedRun.startsWith(ai))
            askedRun.remove(0, 2);
        return DigitsOf(askedRun) == askedRun && DigitsOf(number) == number && SameNumber(askedRun, number);
    }
    case TScanRule::Hibc: {
        const QString data = asked.toUpper();
        const QString expected = u'+' + data;
        return seen.size() == expected.size() + 1 && seen.startsWith(expected) &&
               seen.back() == HibcCheck(expected);
    }
    case TScanRule::Codabar: {
        // The data carries start and stop characters (A to D); the reader leaves them out.
        QString core = asked.toUpper();
        const QString ends = QStringLiteral("ABCD");
        if (core.size() >= 2 && ends.contains(core.front()) && ends.contains(core.back()))
            core = core.mid(1, core.size() - 2);
        return seen.toUpper() == core || seen.toUpper() == asked.toUpper();
    }
    case TScanRule::Code32: {
        const QString number = Code32Number(seen);
        const QString digits = DigitsOf(asked);
        return !number.isEmpty() && digits == asked && digits.size() <= 8 &&
               number.left(8) == digits.rightJustified(8, u'0');
    }
    case TScanRule::Pzn: {
        QString number = seen;
        if (number.startsWith(QStringLiteral("PZN")))
            number.remove(0, 3);
        if (number.startsWith(u'-'))
            number.remove(0, 1);
        const QString digits = DigitsOf(asked);
        return digits == asked && DigitsOf(number) == number &&
               number.size() == digits.rightJustified(number.size() - 1, u'0').size() + 1 &&
               number.startsWith(digits.rightJustified(number.size() - 1, u'0'));
    }
    }
    return false;
}

#include "verify/ScanText.h"

#include "toolkit/LocaleNumbers.h"

namespace {

QString Number(double value)
{
    return FloatToStr(static_cast<long double>(value));
}

} // namespace

QString ScanVerdictText(const TScanVerdict &verdict, const TScanTranslate &translate)
{
    switch (verdict.Outcome) {
    case TScanOutcome::ReadsBack:
        return translate(QStringLiteral("Reads back as the data"));
    case TScanOutcome::ReadsDifferently:
        return translate(QStringLiteral("Reads back differently: %1")).arg(verdict.Seen);
    case TScanOutcome::DoesNotRead:
        if (!verdict.Seen.isEmpty())
            return translate(QStringLiteral("Does not read back: %1")).arg(verdict.Seen);
        return translate(QStringLiteral("Does not read back"));
    case TScanOutcome::NoReader:
        break;
    }
    return translate(QStringLiteral("No independent reader for this symbology"));
}

QString ScanWarningText(const TScanWarning &warning, const TScanTranslate &translate)
{
    switch (warning.Kind) {
    case TScanWarningKind::Contrast:
        return translate(QStringLiteral("Contrast of fore and back colour is %1 %; scanners need at least %2 %."))
            .arg(Number(warning.Value), Number(warning.Limit));
    case TScanWarningKind::LightOnDark:
        return translate(QStringLiteral("Light bars on a dark background (luminance %1 % on %2 %): many scanners read only dark bars on light."))
            .arg(Number(warning.Value), Number(warning.Limit));
    case TScanWarningKind::QuietZone:
        return translate(QStringLiteral("Quiet zone of %1 modules; this symbology needs %2."))
            .arg(Number(warning.Value), Number(warning.Limit));
    case TScanWarningKind::SmallModules:
        return translate(QStringLiteral("Modules are %1 px wide at this scale; a raster file needs at least %2 px."))
            .arg(Number(warning.Value), Number(warning.Limit));
    case TScanWarningKind::XDimension:
        break;
    }
    return translate(QStringLiteral("X-dimension %1 mm is outside the usual %2 to %3 mm of this symbology."))
        .arg(Number(warning.Value), Number(warning.Limit), Number(warning.Limit2));
}

QStringList ScanWarningTexts(const TScanVerdict &verdict, const TScanTranslate &translate)
{
    QStringList texts;
    for (const TScanWarning &warning : verdict.Warnings)
        texts.append(ScanWarningText(warning, translate));
    return texts;
}

#pragma once

#include "verify/ScanCheck.h"

#include <QStringList>
#include <functional>

// The words of a verdict and its warnings. `translate` turns an English message (with %1 ...
// placeholders) into the user's language; numbers follow the user's locale.
using TScanTranslate = std::function<QString(const QString &)>;

QString ScanVerdictText(const TScanVerdict &verdict, const TScanTranslate &translate);
QString ScanWarningText(const TScanWarning &warning, const TScanTranslate &translate);
QStringList ScanWarningTexts(const TScanVerdict &verdict, const TScanTranslate &translate);

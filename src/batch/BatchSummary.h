#pragma once

#include "batch/BatchRun.h"

#include <QString>
#include <QStringList>
#include <functional>

// The texts of the summary shown after a run. `translate` turns an English message (with %1 ...
// placeholders) into the user's language.
using TTranslate = std::function<QString(const QString &)>;

// One or two sentences: how many files were written and how many failed, and why the run ended
// early when it did.
QString BatchSummaryHeadline(const TBatchResult &result, const TTranslate &translate);

// One line per failure, then one per file that does not read back: line number, the string
// (shortened when long, control characters shown as blanks) and the engine's message or the
// reader's verdict, separated by tabs so that a copied list pastes into a spreadsheet.
QStringList BatchFailureLines(const TBatchResult &result);

// Longest string shown in a failure line, in characters.
constexpr qsizetype FailureTextLimit = 80;

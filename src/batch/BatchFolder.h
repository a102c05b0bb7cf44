#pragma once

#include <QString>

// The output folder of a batch run as START confirms it: a folder text that is not empty always
// ends with the separator, so that a base name can be appended directly. On Windows a lone drive
// letter becomes the root of that drive and "C:" (the current folder of a drive) stays as it is.
// Empty text stays empty.
QString NormaliseBatchFolder(const QString &text);

// Whether `folder` (as normalised) names an existing directory.
bool BatchFolderExists(const QString &folder);

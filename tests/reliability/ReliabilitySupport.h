#pragma once

// What the reliability tests share: the message of an error an action raises, and the rows of
// the seven file formats a barcode is saved in.

#include "toolkit/Exception.h"

#include <QString>
#include <QtTest>
#include <functional>

// The message of the toolkit error that `action` raises; an empty text when it raises none.
inline QString ErrorMessage(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Exception &error) {
        return error.Message();
    }
    return QString();
}

// One row per save format, in the column "extension" (".bmp" ...).
inline void AddSaveExtensionRows()
{
    QTest::addColumn<QString>("extension");
    for (const char *extension : {".bmp", ".emf", ".eps", ".gif", ".pcx", ".txt", ".svg"})
        QTest::newRow(extension) << QString::fromLatin1(extension);
}

#pragma once

// What the reliability tests share: the message of an error an action raises, and the rows of
// the seven file formats a barcode is saved in.

#include "barcode/Barcode.h"
#include "batch/BatchRun.h"
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

// The plan run on this thread by one barcode of the component's defaults, each item's text as
// its data.
inline TBatchResult SaveEachItem(const TBatchPlan &plan, const QString &folder)
{
    TBarcode barcode(nullptr);
    return RunBatch(plan, folder, [&barcode](const TBatchItem &item) {
        barcode.SetInputText(item.Text);
        barcode.Save(item.FileName);
    }, nullptr);
}

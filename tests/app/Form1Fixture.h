#pragma once

// What the main window's tests share besides the test environment: picking list entries and
// typing as the user does.

#include "app/AppSettings.h"
#include "app/Form1.h"
#include "support/TestEnvironment.h"
#include "toolkit/StdCtrls.h"

#include <QtTest>
#include <memory>

// Picks a list entry as the user does: selection plus the change event.
inline void PickItem(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

// Replaces an edit's text by typing, one keystroke after another.
inline void TypeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

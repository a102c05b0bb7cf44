#include "Form1Fixture.h"

#include "app/SymbologyFilter.h"
#include "barcode/Barcode.h"

#include <QListView>
#include "toolkit/StdCtrls.h"

// The filter over the symbology list: which names match, and what the list and the preview do
// while the user filters in the real main window.
class TestSymbologyFilter : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestEnvironment> FEnvironment;
    std::unique_ptr<TForm1> FForm;

    // The names the drop-down offers: shown and enabled. An entry shown but disabled, or hidden
    // but enabled, is listed as "!name" so that the comparisons fail.
    QStringList Offered() const
    {
        auto *view = qobject_cast<QListView *>(FForm->ComboBoxSymbology->view());
        QStringList names;
        for (int row = 0; row < FForm->ComboBoxSymbology->count(); ++row) {
            const bool enabled = FForm->ComboBoxSymbology->model()->index(row, 0).flags() & Qt::ItemIsEnabled;
            const QString name = FForm->ComboBoxSymbology->itemText(row);
            if (view->isRowHidden(row) == enabled)
                names.append(QLatin1Char('!') + name);
            else if (enabled)
                names.append(name);
        }
        return names;
    }

private slots:
    void Matches_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("matches");
        QTest::newRow("empty filter") << "Code 128" << "" << true;
        QTest::newRow("only spaces") << "Code 128" << "   " << true;
        QTest::newRow("one word, other case") << "Micro QR Code" << "qr" << true;
        QTest::newRow("words in any order") << "Micro QR Code" << "qr micro" << true;
        QTest::newRow("every word must match") << "QR Code" << "qr micro" << false;
        QTest::newRow("tabs and double spaces") << "Micro QR Code" << "\tmicro   qr " << true;
        QTest::newRow("without the space") << "Code 128" << "code128" << true;
        QTest::newRow("without the hyphen") << "EAN-13" << "ean13" << true;
        QTest::newRow("punctuation alone matches nothing") << "Code 128" << "-" << false;
        QTest::newRow("hyphen in the name typed") << "EAN-13" << "ean-1" << true;
        QTest::newRow("letters not in the name") << "Aztec Code" << "pdf" << false;
        QTest::newRow("non-ASCII same letters") << "Code Ü" << "ü" << true;
    }

    void Matches()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(bool, matches);
        QCOMPARE(MatchesSymbologyFilter(name, filter), matches);
    }

    void init()
    {
        FEnvironment = std::make_unique<TTestEnvironment>();
        FForm.reset(CreateForm1());
        FForm->Show();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    }

    void cleanup()
    {
        FForm.reset();
        FEnvironment.reset();
    }

    void TypingNarrowsTheListAndKeepsTheSymbol()
    {
        QCOMPARE(Offered().size(), 95);
        const QImage before = FForm->Barcode->Bitmap();
        TypeInto(FForm->EditFilter, QStringLiteral("micro"));
        const QStringList offered = Offered();
        QVERIFY(offered.size() >= 2);
        for (const QString &name : offered)
            QVERIFY2(!name.startsWith(QLatin1Char('!')) && name.contains(QStringLiteral("micro"), Qt::CaseInsensitive), qPrintable(name));
        QVERIFY(offered.contains(QStringLiteral("Micro QR Code")));
        // QR Code does not match, yet stays the symbol until the user picks another.
        QCOMPARE(FForm->ComboBoxSymbology->Text(), QStringLiteral("QR Code"));
        QCOMPARE(FForm->Barcode->Bitmap(), before);
        QCOMPARE(FForm->ComboBoxSymbology->count(), 95);
        // Beside the filter: how many of all names it leaves.
        QCOMPARE(FForm->LabelFilterMatches->Caption(), QStringLiteral("%1 of 95").arg(offered.size()));

        FForm->EditFilter->SetText(QString());
        QCOMPARE(Offered().size(), 95);
        QCOMPARE(FForm->LabelFilterMatches->Caption(), QString());
    }

    void ArrowKeysPassOverHiddenEntries()
    {
        TypeInto(FForm->EditFilter, QStringLiteral("qr"));
        const QStringList offered = Offered();
        QVERIFY(offered.size() >= 2);
        FForm->ComboBoxSymbology->setFocus();
        for (int step = 0; step < 6; ++step) {
            QTest::keyClick(FForm->ComboBoxSymbology, Qt::Key_Down);
            QVERIFY2(offered.contains(FForm->ComboBoxSymbology->Text()), qPrintable(FForm->ComboBoxSymbology->Text()));
        }
        // The arrow keys change the symbol as a pick does.
        QCOMPARE(FForm->Barcode->SymbologyName(), FForm->ComboBoxSymbology->Text());
    }

    void KeysInTheFilter_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Down") << int(Qt::Key_Down);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void KeysInTheFilter()
    {
        QFETCH(int, key);
        TypeInto(FForm->EditFilter, QStringLiteral("data"));
        QTest::keyClick(FForm->EditFilter, Qt::Key(key));
        QTRY_VERIFY(FForm->ComboBoxSymbology->view()->isVisible());
        FForm->ComboBoxSymbology->hidePopup();
        QCOMPARE(QApplication::focusWidget(), FForm->ComboBoxSymbology);

        FForm->EditFilter->setFocus();
        QTest::keyClick(FForm->EditFilter, Qt::Key_Escape);
        QCOMPARE(FForm->EditFilter->Text(), QString());
        QCOMPARE(Offered().size(), 95);
        QVERIFY(FForm->isVisible()); // Escape cleared the filter and closed nothing
    }

    void AccessKeyAndTabReachTheFilter()
    {
        FForm->ComboBoxSymbology->setFocus();
        QTest::keyClick(FForm->ComboBoxSymbology, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), FForm->EditFilter);
        FForm->MemoInputText->setFocus();
        QTest::keyClick(FForm.get(), Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), FForm->EditFilter);
        QVERIFY(!FForm->EditFilter->Hint().isEmpty());
    }

    void NewItemsAreFilteredToo()
    {
        TypeInto(FForm->EditFilter, QStringLiteral("aztec"));
        const qsizetype before = Offered().size();
        FForm->ComboBoxSymbology->AddItem(QStringLiteral("Zebra Test Code"));
        FForm->ComboBoxSymbology->AddItem(QStringLiteral("Aztec Test Code"));
        QCOMPARE(Offered().size(), before + 1);
        QVERIFY(!Offered().contains(QStringLiteral("Zebra Test Code")));
    }
};

QTEST_MAIN(TestSymbologyFilter)
#include "TestSymbologyFilter.moc"

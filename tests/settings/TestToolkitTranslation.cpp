// Qt's own texts follow the chosen language: the locale a language stands for, and Qt's
// translation loaded when the main window shows and when the settings dialog changes language.
#include "SettingsFixture.h"

#include "lang/FormSettings.h"
#include "lang/ToolkitTranslation.h"
#include "toolkit/StdCtrls.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QPushButton>

namespace {

const QString ShippedFolder = QStringLiteral(QUORVEL_SHIPPED_LANGUAGES);

bool QtHasTranslation(const char *locale)
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_")
                         + QLatin1String(locale) + QStringLiteral(".qm"));
}

// The text Qt gives a standard button now, after the pending language change reached it.
QString CancelText(QDialogButtonBox &box)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return box.button(QDialogButtonBox::Cancel)->text();
}

} // namespace

class TestToolkitTranslation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { LoadToolkitTranslation(QString(), QString()); }

    void localeOfLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("file"); // lines of its language file; empty: no file
        QTest::addColumn<QString>("locale");
        QTest::newRow("shipped name") << "German" << QStringList() << "de";
        QTest::newRow("flag picks the variant") << "Portuguese" << QStringList() << "pt_BR";
        QTest::newRow("Chinese Traditional") << "Chinese Traditional" << QStringList() << "zh_TW";
        QTest::newRow("the table's spelling") << "Italiano" << QStringList() << "it";
        QTest::newRow("English name known to Qt") << "Polish" << QStringList() << "pl_PL";
        QTest::newRow("native name known to Qt") << "Deutsch" << QStringList() << "de_DE";
        QTest::newRow("native name, other case") << "FRANÇAIS" << QStringList() << "fr_FR";
        QTest::newRow("unknown name") << "Klingon" << QStringList() << "";
        QTest::newRow("the template") << "Native" << QStringList() << "";
        QTest::newRow("empty") << "" << QStringList() << "";
        QTest::newRow("the file's entry") << "Klingon" << QStringList{"[Language]", "Locale=fr"} << "fr";
        QTest::newRow("the file's entry wins")
            << "German" << QStringList{"[language]", "locale = de_AT "} << "de_AT";
        QTest::newRow("file without the entry")
            << "German" << QStringList{"[Language]", "Name=Deutsch", "[Messages]", "Locale=fr"} << "de";
    }
    void localeOfLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, file);
        QFETCH(QString, locale);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("language.lng"));
        if (!file.isEmpty())
            WriteLanguageBytes(path, EncodeLines(file));
        QCOMPARE(LocaleOfLanguage(language, path), locale);
    }

    void shippedFilesNameTheirLocale_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << "English" << "en";
        QTest::newRow("German") << "German" << "de";
        QTest::newRow("French") << "French" << "fr";
        QTest::newRow("Spanish") << "Spanish" << "es";
    }
    void shippedFilesNameTheirLocale()
    {
        QFETCH(QString, language);
        QFETCH(QString, locale);
        const QString path = ShippedFolder + QLatin1Char('/') + language + QStringLiteral(".lng");
        // Under another name the locale can only come from the file itself.
        QCOMPARE(LocaleOfLanguage(QStringLiteral("Renamed"), path), locale);
    }

    void standardButtonsFollowTheLanguage()
    {
        if (!QtHasTranslation("de") || !QtHasTranslation("fr"))
            QSKIP("Qt's translations are not installed (Debian: qt6-translations-l10n)");
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(CancelText(box), QStringLiteral("Cancel"));
        QVERIFY(LoadToolkitTranslation(QStringLiteral("German"), QString()));
        QCOMPARE(CancelText(box), QStringLiteral("Abbrechen"));
        QVERIFY(LoadToolkitTranslation(QStringLiteral("French"), QString()));
        QCOMPARE(CancelText(box), QStringLiteral("Annuler"));
        // A language Qt has no catalogue for brings Qt's English back.
        QVERIFY(!LoadToolkitTranslation(QStringLiteral("Klingon"), QString()));
        QCOMPARE(CancelText(box), QStringLiteral("Cancel"));
    }

    void mainWindowAndSettingsDialogLoadIt()
    {
        if (!QtHasTranslation("de"))
            QSKIP("Qt's translations are not installed (Debian: qt6-translations-l10n)");
        TSettingsEnvironment env;
        for (const char *language : {"English", "German"})
            QVERIFY(QFile::copy(ShippedFolder + '/' + language + ".lng", env.PathOf(QString(language) + ".lng")));
        TForm1 *main = env.CreateMain(QStringLiteral("German"));
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        main->show();
        QCOMPARE(CancelText(box), QStringLiteral("Abbrechen"));

        auto dialog = std::make_unique<TFormSettings>(main, main->SettingsHost());
        dialog->show();
        const int english = dialog->ComboBoxLang->findText(QStringLiteral("English"));
        dialog->ComboBoxLang->setCurrentIndex(english);
        Q_EMIT dialog->ComboBoxLang->activated(english);
        QCOMPARE(CancelText(box), QStringLiteral("Cancel"));
    }
};

QTEST_MAIN(TestToolkitTranslation)
#include "TestToolkitTranslation.moc"

// The language files shipped beside the program: every visible text of the three windows has a
// translation, every entry reaches its control, and switching back to English restores the
// design texts.
#include "SettingsFixture.h"

#include "app/SaveFormats.h"
#include "batch/FormBatchGenerator.h"
#include "lang/FormSettings.h"
#include "lang/LangChanger.h"
#include "toolkit/ColorBox.h"
#include "toolkit/Component.h"
#include "toolkit/StdCtrls.h"

#include <QDirIterator>
#include <QLayout>
#include <QScopeGuard>
#include <algorithm>

namespace {

const QString ShippedFolder = QStringLiteral(QUORVEL_SHIPPED_LANGUAGES);

void CopyShippedFiles(const TSettingsEnvironment &env)
{
    QDirIterator it(ShippedFolder, {"*.lng"}, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QVERIFY(QFile::copy(it.filePath(), env.PathOf(it.fileName())));
    }
}

// Entries of a template that are not texts for a translator: what the user typed or chose
// (Text), components nobody sees, the dialog listed a second time as a component of the main
// window, the product name in the main window's caption, and the hidden template button.
bool IsTranslatorText(const QString &key)
{
    return !key.endsWith(QLatin1String(".Text")) && !key.startsWith(QLatin1String("Form1.Barcode."))
        && !key.startsWith(QLatin1String("Form1.LangChanger1."))
        && !key.startsWith(QLatin1String("Form1.FormSettings.")) && key != QLatin1String("Form1.Caption")
        && key != QLatin1String("FormSettings.Button1.Caption")
        // What the program writes into them: the zoom, the filter's count, the symbology's name.
        && key != QLatin1String("Form1.LabelZoom.Caption") && key != QLatin1String("Form1.LabelFilterMatches.Caption")

        && key != QLatin1String("FormBatchGenerator.LabelSymbologyName.Caption");
}

// The texts a translator must cover, as the template writer lists them from the three windows.
QMap<QString, QString> VisibleTexts(TSettingsEnvironment &env, TForm1 *main)
{
    {
        TFormSettings dialog(main, main->SettingsHost());
        dialog.Button1Click(&dialog);
    }
    const QString templatePath = env.PathOf("Native.lng");
    const TLangFile native = TLangFile::Load(templatePath);
    QFile::remove(templatePath);
    QMap<QString, QString> texts;
    for (const QString &key : native.ReadSectionKeys("Translations"))
        if (IsTranslatorText(key))
            texts.insert(key, native.ReadString("Translations", key, QString()));
    return texts;
}

// The lists whose items a translator must cover: every list of the three windows (colour names
// included) except those holding names that stay as they are (symbologies, format codes in both
// windows, language names).
QMap<QString, int> TranslatableLists(const QList<QObject *> &windows)
{
    QMap<QString, int> lists;
    for (QObject *window : windows)
        for (QObject *component : OwnedComponents(window)) {
            auto *box = qobject_cast<QComboBox *>(component);
            const QString name = component->objectName();
            const bool named = qobject_cast<TComboBox *>(component) != nullptr
                               || qobject_cast<TColorBox *>(component) != nullptr;
            // The options area fills its lists from the option table for each symbology; their
            // words come from the messages.
            const bool optionList = box != nullptr && box->parentWidget() != nullptr
                                    && box->parentWidget()->objectName() == "PanelSymbologyOptions";
            if (!named || box->count() == 0 || name == "ComboBoxSymbology" || name == "ComboBoxExt"
                || name == "ComboBoxFormat" || name == "ComboBoxLang" || optionList)
                continue;
            lists.insert(window->objectName() + '.' + name + ".Items", box->count());
        }
    return lists;
}

// The value a property path of a language file addresses on a window.
QVariant ReadPath(QObject *window, const QString &path)
{
    QStringList segments = path.split('.');
    QObject *target = window;
    if (segments.size() > 1) {
        if (QObject *component = FindComponent(window, segments.first())) {
            target = component;
            segments.removeFirst();
        }
    }
    while (segments.size() > 1 && target != nullptr)
        target = target->property(segments.takeFirst().toLatin1()).value<QObject *>();
    return target != nullptr ? target->property(segments.first().toLatin1()) : QVariant();
}

// The lines of a list that a language-file key addresses.
QStringList ItemsOf(QObject *window, const QString &key)
{
    auto *strings = qobject_cast<TStrings *>(ReadPath(window, key.section('.', 1)).value<QObject *>());
    return strings != nullptr ? strings->ToStringList() : QStringList{QStringLiteral("<no list at %1>").arg(key)};
}

// The three windows in one shipped language, as the program shows them.
struct TShippedWindows
{
    TSettingsEnvironment Env;
    TForm1 *Main = nullptr;
    std::unique_ptr<TFormSettings> Dialog;
    std::unique_ptr<TFormBatchGenerator> Batch;

    explicit TShippedWindows(const QString &language)
    {
        CopyShippedFiles(Env);
        Main = Env.CreateMain(language);
        Main->LangChanger1->SetLangFile(Env.PathOf(language + ".lng"));
        Dialog = std::make_unique<TFormSettings>(Main, Main->SettingsHost());
        Batch = std::make_unique<TFormBatchGenerator>(Main, Main->BatchHost());
        for (QWidget *window : Windows())
            Main->LangChanger1->TranslateForm(window);
    }

    QList<QWidget *> Windows() const { return {Main, Dialog.get(), Batch.get()}; }
};

// The letter after a single ampersand, in upper case; none for "&&" alone.
QChar AccessKeyOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return caption.at(i + 1).toUpper();
    }
    return QChar();
}

// Controls of `window` that reach beyond it or into each other; containers are left out (their
// controls lie inside them).
QStringList Overlaps(QWidget *window, const QList<QWidget *> &shown)
{
    QList<QWidget *> leaves;
    for (QWidget *widget : shown) {
        const bool container = std::any_of(shown.cbegin(), shown.cend(), [widget](QWidget *other) {
            return other != widget && widget->isAncestorOf(other);
        });
        if (!container)
            leaves << widget;
    }
    QStringList faults;
    const auto bounds = [window](QWidget *widget) {
        return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
    };
    for (qsizetype i = 0; i < leaves.size(); ++i) {
        const QRect rect = bounds(leaves.at(i));
        if (!window->rect().contains(rect))
            faults << QStringLiteral("%1.%2 reaches beyond the window").arg(window->objectName(), leaves.at(i)->objectName());
        for (qsizetype j = i + 1; j < leaves.size(); ++j)
            if (rect.intersects(bounds(leaves.at(j))))
                faults << QStringLiteral("%1.%2 overlaps %3")
                              .arg(window->objectName(), leaves.at(i)->objectName(), leaves.at(j)->objectName());
    }
    return faults;
}

} // namespace

class TestShippedLanguages : public QObject
{
    Q_OBJECT

private slots:
    void everyVisibleTextIsTranslated_data();
    void everyVisibleTextIsTranslated();
    void entriesReachTheirControlsAndEnglishRestores_data();
    void entriesReachTheirControlsAndEnglishRestores();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void accessKeysAreUnique_data();
    void accessKeysAreUnique();
};

void TestShippedLanguages::everyVisibleTextIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("translatesMessages");
    QTest::newRow("English") << "English" << false;
    QTest::newRow("German") << "German" << true;
    QTest::newRow("French") << "French" << true;
    QTest::newRow("Spanish") << "Spanish" << true;
}

void TestShippedLanguages::everyVisibleTextIsTranslated()
{
    QFETCH(QString, language);
    QFETCH(bool, translatesMessages);
    TSettingsEnvironment env;
    TForm1 *main = env.CreateMain(QStringLiteral("Klingon"));
    const QMap<QString, QString> texts = VisibleTexts(env, main);
    QVERIFY(texts.contains("Form1.ButtonSave.Caption"));
    QVERIFY(texts.contains("FormSettings.LabelLanguage.Caption"));
    QVERIFY(texts.contains("FormBatchGenerator.DirectoryEdit1.DialogText"));

    const TLangFile shipped = TLangFile::Load(ShippedFolder + '/' + language + ".lng");
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        const QString value = shipped.ReadString("Translations", it.key(), QString());
        QVERIFY2(!value.isEmpty(), qPrintable(language + ": no translation of " + it.key() + "=" + it.value()));
    }

    TFormSettings dialog(main, main->SettingsHost());
    TFormBatchGenerator batch(main, main->BatchHost());
    const QMap<QString, int> lists = TranslatableLists({main, &dialog, &batch});
    QVERIFY(lists.contains("Form1.ComboBoxRotation.Items"));
    QVERIFY(lists.contains("Form1.ColorBoxBackColor.Items"));
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        const QString value = shipped.ReadString("Translations", it.key(), QString());
        QVERIFY2(!value.isEmpty(), qPrintable(language + ": no translation of " + it.key()));
        QCOMPARE(value.split(main->LangChanger1->Separator()).size(), it.value());
    }

    if (translatesMessages) {
        for (const char *message :
             {"Strings", "Error saving settings!",
              "The symbol was copied as a picture only; the SVG could not be made: %1",
              "The symbol is larger than the printable area of the page and was printed smaller than its actual size.",
              "The symbol was dragged without a file: %1",
              "The X-dimension must be a number of millimetres above 0, such as %1.",
              "The resolution must be a number of dots per inch above 0, such as %1.",
              "%1 x %2 mm, %3 x %4 pixels, module %5 mm",
              "The language file \"%1\" gives a colour a negative number that names no colour; these entries "
              "were skipped:",
              // The batch window's table of columns.
              "&Data column:", "&File names from:", "First line holds the column &names", "One string per &line",
              "Column %1", "(the data)", "First file names:", "The chosen data column is empty.",
              "The chosen data column is empty: nothing was loaded.",
              "The file is a table with %1 columns. Choose the column to encode.",
              "Empty or clashing file names: %1. Those files get their line number in front.", "Data", "File name",
              "Choose one of the file formats BMP, EMF, EPS, GIF, PCX, TXT, SVG, PNG, TIF or PDF in the main window first.",
              "The file looks like a table, but line %1 has %2 columns where the first line has %3. Load it as one "
              "string per line?",
              "The file looks like a table, but the quote opened on line %1 is never closed. Load it as one string "
              "per line?",
              "These lines of \"%1\" hold bytes that are not UTF-8 and were read byte by byte: %2",
              "The language file \"%1\" gives values that the program cannot take; these entries were skipped:",
              "A text of %1 characters was not taken: no symbology encodes more than %2.",
              // The options area and the command line it copies.
              "Automatic", "Raw bytes", "GS1 data", "Square only", "Rectangles too (DMRE)", "As usual",
              "Standard quiet zones", "None", "Automatic: %1",
              "Command line copied: %1"}) {
            const QString value = shipped.ReadString("Messages", message, QString());
            QVERIFY2(!value.isEmpty() && value != QLatin1String(message), message);
        }
    }
}

void TestShippedLanguages::entriesReachTheirControlsAndEnglishRestores_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << "German";
    QTest::newRow("French") << "French";
    QTest::newRow("Spanish") << "Spanish";
}

void TestShippedLanguages::entriesReachTheirControlsAndEnglishRestores()
{
    QFETCH(QString, language);
    TSettingsEnvironment env;
    CopyShippedFiles(env);
    TForm1 *main = env.CreateMain(QStringLiteral("English"));
    const QMap<QString, QString> design = VisibleTexts(env, main);
    const QStringList designRotation = main->ComboBoxRotation->Items()->ToStringList();
    const QStringList designColours = main->ColorBoxForeColor->Items()->ToStringList();

    auto dialog = std::make_unique<TFormSettings>(main, main->SettingsHost());
    dialog->show();
    const int index = dialog->ComboBoxLang->findText(language);
    QVERIFY(index >= 0);
    QCOMPARE(dialog->ComboBoxLang->ItemImageIndex(index) >= 0, true);
    dialog->ComboBoxLang->setCurrentIndex(index);
    Q_EMIT dialog->ComboBoxLang->activated(index);
    QCOMPARE(AppSettings.Language, language);

    TFormBatchGenerator batch(main, main->BatchHost());
    main->LangChanger1->TranslateForm(&batch);
    const QMap<QString, QObject *> windows{{"Form1", main}, {"FormSettings", dialog.get()},
                                           {"FormBatchGenerator", &batch}};
    const TLangFile shipped = TLangFile::Load(env.PathOf(language + ".lng"));
    for (const QString &key : shipped.ReadSectionKeys("Translations")) {
        const QString value = shipped.ReadString("Translations", key, QString());
        QObject *window = windows.value(key.section('.', 0, 0));
        QVERIFY2(window != nullptr, qPrintable(key));
        const QVariant current = ReadPath(window, key.section('.', 1));
        QVERIFY2(current.isValid(), qPrintable("no such property: " + key));
        if (key.endsWith(".Items")) {
            QCOMPARE(ItemsOf(window, key), value.split(','));
        } else {
            QCOMPARE(current.toString(), value);
        }
    }
    // The format list keeps its codes, so "Save As ..." still knows the format.
    QVERIFY(FindSaveFormat(main->ComboBoxExt->Text(), false) != nullptr);
    QVERIFY(main->LangChanger1->TranslateMessage("Strings") != QLatin1String("Strings"));

    const int english = dialog->ComboBoxLang->findText("English");
    dialog->ComboBoxLang->setCurrentIndex(english);
    Q_EMIT dialog->ComboBoxLang->activated(english);
    main->LangChanger1->TranslateForm(&batch);
    for (auto it = design.cbegin(); it != design.cend(); ++it) {
        QObject *window = windows.value(it.key().section('.', 0, 0));
        QCOMPARE(ReadPath(window, it.key().section('.', 1)).toString(), it.value());
    }
    QCOMPARE(main->ComboBoxRotation->Items()->ToStringList(), designRotation);
    QCOMPARE(main->ColorBoxForeColor->Items()->ToStringList(), designColours);
    QCOMPARE(main->ColorBoxBackColor->Items()->ToStringList(), designColours);
}

void TestShippedLanguages::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<double>("fontScale");
    QTest::newRow("English") << "English" << 1.0;
    QTest::newRow("German") << "German" << 1.0;
    QTest::newRow("French") << "French" << 1.0;
    QTest::newRow("Spanish") << "Spanish" << 1.0;
    // As with a font DPI of 120 instead of 96.
    QTest::newRow("English, larger font") << "English" << 1.25;
    QTest::newRow("German, larger font") << "German" << 1.25;
}

// The layouts give every control the room its caption needs: a translation must not be cut off
// or overlap another control at the window's smallest size either, with a larger font too.
void TestShippedLanguages::captionsFitTheirControls()
{
    QFETCH(QString, language);
    QFETCH(double, fontScale);
    const QFont usual = QApplication::font();
    const auto restore = qScopeGuard([&] { QApplication::setFont(usual); });
    QFont larger = usual;
    larger.setPointSizeF(usual.pointSizeF() * fontScale);
    QApplication::setFont(larger);
    const TShippedWindows shipped(language);
    QStringList cut;
    for (QWidget *window : shipped.Windows()) {
        window->show();
        // A window laid out by the toolkit's layouts is tried at its smallest size.
        if (QLayout *layout = window->layout()) {
            window->resize(window->minimumSize());
            layout->activate();
        }
        QList<QWidget *> shown;
        for (QObject *component : OwnedComponents(window)) {
            auto *widget = qobject_cast<QWidget *>(component);
            if (widget != nullptr && widget->isVisible())
                shown << widget;
            const bool caption = qobject_cast<TLabel *>(component) != nullptr
                                 || qobject_cast<TCheckBox *>(component) != nullptr
                                 || qobject_cast<TButton *>(component) != nullptr;
            if (widget == nullptr || !caption || !widget->isVisible())
                continue;
            if (auto *label = qobject_cast<TLabel *>(component); label != nullptr && label->wordWrap())
                continue;
            if (widget->sizeHint().width() > widget->width())
                cut << QStringLiteral("%1.%2 needs %3 pixels, has %4")
                           .arg(window->objectName(), component->objectName())
                           .arg(widget->sizeHint().width())
                           .arg(widget->width());
        }
        cut << Overlaps(window, shown);
    }
    QVERIFY2(cut.isEmpty(), qPrintable(language + ": " + cut.join(QStringLiteral("; "))));
}

void TestShippedLanguages::accessKeysAreUnique_data()
{
    captionsFitTheirControls_data();
}

// Alt and a letter reaches one control: a letter that two captions of a window share only
// moves between them.
void TestShippedLanguages::accessKeysAreUnique()
{
    QFETCH(QString, language);
    const TShippedWindows shipped(language);
    QStringList shared;
    for (QWidget *window : shipped.Windows()) {
        QMap<QChar, QString> owners;
        for (QObject *component : OwnedComponents(window)) {
            QString caption;
            if (auto *label = qobject_cast<TLabel *>(component))
                caption = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(component))
                caption = button->text();
            else
                continue;
            const QChar key = AccessKeyOf(caption);
            if (key.isNull())
                continue;
            if (owners.contains(key))
                shared << QStringLiteral("%1: %2 and %3 share Alt+%4")
                              .arg(window->objectName(), owners.value(key), component->objectName(), key);
            else
                owners.insert(key, component->objectName());
        }
    }
    QVERIFY2(shared.isEmpty(), qPrintable(language + ": " + shared.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestShippedLanguages)
#include "TestShippedLanguages.moc"

#include "toolkit/ColorBox.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Dialogs.h"
#include "toolkit/DirectoryEdit.h"
#include "toolkit/Exception.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/ImgList.h"
#include "toolkit/Menus.h"
#include "toolkit/Properties.h"
#include "toolkit/StdCtrls.h"

#include <QtTest>

// Answers file dialogs for the user: the name typed, or a cancel.
class TAnsweringPresenter final : public TFileDialogPresenter
{
public:
    bool Present(const TOpenDialog &dialog, bool save, QString &fileName, int &filterIndex) override
    {
        Calls++;
        SeenFileName = dialog.FileName();
        SeenFilters = dialog.QtNameFilters();
        SeenSave = save;
        if (Typed.isEmpty())
            return false;
        fileName = Typed;
        filterIndex = ChosenFilter;
        return true;
    }

    QString Typed;
    int ChosenFilter = 1;
    int Calls = 0;
    QString SeenFileName;
    QStringList SeenFilters;
    bool SeenSave = false;
};

class TestControls final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        SetFileDialogPresenterForTests(nullptr);
        SetColorDialogForTests({});
        SetFolderChooserForTests({});
    }

    void SortedListOrdersWithoutCaseAndKeepsSelection()
    {
        TForm form(nullptr);
        auto *box = new TComboBox(&form, &form);
        box->SetStyle(csDropDownList);
        for (const char *name : {"QR Code", "code 128", "Aztec Code", "2 of 5 Data Logic", "Code 11"})
            box->Items()->Add(name);
        box->SetItemIndex(0);
        box->SetSorted(true);
        QCOMPARE(box->Items()->ToStringList(),
                 QStringList({"2 of 5 Data Logic", "Aztec Code", "Code 11", "code 128", "QR Code"}));
        QCOMPARE(box->Text(), QString("QR Code"));
        box->Items()->Add("Data Matrix");
        QCOMPARE(box->Items()->IndexOf("data matrix"), 4);
    }

    void FilledListHasNoSelectionUntilOneIsMade_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Add") << "add";
        QTest::newRow("SetStrings") << "strings";
        QTest::newRow("AddItem with picture index") << "item";
        QTest::newRow("sorted") << "sorted";
    }

    void FilledListHasNoSelectionUntilOneIsMade()
    {
        QFETCH(QString, how);
        TForm form(nullptr);
        auto *box = new TComboBox(&form, &form);
        const QStringList names = {"German", "English", "Klingon"};
        if (how == "sorted")
            box->SetSorted(true);
        if (how == "strings") {
            box->Items()->SetStrings(names);
        } else {
            for (const QString &name : names) {
                if (how == "item")
                    box->AddItem(name, -1);
                else
                    box->Items()->Add(name);
            }
        }
        QCOMPARE(box->ItemIndex(), -1);
        QCOMPARE(box->Text(), QString());
        QCOMPARE(box->count(), 3);
        box->SetItemIndex(1);
        box->Items()->Add("Zulu");
        QCOMPARE(box->Text(), how == "sorted" ? QString("German") : QString("English"));
        // New lines replace the items and with them the selection.
        box->Items()->SetStrings({"0 degree", "90 degree"});
        QCOMPARE(box->ItemIndex(), -1);
    }

    void ProgramSelectionDoesNotRunOnChange()
    {
        TForm form(nullptr);
        auto *box = new TComboBox(&form, &form);
        box->Items()->SetStrings({"BMP", "EMF", "SVG"});
        int changes = 0;
        QObject::connect(box, &TComboBox::OnChange, &form, [&changes] { ++changes; });
        box->SetItemIndex(2);
        box->SetText("emf");
        QCOMPARE(box->Text(), QString("EMF"));
        box->SetText("PNG");
        QCOMPARE(box->Text(), QString("EMF"));
        QCOMPARE(changes, 0);
        // A user's choice does.
        Q_EMIT box->activated(0);
        QCOMPARE(changes, 1);
    }

    void ItemsWithPictures()
    {
        TForm form(nullptr);
        auto *flags = new TImageList(&form);
        flags->SetWidth(18);
        flags->SetHeight(12);
        QImage red(18, 12, QImage::Format_ARGB32);
        red.fill(Qt::red);
        flags->Add(red);
        auto *box = new TComboBox(&form, &form);
        box->SetImages(flags);
        box->AddItem("English", 0);
        box->AddItem("Klingon", -1);
        QCOMPARE(box->ItemImageIndex(0), 0);
        QCOMPARE(box->ItemImageIndex(1), -1);
        QVERIFY(!box->itemIcon(0).isNull());
        QVERIFY(box->itemIcon(1).isNull());
    }

    void MemoJoinsLinesWithCrLf_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << "123456" << "123456" << 1;
        QTest::newRow("LF") << "a\nb" << "a\r\nb" << 2;
        QTest::newRow("CR LF") << "a\r\nb\r\n" << "a\r\nb\r\n" << 2;
        QTest::newRow("lone CR") << "a\rb" << "a\r\nb" << 2;
        QTest::newRow("empty") << "" << "" << 0;
    }

    void MemoJoinsLinesWithCrLf()
    {
        QFETCH(QString, set);
        QFETCH(QString, text);
        QFETCH(int, lines);
        TForm form(nullptr);
        auto *memo = new TMemo(&form, &form);
        int changes = 0;
        QObject::connect(memo, &TMemo::OnChange, &form, [&changes] { ++changes; });
        memo->SetText(set);
        QCOMPARE(memo->Text(), text);
        QCOMPARE(memo->Lines()->Count(), lines);
        QCOMPARE(changes, set.isEmpty() ? 0 : 1);
    }

    void CheckBoxClickFiresOnProgramChange()
    {
        TForm form(nullptr);
        auto *box = new TCheckBox(&form, &form);
        QList<QObject *> senders;
        QObject::connect(box, &TCheckBox::OnClick, &form, [&senders](QObject *Sender) { senders.append(Sender); });
        box->SetChecked(true);
        box->SetChecked(true);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QCOMPARE(senders.size(), 2);
        QCOMPARE(senders.first(), static_cast<QObject *>(box));
        QVERIFY(!box->Checked());
    }

    void ListBoxSuspendsRepaintingWhileFilled()
    {
        TForm form(nullptr);
        auto *list = new TListBox(&form, &form);
        list->BeginUpdate();
        list->BeginUpdate();
        list->Items()->Add("a");
        list->EndUpdate();
        QVERIFY(!list->viewport()->updatesEnabled());
        list->EndUpdate();
        QVERIFY(list->viewport()->updatesEnabled());
        QVERIFY(list->updatesEnabled());
        QCOMPARE(list->Items()->ToStringList(), QStringList({"a"}));
        list->EndUpdate();
        QVERIFY(list->updatesEnabled());
    }

    void ImageLeavesBottomLeftColourTransparent_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("32-bit opaque") << QImage::Format_RGB32;
        QTest::newRow("32-bit with alpha") << QImage::Format_ARGB32;
        QTest::newRow("1-bit") << QImage::Format_Mono;
    }

    void ImageLeavesBottomLeftColourTransparent()
    {
        QFETCH(QImage::Format, format);
        TForm form(nullptr);
        const QColor surround(10, 200, 30);
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, surround);
        form.setPalette(palette);
        auto *image = new TImage(&form, &form);
        image->SetBounds(0, 0, 20, 15);
        QImage full(4, 3, QImage::Format_RGB32);
        full.fill(QColor(255, 255, 255));
        full.setPixel(1, 1, qRgb(0, 0, 0));
        full.setPixel(2, 0, qRgb(0, 0, 0));
        QImage picture = full.convertToFormat(format);
        image->SetPicture(picture);
        image->SetZoom({1, 1});
        // Centred: the picture's top-left pixel lands at (8, 6); the container's colour shows
        // where the picture has the colour of its bottom-left pixel.
        const QImage drawn = image->grab().toImage();
        QCOMPARE(drawn.pixel(8, 6 + 2), surround.rgb());
        QCOMPARE(drawn.pixel(8 + 3, 6), surround.rgb());
        QCOMPARE(drawn.pixel(8 + 1, 6 + 1), qRgb(0, 0, 0));
        QCOMPARE(drawn.pixel(8 + 2, 6), qRgb(0, 0, 0));
        // The control keeps its own copy.
        picture.fill(0);
        QCOMPARE(image->Picture().pixel(1, 1), qRgb(0, 0, 0));
        QCOMPARE(image->Picture().pixel(0, 0), qRgb(255, 255, 255));
        image->ClearPicture();
        QVERIFY(!image->HasPicture());
        QCOMPARE(image->grab().toImage().pixel(8 + 1, 6 + 1), surround.rgb());
    }

    // A picture's own transparent pixels show a checker pattern of two greys, never the
    // container's colour; its opaque pixels are drawn as they are.
    void ImageShowsOwnTransparencyOnChecker()
    {
        TForm form(nullptr);
        const QColor surround(10, 200, 30);
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, surround);
        form.setPalette(palette);
        auto *image = new TImage(&form, &form);
        image->SetBounds(0, 0, 24, 24);
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        picture.setPixel(0, 0, qRgb(0, 0, 0));
        image->SetPicture(picture);
        image->SetZoom({1, 1});
        const QImage drawn = image->grab().toImage();
        QSet<QRgb> seen;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                seen.insert(drawn.pixel(x, y));
        QVERIFY(seen.contains(qRgb(0, 0, 0)));
        // The 16 x 16 transparent pixels cover two squares of each grey.
        QVERIFY(seen.contains(qRgb(0xCC, 0xCC, 0xCC)));
        QVERIFY(seen.contains(qRgb(0xFF, 0xFF, 0xFF)));
    }

    void ImageWithoutTransparencyDrawsEveryPixel()
    {
        TForm form(nullptr);
        auto *image = new TImage(&form, &form);
        image->SetBounds(0, 0, 2, 2);
        image->SetTransparent(false);
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(QColor(255, 255, 255));
        // A 32-bit opaque picture's unused byte may hold anything: the pixel is still opaque.
        reinterpret_cast<QRgb *>(picture.scanLine(0))[1] = 0x00000000u;
        image->SetPicture(picture);
        const QImage drawn = image->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawn.pixel(0, 1), qRgba(255, 255, 255, 255));
        QCOMPARE(drawn.pixel(1, 0), qRgba(0, 0, 0, 255));
    }

    void ImageIsDrawnCentredUnscaled()
    {
        TForm form(nullptr);
        form.SetClientWidth(40);
        form.SetClientHeight(30);
        auto *image = new TImage(&form, &form);
        image->SetAlign(alClient);
        QImage picture(4, 2, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.setPixel(0, 0, qRgb(0, 0, 0));
        image->SetPicture(picture);
        image->SetZoom({1, 1});
        const QImage shot = image->grab().toImage();
        QCOMPARE(shot.size(), QSize(40, 30));
        QCOMPARE(QColor(shot.pixel(18, 14)), QColor(Qt::black));
        QVERIFY(QColor(shot.pixel(17, 14)) != QColor(Qt::black));
        QVERIFY(QColor(shot.pixel(19, 14)) != QColor(Qt::black));
    }

    void ColorBoxNamedAndCustomColours()
    {
        TForm form(nullptr);
        auto *box = new TColorBox(&form, &form);
        QCOMPARE(TColorBox::NamedColors().size(), 20);
        box->SetSelectedColor(0x0000FF);
        QCOMPARE(box->currentText(), QString("Red"));
        QCOMPARE(box->SelectedColor(), TColor(0x0000FF));
        box->SetSelectedColor(RGBToColor(1, 2, 3));
        QCOMPARE(box->currentText(), QString("Custom..."));
        QCOMPARE(box->SelectedColor(), RGBToColor(1, 2, 3));
        // A system colour never comes out: only its low three bytes remain.
        box->SetSelected(int(clBtnFace));
        QVERIFY((box->SelectedColor() & 0xFF000000u) == 0);
    }

    void ColorBoxNamesRenameButKeepColours_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("redName");
        QTest::addColumn<QString>("lastName");
        QTest::newRow("all renamed") << QStringList{"Autre...", "Noir", "Marron", "Vert", "Olive", "Bleu marine",
                                                    "Violet", "Sarcelle", "Gris", "Argent", "Rouge", "Vert citron",
                                                    "Jaune", "Bleu", "Fuchsia", "Cyan", "Blanc", "Vert billet",
                                                    "Bleu ciel", "Crème", "Gris moyen"}
                                     << "Rouge" << "Gris moyen";
        QTest::newRow("fewer lines: the rest keep their names")
            << QStringList{"Autre...", "Noir"} << "Red" << "Medium Gray";
        QTest::newRow("more lines: the extra ones are ignored")
            << (QStringList{"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q",
                            "R", "S", "T", "U", "V", "W"})
            << "K" << "U";
    }

    // A language file renames the colours through Items; what each entry means stays.
    void ColorBoxNamesRenameButKeepColours()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, redName);
        QFETCH(QString, lastName);
        TForm form(nullptr);
        auto *box = new TColorBox(&form, &form);
        box->SetSelectedColor(0x0000FF);
        AssignLines(box, QStringLiteral("Items"), lines);
        QCOMPARE(box->count(), 21);
        QCOMPARE(box->currentText(), redName);
        QCOMPARE(box->SelectedColor(), TColor(0x0000FF));
        QCOMPARE(box->itemText(20), lastName);
        QCOMPARE(box->Colors(20), TColor(0xA4A0A0));
        box->SetSelectedColor(0xFFFFFF);
        QCOMPARE(box->SelectedColor(), TColor(0xFFFFFF));
        // Entries cannot be added or taken away: their colours would be lost.
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, box->Items()->Add(QStringLiteral("Orange")));
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, box->Items()->Clear());
        QCOMPARE(box->count(), 21);
    }

    void ColorBoxCustomEntryAsksTheDialog_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("colour chosen") << true;
        QTest::newRow("dialog cancelled") << false;
    }

    void ColorBoxCustomEntryAsksTheDialog()
    {
        QFETCH(bool, chosen);
        TForm form(nullptr);
        auto *box = new TColorBox(&form, &form);
        box->SetSelectedColor(0xFFFFFF);
        int changes = 0;
        QObject::connect(box, &TColorBox::OnChange, &form, [&changes] { ++changes; });
        SetColorDialogForTests([chosen](const QColor &, QWidget *) -> std::optional<QColor> {
            if (!chosen)
                return std::nullopt;
            return QColor(10, 20, 30);
        });
        box->setCurrentIndex(0);
        Q_EMIT box->activated(0);
        if (chosen) {
            QCOMPARE(box->SelectedColor(), RGBToColor(10, 20, 30));
            QCOMPARE(changes, 1);
        } else {
            QCOMPARE(box->SelectedColor(), TColor(0xFFFFFF));
            QCOMPARE(changes, 0);
        }
    }

    void SaveDialogAddsDefaultExtensionOnlyWithoutOne_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("no extension") << "/tmp/x/barcode" << "/tmp/x/barcode.svg";
        QTest::newRow("other extension") << "/tmp/x/barcode.bmp" << "/tmp/x/barcode.bmp";
        QTest::newRow("same extension") << "/tmp/x/barcode.svg" << "/tmp/x/barcode.svg";
        QTest::newRow("dot in folder only") << "/tmp/x.y/barcode" << "/tmp/x.y/barcode.svg";
    }

    void SaveDialogAddsDefaultExtensionOnlyWithoutOne()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        TForm form(nullptr);
        auto *dialog = new TSavePictureDialog(&form);
        dialog->SetFilter("Scalable Vector Graphics (*.svg)|*.svg");
        dialog->SetDefaultExt("svg");
        TAnsweringPresenter presenter;
        presenter.Typed = typed;
        SetFileDialogPresenterForTests(&presenter);
        QVERIFY(dialog->Execute());
        QCOMPARE(dialog->FileName(), result);
        QVERIFY(presenter.SeenSave);
    }

    void DialogRemembersNameAndReportsCancel()
    {
        TForm form(nullptr);
        auto *dialog = new TOpenDialog(&form);
        dialog->SetFilter("Text file|*.txt|All files|*.*");
        TAnsweringPresenter presenter;
        SetFileDialogPresenterForTests(&presenter);
        presenter.Typed = "/data/list.txt";
        presenter.ChosenFilter = 2;
        QVERIFY(dialog->Execute());
        QCOMPARE(presenter.SeenFilters, QStringList({"Text file (*.txt)", "All files (*.*)"}));
        QCOMPARE(dialog->FilterIndex(), 2);
        presenter.Typed.clear();
        QVERIFY(!dialog->Execute());
        QCOMPARE(presenter.SeenFileName, QString("/data/list.txt"));
        QCOMPARE(dialog->FileName(), QString("/data/list.txt"));
        QVERIFY(!presenter.SeenSave);
    }

    void FilterWithSeveralPatterns()
    {
        TSaveDialog dialog(nullptr);
        dialog.SetFilter("All available formats | *.bmp;*.emf;*.svg");
        QCOMPARE(dialog.QtNameFilters(), QStringList({"All available formats (*.bmp *.emf *.svg)"}));
    }

    void DirectoryEditBrowsesWithPrompt()
    {
        TForm form(nullptr);
        auto *edit = new TDirectoryEdit(&form, &form);
        edit->SetDialogText("Choose the folder:");
        edit->SetText("/start");
        QCOMPARE(edit->ButtonHint(), QString("Browse"));
        QString seenPrompt;
        QString seenStart;
        QString answer = "/chosen/folder";
        SetFolderChooserForTests([&](const QString &prompt, const QString &start, QWidget *) {
            seenPrompt = prompt;
            seenStart = start;
            return answer;
        });
        QTest::mouseClick(edit->ButtonPart(), Qt::LeftButton);
        QCOMPARE(seenPrompt, QString("Choose the folder:"));
        QCOMPARE(seenStart, QString("/start"));
        QCOMPARE(edit->Text(), QDir::toNativeSeparators("/chosen/folder"));
        answer.clear();
        edit->Browse();
        QCOMPARE(edit->Text(), QDir::toNativeSeparators("/chosen/folder"));
    }

    void FontChangesReachTheControl()
    {
        TForm form(nullptr);
        auto *button = new TButton(&form, &form);
        button->Font()->SetStyle(TFont::fsBold);
        QVERIFY(button->font().bold());
        button->Font()->SetSize(14);
        QCOMPARE(button->font().pointSize(), 14);
        QCOMPARE(button->Font()->Height(), -19);
        button->Font()->SetColor(int(RGBToColor(255, 0, 0)));
        QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    }

    // The memo lays out data without shaping, and keeps doing so whatever font it is given,
    // while the family and size still follow its container until it has a font of its own.
    void MemoSkipsShapingAndStillFollowsFonts()
    {
        TForm form(nullptr);
        auto *memo = new TMemo(&form, &form);
        auto skips = [memo] { return (memo->font().styleStrategy() & QFont::PreferNoShaping) != 0; };
        QVERIFY(skips());
        QFont container = form.font();
        container.setPointSize(container.pointSize() + 7);
        form.setFont(container);
        QCOMPARE(memo->font().pointSize(), container.pointSize());
        QVERIFY(skips());
        TFont given(nullptr);
        given.SetStyle(TFont::fsBold);
        given.SetSize(21);
        memo->SetFont(&given);
        QVERIFY(memo->font().bold());
        QCOMPARE(memo->font().pointSize(), 21);
        QVERIFY(skips());
    }

    void ButtonImageFromImageList()
    {
        TForm form(nullptr);
        auto *images = new TImageList(&form);
        images->SetWidth(24);
        images->SetHeight(24);
        QImage disk(24, 24, QImage::Format_ARGB32);
        disk.fill(Qt::blue);
        images->Add(disk);
        auto *button = new TButton(&form, &form);
        button->SetImageIndex(0);
        QVERIFY(button->icon().isNull());
        button->SetImages(images);
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->iconSize(), QSize(24, 24));
        button->SetImageIndex(3);
        QVERIFY(button->icon().isNull());
    }

    void StatusBarAndMenuItem()
    {
        TForm form(nullptr);
        auto *bar = new TStatusBar(&form, &form);
        bar->SetSimpleText("Invalid character in data");
        QCOMPARE(bar->SimpleText(), QString("Invalid character in data"));
        auto *item = new TMenuItem(&form);
        item->SetCaption("&Save");
        int clicks = 0;
        QObject::connect(item, &TMenuItem::OnClick, &form, [&clicks] { ++clicks; });
        item->Click();
        QCOMPARE(clicks, 1);
        QVERIFY(item->inherits("TMenuItem"));
    }

    void LabelAccessKeyMovesFocusToFocusControl()
    {
        TForm form(nullptr);
        auto *label = new TLabel(&form, &form);
        label->SetCaption("&Symbology:");
        auto *edit = new TEdit(&form, &form);
        auto *other = new TEdit(&form, &form);
        label->SetFocusControl(other);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        edit->setFocus();
        QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(other));
        QCOMPARE(label->Caption(), QString("&Symbology:"));
    }
};

QTEST_MAIN(TestControls)
#include "TestControls.moc"

#include "lang/FormSettings.h"

#include "lang/Flags.h"
#include "lang/LangChanger.h"
#include "lang/LanguageList.h"
#include "lang/SettingsHost.h"
#include "lang/ToolkitTranslation.h"
#include "toolkit/Component.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ImgList.h"
#include "toolkit/ProgramPaths.h"
#include "toolkit/StdCtrls.h"

#include <QPair>
#include <memory>

QPointer<TFormSettings> FormSettings;

namespace {

constexpr int DesignClientWidth = 260;
constexpr int DesignClientHeight = 116;
constexpr int ButtonWidth = 90;
constexpr int ButtonHeight = 28;

// A language file may give a list new items, which leaves the list without a selection. The
// items only change their wording, so each list goes on showing the entry it showed before.
void TranslateKeepingSelections(TLangChanger *changer, QObject *window)
{
    QList<QPair<QPointer<TComboBox>, int>> selections;
    for (QObject *component : OwnedComponents(window))
        if (auto *box = qobject_cast<TComboBox *>(component); box != nullptr && box->ItemIndex() >= 0)
            selections.append({box, box->ItemIndex()});
    changer->TranslateForm(window);
    for (const auto &[box, index] : selections)
        if (box != nullptr && box->ItemIndex() < 0)
            box->SetItemIndex(index);
}

} // namespace

TFormSettings::TFormSettings(QObject *AOwner, TSettingsHost *AHost)
    : TForm(AOwner), FHost(AHost)
{
    CreateControls();
    FillLanguageList();
}

TFormSettings::~TFormSettings() = default;

void TFormSettings::CreateControls()
{
    SetName(QStringLiteral("FormSettings"));
    SetCaption(QStringLiteral("Settings"));
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(DesignClientWidth);
    SetClientHeight(DesignClientHeight);

    LabelLanguage = new TLabel(this, this);
    LabelLanguage->SetName(QStringLiteral("LabelLanguage"));
    LabelLanguage->SetCaption(QStringLiteral("Language"));
    LabelLanguage->SetBounds(16, 12, DesignClientWidth - 32, 18);

    ButtonOK = new TButton(this, this);
    ButtonOK->SetName(QStringLiteral("ButtonOK"));
    ButtonOK->SetCaption(QStringLiteral("OK"));
    ButtonOK->SetBounds((DesignClientWidth - ButtonWidth) / 2, DesignClientHeight - ButtonHeight - 12,
                        ButtonWidth, ButtonHeight);
    ButtonOK->SetModalResult(mrOk);
    ButtonOK->SetDefault(true);
    ButtonOK->SetTabOrder(0);

    ComboBoxLang = new TComboBox(this, this);
    ComboBoxLang->SetName(QStringLiteral("ComboBoxLang"));
    ComboBoxLang->SetStyle(csDropDownList);
    ComboBoxLang->SetBounds(16, 32, DesignClientWidth - 32, 26);
    ComboBoxLang->SetTabOrder(1);
    LabelLanguage->SetFocusControl(ComboBoxLang);

    // A developer's tool: nothing in the program makes it visible.
    Button1 = new TButton(this, this);
    Button1->SetName(QStringLiteral("Button1"));
    Button1->SetCaption(QStringLiteral("LNG"));
    Button1->SetBounds(DesignClientWidth - 16 - 50, DesignClientHeight - ButtonHeight - 12, 50,
                       ButtonHeight);
    Button1->SetVisible(false);
    Button1->SetTabOrder(2);

    ImageListFlags = new TImageList(this);
    ImageListFlags->SetName(QStringLiteral("ImageListFlags"));
    ImageListFlags->SetWidth(FlagWidth);
    ImageListFlags->SetHeight(FlagHeight);
    for (int index = 0; index < FlagCount; ++index)
        ImageListFlags->Add(FlagPicture(index));
    ComboBoxLang->SetImages(ImageListFlags);

    TControl::ApplyTabOrder(this);
    ConnectGuarded(ComboBoxLang, &TComboBox::OnChange, this, &TFormSettings::ComboBoxLangChange);
    ConnectGuarded(Button1, &TButton::OnClick, this, &TFormSettings::Button1Click);
    ConnectGuarded(this, &TForm::OnShow, this, &TFormSettings::FormShow);
}

void TFormSettings::FillLanguageList()
{
    for (const TLanguageEntry &entry : FindLanguages(QStringList{LanguageFolder(), UserLanguageFolder()}))
        ComboBoxLang->AddItem(entry.Name, entry.ImageIndex);
    // The list widget selects its first item by itself; the dialog starts with none.
    ComboBoxLang->SetItemIndex(-1);
}

void TFormSettings::FormShow(QObject *)
{
    const QString language = FHost != nullptr ? FHost->Language() : QString();
    int selected = -1;
    for (int i = 0; i < ComboBoxLang->count() && selected < 0; ++i)
        if (ComboBoxLang->itemText(i) == language)
            selected = i;
    for (int i = 0; i < ComboBoxLang->count() && selected < 0; ++i)
        if (ComboBoxLang->itemText(i) == QLatin1String("English"))
            selected = i;
    if (selected >= 0)
        ComboBoxLang->SetItemIndex(selected);
    ComboBoxLangChange(this);
}

void TFormSettings::ComboBoxLangChange(QObject *)
{
    if (ComboBoxLang->count() == 0 || ComboBoxLang->ItemIndex() < 0 || FHost == nullptr)
        return;
    const QString language = ComboBoxLang->itemText(ComboBoxLang->ItemIndex());
    FHost->SetLanguage(language);
    TLangChanger *changer = FHost->LangChanger();
    if (changer == nullptr)
        return;
    changer->SetLangFile(LanguageFilePath(language));
    LoadToolkitTranslation(language, changer->LangFile());
    TranslateKeepingSelections(changer, this);
    if (QObject *main = FHost->MainWindow())
        TranslateKeepingSelections(changer, main);
}

void TFormSettings::Button1Click(QObject *)
{
    TLangChanger *changer = FHost != nullptr ? FHost->LangChanger() : nullptr;
    if (changer == nullptr)
        return;
    const TSaveKindsProperties kinds{skStringProperties};
    changer->SaveProperties(this, kinds);
    if (QObject *main = FHost->MainWindow())
        changer->SaveProperties(main, kinds);
    // Never shown: it exists only to have its texts written.
    if (const std::unique_ptr<QObject> batch = FHost->CreateBatchWindow(this))
        changer->SaveProperties(batch.get(), kinds);
}

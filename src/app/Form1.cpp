#include "app/Form1.h"

#include "app/AppSettings.h"
#include "app/ComputerInfo.h"
#include "app/Form1Hosts.h"
#include "barcode/Barcode.h"
#include "lang/LangChanger.h"
#include "lang/ToolkitTranslation.h"
#include "toolkit/EventGuard.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/InputLimits.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/ProgramPaths.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

TForm1 *Form1 = nullptr;
QString VersionText;

namespace {

const QString ProgramTitle = QStringLiteral("Quorvel (QR code) Generator");
const QString DataFolderName = QStringLiteral("Quorvel(QRcode)Generator");

TWindowState StoredWindowState(int state)
{
    switch (state) {
    case 1: return wsMinimized;
    case 2: return wsMaximized;
    default: return wsNormal;
    }
}

} // namespace

TForm1::TForm1(QObject *AOwner)
    : TForm(AOwner), FBatchHost(std::make_unique<TForm1BatchHost>(*this)),
      FSettingsHost(std::make_unique<TForm1SettingsHost>(*this))
{
    // The program's reference is valid from the start of construction: the handlers that the
    // design runs already reach the window through it.
    Form1 = this;
    try {
        CreateComponents();
        // Text no symbology can take is refused before the memo lays it out; the status bar
        // says why, and the memo keeps what it held.
        MemoInputText->SetMaxLength(MaxDataLength);
        connect(MemoInputText, &TMemo::OnTextRefused, this, [this](QObject *, qsizetype length) {
            StatusBar->SetSimpleText(
                TranslateMessage(QStringLiteral("A text of %1 characters was not taken: no symbology encodes more than %2."))
                    .arg(length)
                    .arg(MaxDataLength));
        });
        GetFileVersionInfoMy();
        SetApplicationTitle(ProgramTitle + QLatin1Char(' ') + VersionText);

        // Created for the user's data; a failure does not matter to the program.
        const QString dataFolder = JvComputerInfoEx1->AppDataFolder() + QLatin1Char('/') + DataFolderName;
        if (!QDir(dataFolder).exists())
            QDir().mkpath(dataFolder);

        LoadSettings();
        SetCaption(ApplicationTitle());
    } catch (...) {
        Form1 = nullptr;
        throw;
    }
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::GetFileVersionInfoMy()
{
    VersionText = QStringLiteral(QUORVEL_VERSION_TEXT);
}

void TForm1::FormCreate(QObject *)
{
    // The window never starts minimised; a maximised window gets its normal bounds first.
    SetWindowState(wsNormal);
    if (AppSettings.WindowState == 1)
        AppSettings.WindowState = 0;
    // Stored bounds that no window can take (zero, negative, larger than the desktop) are made
    // usable here; what the window then has is stored at exit.
    const QSize size = UsableSize(QSize(AppSettings.WindowWidth, AppSettings.WindowHeight));
    const QPoint place = UsablePosition(QPoint(AppSettings.WindowLeft, AppSettings.WindowTop), size, true);
    AppSettings.WindowWidth = size.width();
    AppSettings.WindowHeight = size.height();
    AppSettings.WindowLeft = place.x();
    AppSettings.WindowTop = place.y();
    if (AppSettings.WindowState != 0) {
        SetBounds(AppSettings.WindowLeft, AppSettings.WindowTop, AppSettings.WindowWidth,
                  AppSettings.WindowHeight);
        SetWindowState(StoredWindowState(AppSettings.WindowState));
    } else {
        SetWindowState(wsNormal);
        SetBounds(AppSettings.WindowLeft, AppSettings.WindowTop, AppSettings.WindowWidth,
                  AppSettings.WindowHeight);
        FOuterSize = QSize(AppSettings.WindowWidth, AppSettings.WindowHeight);
    }

    SetupPanel();
}

void TForm1::FormShow(QObject *)
{
    // A window left on a monitor that is gone comes back to the top-left corner.
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && Left() > screen->virtualSize().width())
        Resetposition1Click();

    const QString designCaption = Caption();
    LangChanger1->SetLangFile(LanguageFilePath(AppSettings.Language));
    LoadToolkitTranslation(AppSettings.Language, LangChanger1->LangFile());
    LangChanger1->TranslateForm(Form1);
    // The fields that do not apply say why in the language now in force.
    UpdateApplicableFields();
    // A language file may replace the items of a list, which leaves it without a selection;
    // the lists go on showing what is in force.
    if (ComboBoxRotation->ItemIndex() < 0)
        ComboBoxRotation->SetItemIndex(Barcode->Rotation() / 90);
    if (ComboBoxExt->ItemIndex() < 0)
        ComboBoxExt->SetItemIndex(0);

    raise();
    activateWindow();

    // The version stands at the end of the caption once, translated caption or not.
    if (Caption() != designCaption)
        SetCaption(Caption() + QLatin1Char(' ') + VersionText);
}

bool TForm1::KeepOuterSize()
{
    if (!FOuterSize.isValid() || WindowState() != wsNormal)
        return false;
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    if (frameWidth == 0 && frameHeight == 0)
        return false;
    QSize outer = FOuterSize;
    if (FOuterIsClient)
        outer -= QSize(frameWidth, frameHeight);
    FOuterSize = QSize();
    resize(std::max(0, outer.width() - frameWidth), std::max(0, outer.height() - frameHeight));
    return true;
}

void TForm1::moveEvent(QMoveEvent *event)
{
    TForm::moveEvent(event);
    // A window manager reports the frame after the first showing; centre again with the size
    // made good.
    if (FCentred && KeepOuterSize()) {
        FCentred = false;
        CentreAtFirstShow();
    }
}

void TForm1::CentreAtFirstShow()
{
    if (FCentred)
        return;
    FCentred = true;
    KeepOuterSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || WindowState() != wsNormal)
        return;
    const QRect area = screen->availableGeometry();
    const QRect desktop = screen->virtualGeometry();
    const int left = std::max(area.x() + (area.width() - Width()) / 2, desktop.left());
    const int top = std::max(area.y() + (area.height() - Height()) / 2, desktop.top());
    move(left, top);
}

void TForm1::Resetposition1Click()
{
    SetBounds(0, 0, ClientWidth(), ClientHeight());
    if (FOuterSize.isValid())
        FOuterIsClient = true;
    Show();
}

void TForm1::FormClose(QObject *, FormTypes::TCloseAction &)
{
    AppSettings.WindowLeft = Left();
    AppSettings.WindowTop = Top();
    AppSettings.WindowWidth = Width();
    AppSettings.WindowHeight = Height();
    AppSettings.WindowState = int(WindowState());
    StoreSymbol();
    SaveSettings(LangChanger1);
}

TForm1 *CreateForm1()
{
    auto *form = new TForm1(nullptr);
    // The creation event: its errors are shown, and the window is shown all the same.
    RunGuarded([form] { form->FormCreate(form); });
    return form;
}

QString TForm1::TranslateMessage(const QString &message) const
{
    return LangChanger1 != nullptr ? LangChanger1->TranslateMessage(message) : message;
}

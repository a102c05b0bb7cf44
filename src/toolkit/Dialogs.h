#pragma once

#include "toolkit/Component.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

inline namespace DialogTypes {
Q_NAMESPACE
enum TOpenOption {
    ofReadOnly = 0x1,
    ofOverwritePrompt = 0x2,
    ofHideReadOnly = 0x4,
    ofFileMustExist = 0x8,
    ofEnableSizing = 0x10
};
Q_DECLARE_FLAGS(TOpenOptions, TOpenOption)
Q_FLAG_NS(TOpenOptions)
} // namespace DialogTypes
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogTypes::TOpenOptions)

class TOpenDialog;

// Shows a file dialog for Execute(). Tests replace it and answer for the user.
class TFileDialogPresenter
{
public:
    virtual ~TFileDialogPresenter() = default;
    // Returns false when the user cancelled; otherwise the name as the user typed or chose it
    // (absolute) and the chosen filter's index (1-based).
    virtual bool Present(const TOpenDialog &dialog, bool save, QString &fileName, int &filterIndex) = 0;
};
// Replaces the presenter (not owned); nullptr restores the real dialogs.
void SetFileDialogPresenterForTests(TFileDialogPresenter *presenter);

// The file-open dialog. Filter: "description|pattern|description|pattern", patterns separated by
// ";". DefaultExt is added (with a dot) only to a name typed without an extension. FileName keeps
// the last chosen name and the dialog opens with it.
class TOpenDialog : public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TOpenDialog)
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(int FilterIndex READ FilterIndex WRITE SetFilterIndex)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(DialogTypes::TOpenOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)

public:
    explicit TOpenDialog(QObject *AOwner);

    QString DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const QString &value) { FDefaultExt = value; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString &value) { FFileName = value; }
    QString Filter() const { return FFilter; }
    void SetFilter(const QString &value) { FFilter = value; }
    // 1-based index of the filter shown first and, after Execute, of the one chosen.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    QString InitialDir() const { return FInitialDir; }
    void SetInitialDir(const QString &value) { FInitialDir = value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions value) { FOptions = value; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString &value) { FTitle = value; }

    // Shows the dialog modally; true when the user chose a file, which is then in FileName.
    bool Execute(QWidget *parent = nullptr);
    virtual bool IsSaveDialog() const { return false; }

    // The filter in Qt's syntax, one "description (patterns)" entry per pair.
    QStringList QtNameFilters() const;
    // `name` with the default extension added when it has none.
    QString WithDefaultExt(const QString &name) const;

private:
    QString FDefaultExt;
    QString FFileName;
    QString FFilter;
    int FFilterIndex = 1;
    QString FInitialDir;
    TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
    QString FTitle;
};

// The file-save dialog: asks before replacing a file only with ofOverwritePrompt.
class TSaveDialog : public TOpenDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSaveDialog)

public:
    explicit TSaveDialog(QObject *AOwner) : TOpenDialog(AOwner) {}
    bool IsSaveDialog() const override { return true; }
};

// The save dialog for pictures.
class TSavePictureDialog final : public TSaveDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSavePictureDialog)

public:
    explicit TSavePictureDialog(QObject *AOwner) : TSaveDialog(AOwner) {}
};

// The folder chooser: answers the chosen folder, or an empty text when cancelled. Tests replace it;
// an empty function restores the real chooser.
using TFolderChooserFunction =
    std::function<QString(const QString &prompt, const QString &start, QWidget *parent)>;
void SetFolderChooserForTests(TFolderChooserFunction function);
// Shows the folder chooser with `prompt`, starting in `start`.
QString ChooseFolder(const QString &prompt, const QString &start, QWidget *parent);

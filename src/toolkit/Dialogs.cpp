#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

class TQtFileDialogPresenter final : public TFileDialogPresenter
{
public:
    bool Present(const TOpenDialog &dialog, bool save, QString &fileName, int &filterIndex) override
    {
        QFileDialog box(QApplication::activeWindow(), dialog.Title());
        box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        box.setFileMode(save || !dialog.Options().testFlag(ofFileMustExist) ? QFileDialog::AnyFile
                                                                            : QFileDialog::ExistingFile);
        QFileDialog::Options options = QFileDialog::HideNameFilterDetails;
        if (!dialog.Options().testFlag(ofOverwritePrompt))
            options |= QFileDialog::DontConfirmOverwrite;
        box.setOptions(options);
        const QStringList filters = dialog.QtNameFilters();
        if (!filters.isEmpty()) {
            box.setNameFilters(filters);
            box.selectNameFilter(filters.value(qBound(1, dialog.FilterIndex(), int(filters.size())) - 1));
        }
        if (!dialog.InitialDir().isEmpty())
            box.setDirectory(dialog.InitialDir());
        if (!dialog.FileName().isEmpty())
            box.selectFile(dialog.FileName());
        if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
            return false;
        fileName = box.selectedFiles().constFirst();
        filterIndex = int(filters.indexOf(box.selectedNameFilter())) + 1;
        return true;
    }
};

TFileDialogPresenter *&TestPresenter()
{
    static TFileDialogPresenter *presenter = nullptr;
    return presenter;
}

TFolderChooserFunction &TestFolderChooser()
{
    static TFolderChooserFunction function;
    return function;
}

} // namespace

void SetFileDialogPresenterForTests(TFileDialogPresenter *presenter)
{
    TestPresenter() = presenter;
}

TOpenDialog::TOpenDialog(QObject *AOwner)
    : TComponent(AOwner)
{
}

QStringList TOpenDialog::QtNameFilters() const
{
    QStringList result;
    const QStringList parts = FFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!pattern.trimmed().isEmpty())
                patterns.append(pattern.trimmed());
        // The patterns go into the last parentheses, where the file dialog reads them.
        result.append(parts.at(i).trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                      + QLatin1Char(')'));
    }
    return result;
}

QString TOpenDialog::WithDefaultExt(const QString &name) const
{
    QString extension = FDefaultExt.trimmed();
    while (extension.startsWith(QLatin1Char('.')))
        extension.remove(0, 1);
    if (extension.isEmpty() || name.isEmpty())
        return name;
    if (QFileInfo(name).fileName().contains(QLatin1Char('.')))
        return name;
    return name + QLatin1Char('.') + extension;
}

bool TOpenDialog::Execute(QWidget *)
{
    QString chosen;
    int filterIndex = FFilterIndex;
    TQtFileDialogPresenter real;
    TFileDialogPresenter *presenter = TestPresenter() ? TestPresenter() : &real;
    if (!presenter->Present(*this, IsSaveDialog(), chosen, filterIndex) || chosen.isEmpty())
        return false;
    FFileName = WithDefaultExt(chosen);
    if (filterIndex > 0)
        FFilterIndex = filterIndex;
    return true;
}

void SetFolderChooserForTests(TFolderChooserFunction function)
{
    TestFolderChooser() = std::move(function);
}

QString ChooseFolder(const QString &prompt, const QString &start, QWidget *parent)
{
    if (TestFolderChooser())
        return TestFolderChooser()(prompt, start, parent);
    return QFileDialog::getExistingDirectory(parent, prompt, start);
}

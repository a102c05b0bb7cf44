#pragma once

#include "batch/BatchCsv.h"
#include "batch/BatchSummary.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// What the user chose for a loaded table: which column holds the data, which one (if any) the
// file names, and whether the first row holds column names; or the file as plain lines.
struct TBatchColumnChoice
{
    enum TAction { Cancel, Columns, Lines };
    TAction Action = Cancel;
    qsizetype DataColumn = 0;
    qsizetype NameColumn = -1; // -1: names from the data, as for plain lines
    bool Header = true;
};

// Asks for the columns of a table, with the first file names the choice gives.
class TBatchColumnsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBatchColumnsDialog)

public:
    // `extension` (".svg") and `folder` make the previewed names what the run will write.
    TBatchColumnsDialog(QWidget *parent, const TCsvTable &table, const QString &folder,
                        const QString &extension, const TTranslate &translate);

    TBatchColumnChoice Choice() const;
    QStringList PreviewNames() const;
    QString Warning() const;

    // Shown in the preview.
    static constexpr int PreviewCount = 8;

private:
    void FillColumns();
    void Refresh();

    const TCsvTable &FTable;
    QString FFolder;
    QString FExtension;
    TTranslate FTranslate;
    QComboBox *FData;
    QComboBox *FName;
    QCheckBox *FHeader;
    QTreeWidget *FPreview; // data and file name of the first items
    QLabel *FWarning;
    QPushButton *FOk;
    TBatchColumnChoice::TAction FAction = TBatchColumnChoice::Cancel;
};

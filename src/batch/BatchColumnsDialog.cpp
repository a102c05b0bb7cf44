#include "batch/BatchColumnsDialog.h"

#include "batch/BatchPlan.h"
#include "toolkit/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TBatchColumnsDialog::TBatchColumnsDialog(QWidget *parent, const TCsvTable &table, const QString &folder,
                                         const QString &extension, const TTranslate &translate)
    : QDialog(parent)
    , FTable(table)
    , FFolder(folder)
    , FExtension(extension)
    , FTranslate(translate)
{
    setObjectName(QStringLiteral("BatchColumns"));
    setWindowTitle(ApplicationTitle());
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(translate(QStringLiteral("The file is a table with %1 columns. Choose the column to encode.")).arg(table.ColumnCount), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    FData = new QComboBox(this);
    FData->setObjectName(QStringLiteral("ComboBoxData"));
    FData->setToolTip(translate(QStringLiteral("The column whose values become the barcodes")));
    auto *dataLabel = new QLabel(translate(QStringLiteral("&Data column:")), this);
    dataLabel->setBuddy(FData);
    form->addRow(dataLabel, FData);
    FName = new QComboBox(this);
    FName->setObjectName(QStringLiteral("ComboBoxName"));
    FName->setToolTip(translate(QStringLiteral("The column that names the files; without one the data names them")));
    auto *nameLabel = new QLabel(translate(QStringLiteral("&File names from:")), this);
    nameLabel->setBuddy(FName);
    form->addRow(nameLabel, FName);
    layout->addLayout(form);

    FHeader = new QCheckBox(translate(QStringLiteral("First line holds the column &names")), this);
    FHeader->setToolTip(translate(QStringLiteral("The first line is not encoded; its texts name the columns")));
    FHeader->setObjectName(QStringLiteral("CheckBoxHeader"));
    FHeader->setChecked(true);
    layout->addWidget(FHeader);

    layout->addWidget(new QLabel(translate(QStringLiteral("First file names:")), this));
    // Each name beside its data: with a file-name column chosen, the names alone would not show
    // what the files hold.
    FPreview = new QTreeWidget(this);
    FPreview->setObjectName(QStringLiteral("TreePreview"));
    FPreview->setColumnCount(2);
    FPreview->setHeaderLabels({translate(QStringLiteral("Data")), translate(QStringLiteral("File name"))});
    FPreview->setRootIsDecorated(false);
    FPreview->setUniformRowHeights(true);
    FPreview->setSelectionMode(QAbstractItemView::NoSelection);
    FPreview->header()->setSectionResizeMode(QHeaderView::Stretch);
    FPreview->setToolTip(translate(QStringLiteral("The names of the first files the run will write")));
    layout->addWidget(FPreview, 1);
    FWarning = new QLabel(this);
    FWarning->setWordWrap(true);
    layout->addWidget(FWarning);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    FOk = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(translate(QStringLiteral("Cancel")));
    QPushButton *lines = buttons->addButton(translate(QStringLiteral("One string per &line")), QDialogButtonBox::ActionRole);
    lines->setToolTip(translate(QStringLiteral("Load every line of the file as one string, as for a plain text file")));
    connect(lines, &QPushButton::clicked, this, [this] {
        FAction = TBatchColumnChoice::Lines;
        accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        FAction = TBatchColumnChoice::Columns;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    FillColumns();
    connect(FData, &QComboBox::currentIndexChanged, this, &TBatchColumnsDialog::Refresh);
    connect(FName, &QComboBox::currentIndexChanged, this, &TBatchColumnsDialog::Refresh);
    connect(FHeader, &QCheckBox::toggled, this, &TBatchColumnsDialog::FillColumns);
    resize(460, 420);
}

void TBatchColumnsDialog::FillColumns()
{
    const int dataIndex = qMax(0, FData->currentIndex());
    const int nameIndex = qMax(0, FName->currentIndex());
    const QSignalBlocker blockData(FData);
    const QSignalBlocker blockName(FName);
    FData->clear();
    FName->clear();
    FName->addItem(FTranslate(QStringLiteral("(the data)")));
    const QStringList &first = FTable.Rows.first();
    for (qsizetype c = 0; c < FTable.ColumnCount; ++c) {
        QString title = FTranslate(QStringLiteral("Column %1")).arg(c + 1);
        if (FHeader->isChecked() && !first.at(c).trimmed().isEmpty())
            title += QStringLiteral(": ") + first.at(c).simplified().left(40);
        FData->addItem(title);
        FName->addItem(title);
    }
    FData->setCurrentIndex(dataIndex);
    FName->setCurrentIndex(nameIndex);
    Refresh();
}

TBatchColumnChoice TBatchColumnsDialog::Choice() const
{
    TBatchColumnChoice choice;
    choice.Action = FAction;
    choice.DataColumn = FData->currentIndex();
    choice.NameColumn = FName->currentIndex() - 1;
    choice.Header = FHeader->isChecked();
    return choice;
}

QStringList TBatchColumnsDialog::PreviewNames() const
{
    QStringList names;
    for (int i = 0; i < FPreview->topLevelItemCount(); ++i)
        names.append(FPreview->topLevelItem(i)->text(1));
    return names;
}

QString TBatchColumnsDialog::Warning() const
{
    return FWarning->text();
}

void TBatchColumnsDialog::Refresh()
{
    const TBatchColumnChoice choice = Choice();
    const qsizetype firstRow = choice.Header ? 1 : 0;
    const QStringList strings = CsvColumn(FTable.Rows, choice.DataColumn, firstRow);
    const QStringList names = choice.NameColumn >= 0 ? CsvColumn(FTable.Rows, choice.NameColumn, firstRow) : strings;
    const TBatchNamePreview preview = PreviewBatchNames(names, FFolder, FExtension, PreviewCount);
    FPreview->clear();
    for (qsizetype i = 0; i < preview.First.size(); ++i) {
        // One line per item, even for data with line breaks.
        FPreview->addTopLevelItem(new QTreeWidgetItem({strings.at(i).simplified(), preview.First.at(i)}));
    }

    QString warning;
    if (AllBlank(strings))
        warning = FTranslate(QStringLiteral("The chosen data column is empty."));
    else if (choice.NameColumn >= 0 && AllBlank(names))
        warning = FTranslate(QStringLiteral("The chosen file-name column is empty; the files are numbered."));
    else if (preview.Numbered > 0)
        warning = FTranslate(QStringLiteral("Empty or clashing file names: %1. Those files get their line number in front."))
                      .arg(preview.Numbered);
    FWarning->setText(warning);
    FOk->setEnabled(!AllBlank(strings));
}

#pragma once

#include <QString>
#include "verify/ScanCheck.h"

#include <QObject>

#include <functional>
#include <optional>

class TCheckBox;
class TLabel;
class TPanel;
class QWidget;

// Beside the preview: whether the symbol reads back with an independent reader, and the
// warnings about how it is drawn. The verdict takes the keyboard focus and carries its text as
// its accessible name, so that a screen reader says it.
class TScanVerdictView final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TScanVerdictView)

public:
    using TTranslate = std::function<QString(const QString &)>;

    // The controls belong to `owner` (the window translates them by name).
    TScanVerdictView(QObject *owner, QWidget *parent, TTranslate translate);

    TPanel *PanelScanCheck = nullptr; // holds the controls; placed by the window's layout
    TCheckBox *CheckBoxScanCheck = nullptr;
    TLabel *LabelScanVerdict = nullptr;
    TLabel *LabelScanWarnings = nullptr;

    bool CheckOn() const;
    void ShowVerdict(const TScanVerdict &verdict);
    // No picture to read, or the check is off.
    void ShowNothing();

private:
    void Show(const QString &verdict, const QString &warnings, bool doubtful);

    TTranslate FTranslate;
    bool FDoubtful = false;
    std::optional<TScanVerdict> FShown; // the verdict on show, if any
};

#pragma once

#include <QString>

class QWidget;

// Why a control is disabled, shown as its tooltip while it is, ahead of its own hint. The hint
// itself is not touched, so a language file that translates it keeps working.

// `reason` empty: the tooltip is the hint alone again.
void SetDisabledReason(QWidget *control, const QString &reason);
// What the tooltip of `control` shows now.
QString ShownHint(const QWidget *control);

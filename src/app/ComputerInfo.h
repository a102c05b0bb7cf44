#pragma once

#include "toolkit/Component.h"

#include <QString>

// Answers facts about the user's system; the main window asks it for the application-data
// folder only.
class TComputerInfo final : public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TComputerInfo)

public:
    explicit TComputerInfo(QObject *AOwner) : TComponent(AOwner) {}

    // The user's (roaming) application-data folder, without a trailing separator.
    QString AppDataFolder() const;
};

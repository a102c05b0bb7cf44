#include "app/ComputerInfo.h"

#include <QStandardPaths>

QString TComputerInfo::AppDataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

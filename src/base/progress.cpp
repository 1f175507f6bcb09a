#include "base/progress.h"

#include <QChar>

namespace tonaq {

QString statusText(const Progress &p) {
    switch (p.what) {
    case Activity::Ready:
        return QStringLiteral("Ready");
    case Activity::NotConnected:
        return QStringLiteral("Not connected.");
    case Activity::Scanning:
        return QStringLiteral("Scanning ports...");
    case Activity::PleaseConnect:
        return QStringLiteral("Please Connect by selecting a COM port in the menu.");
    case Activity::NoPorts:
        return QStringLiteral("No available COM ports found.");
    case Activity::Connected:
        return QStringLiteral("Connected on COM") + QString::number(p.value);
    case Activity::UnableToConnect:
        return QStringLiteral("Unable to connect on COM") + QString::number(p.value);
    case Activity::UnitRemoved:
        return QStringLiteral("Unit on COM%1 removed.").arg(p.value);
    case Activity::ReadingSettings:
        return QStringLiteral("Reading the device settings...");
    case Activity::ReadingLocation:
        return QStringLiteral("Reading Location # %1").arg(p.value);
    case Activity::SavingChanges:
        return QStringLiteral("Saving changes to device memory...");
    case Activity::SavingToLocation:
        return QStringLiteral("Saving to Location #  %1").arg(p.value);
    case Activity::SaveCancelled:
        return QStringLiteral("Save operation cancelled");
    case Activity::Resetting:
        return QStringLiteral("RESETTING...");
    case Activity::SendingTone:
        return QStringLiteral("Sending tone [%1]").arg(QChar(p.value));
    case Activity::Aborting:
        return QStringLiteral("Aborting...");
    case Activity::NoReady:
        return QStringLiteral("Memory play: no Ready from the unit.");
    case Activity::FileSaved:
        return QStringLiteral("File Saved. Ready.");
    case Activity::Terminating:
        return QStringLiteral("Terminating...");
    }
    return {};
}

} // namespace tonaq

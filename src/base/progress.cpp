#include "base/progress.h"

#include <QChar>
#include <QCoreApplication>

namespace tonaq {

// Both programs say where they stand in the operator's language; the COM numbers stay.
QString statusText(const Progress &p) {
    switch (p.what) {
    case Activity::Ready:
        return QCoreApplication::translate("Status", "Ready");
    case Activity::NotConnected:
        return QCoreApplication::translate("Status", "Not connected.");
    case Activity::Scanning:
        return QCoreApplication::translate("Status", "Scanning ports...");
    case Activity::PleaseConnect:
        return QCoreApplication::translate("Status",
                                           "Please Connect by selecting a COM port in the menu.");
    case Activity::NoPorts:
        return QCoreApplication::translate("Status", "No available COM ports found.");
    case Activity::Connected:
        return QCoreApplication::translate("Status", "Connected on COM%1").arg(p.value);
    case Activity::UnableToConnect:
        return QCoreApplication::translate("Status", "Unable to connect on COM%1").arg(p.value);
    case Activity::UnitRemoved:
        return QCoreApplication::translate("Status", "Unit on COM%1 removed.").arg(p.value);
    case Activity::ReadingSettings:
        return QCoreApplication::translate("Status", "Reading the device settings...");
    case Activity::ReadingLocation:
        return QCoreApplication::translate("Status", "Reading Location # %1").arg(p.value);
    case Activity::SavingChanges:
        return QCoreApplication::translate("Status", "Saving changes to device memory...");
    case Activity::SavingToLocation:
        return QCoreApplication::translate("Status", "Saving to Location #  %1").arg(p.value);
    case Activity::SaveCancelled:
        return QCoreApplication::translate("Status", "Save operation cancelled");
    case Activity::Resetting:
        return QCoreApplication::translate("Status", "RESETTING...");
    case Activity::SendingTone:
        return QCoreApplication::translate("Status", "Sending tone [%1]").arg(QChar(p.value));
    case Activity::Aborting:
        return QCoreApplication::translate("Status", "Aborting...");
    case Activity::NoReady:
        return QCoreApplication::translate("Status", "Memory play: no Ready from the unit.");
    case Activity::FileSaved:
        return QCoreApplication::translate("Status", "File Saved. Ready.");
    case Activity::Terminating:
        return QCoreApplication::translate("Status", "Terminating...");
    }
    return {};
}

} // namespace tonaq

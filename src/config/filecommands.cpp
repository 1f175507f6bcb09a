#include "app/frmtonaq.h"

namespace tonaq {

// Placeholders until the configuration file lands: they report readiness and touch nothing.
void FrmTonaq::mnuOpen_Click() {
    CommandLineFile.clear();
    SetStatus(QStringLiteral("Ready"));
}

void FrmTonaq::mnuSave_Click() {}

void FrmTonaq::mnuSaveAs_Click() {}

} // namespace tonaq

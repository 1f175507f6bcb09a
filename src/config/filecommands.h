#pragma once

namespace tonaq {

class FrmTonaq;

// Connects the "File" menu's Open, Save and Save As... to the main window's file commands.
void wireFileMenu(FrmTonaq &main);

} // namespace tonaq

// The installation from Excel's lookup to the final message, once sourceDir is known.
#pragma once

// Runs every step after the source directory was set: finds Excel, registers for DDE, loads
// the script, asks for the destination until it passes its checks, copies, writes the INI data,
// sets up Program Manager and starts Excel, each outcome ending in its message. Whatever the
// outcome, the STATUS window is gone and the DDE registration ended when it returns.
void RunMainSequence();

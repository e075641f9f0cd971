// The removal of an installation: its entry in Windows' list of programs, and SETUP.EXE /U.
#pragma once

#include <windows.h>

// The entry under HKEY_CURRENT_USER through which Windows offers the removal.
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mezura";

// Copies this program and SETUP.INF into destDir and makes the entry (a second installation
// updates it): display name, version, publisher, install location and the commands that remove
// the installation, with and without windows. False, with the outcome of a silent run
// recorded, when a copy or the entry fails.
bool RegisterUninstall();

// SETUP.EXE /U: finds the remembered destination, asks (unless silent), waits for Excel to be
// closed, and removes our OPEN entries, the files the script installed there with CORVANE.INI,
// SETUP.INF and SETUP.EXE, the folder when nothing else is left in it, the Program Manager
// group, the entry and the remembered destination. Files it did not install stay. Answers the
// outcome (an exit code of a silent run).
int RunUninstall();

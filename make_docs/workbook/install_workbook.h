// install.xls: the workbook SETUP.EXE opens in Excel at the end of an installation.
#pragma once

#include <string>

// Writes the workbook to `path` as an Excel 97 file; false with `error` set when it cannot.
bool WriteInstallWorkbook(const char* path, std::string* error);

// Evaluates a parsed sheet on the emulated Excel's calling sheet and prints the computed grid.
#pragma once

#include <string>
#include <vector>

#include "addin_loader.h"
#include "sheet_file.h"

namespace xlhost {

// Puts every entry on the calling sheet in file order, calling formulas through the add-in.
// A formula whose name is not registered, or whose procedure the module does not export,
// gives #NAME?. An array result fills the target range row by row; a one-row or one-column
// result repeats along the other direction, and cells beyond the result get #N/A.
void EvaluateSheet(const LoadedAddin& addin, const std::vector<SheetEntry>& entries);

// A cell as the grid shows it: numbers in the General format, TRUE/FALSE, "#VALUE!"...
std::string FormatCell(const CellValue& cell);

// The used part of a sheet as aligned text: a header of column letters, then one line per row.
std::string FormatGrid(DWORD sheet);

}  // namespace xlhost

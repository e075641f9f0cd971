// The emulated Excel's automation model: Application, Workbooks, the book, its Worksheets, Range and Value.
//
// Host behaviours (what the add-in's automation path relies on, as Excel answers it):
//  - "Excel.Application" is registered in HKLM\Software\Classes with a class id of the
//    emulated host's own; the Application object is the active object of that class (the first
//    copy of the host to start keeps it), and the book is in the running object table under a
//    file moniker "C:\xlhost<process id>\<book>.xls".
//  - Application: Application (itself), Workbooks, ExecuteExcel4Macro(text). The macro
//    understands CALL("module","procedure","J") (letter case ignored): it calls the module's
//    exported procedure, which must already be loaded in this process, and answers its
//    32-bit result as a number; any other macro answers #VALUE! as an error variant.
//  - Workbooks.Item(book name), Workbook.Worksheets, Worksheets.Item(sheet name),
//    Worksheet.Range("a1:b2" or "a1", letters in either case): an unknown name or address
//    fails with DISP_E_BADINDEX. Range.Value: one cell as its value (empty, number, text,
//    boolean, or an error variant), several as a two-index array of variants, rows first.
// Names are looked up without regard to letter case; an unknown name is DISP_E_UNKNOWNNAME.
#pragma once

#include <string>

namespace xlhost {

// Registers the class and the active object, and puts the book in the running object
// table; false with `error` saying why. OLE is initialised on the calling thread until stop.
bool StartAutomationServer(std::string* error);
void StopAutomationServer();

// How often ExecuteExcel4Macro and Range.Value ran since the server started.
size_t MacroRuns();
size_t ValueReads();
// Automation objects handed out and not yet released (the Application itself not counted).
long LiveAutomationObjects();

}  // namespace xlhost

// The emulated Excel's Excel12: XLOPER12 calls carried out by the Excel4 dispatcher, with records converted both ways.
//
// The host program exports the entry as Excel 2007 and later do (MdCallBack12, see
// emulated_excel.cpp); it answers xlretFailed while the host reports a version below 12, as a
// program without the entry would leave an add-in without Excel12. Arguments are read as
// XLOPER records (texts through the ANSI code page, Latin-1 natively; an integer that needs
// 32 bits as a number), the call is made as Excel4 makes it, and the answer comes back as an
// XLOPER12 of host-owned blocks that xlFree through Excel12 gives back. The host's own
// XLOPER answer is given back off the books, so the ledger counts each block once.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "workbook.h"
#include "xloper.h"
#include "xloper12.h"

namespace xlhost {

// Most arguments one Excel12 call can carry.
constexpr int kMaxExcel12Args = 255;

int HandleExcel12(int xlfn, XLOPER12* result, int count, XLOPER12** args);

// A text of the host (bytes of the ANSI code page) in UTF-16, and back; a character the code
// page lacks becomes '?'.
std::basic_string<XCHAR> WidenText(const std::string& text);
std::string NarrowText(const XCHAR* chars, size_t length);

// What the converted records point at; lives as long as they are used. Lists: an element
// stays where it is while others are added, and an empty list allocates nothing, which the
// host's every Excel12 call would otherwise pay for.
struct RecordStorage {
    std::list<std::string> texts;
    std::list<std::basic_string<XCHAR>> wideTexts;
    std::list<std::vector<XLOPER>> arrays;
    std::list<std::vector<XLOPER12>> wideArrays;
    std::list<XLMREF> areas;
    std::list<std::vector<XLREF12>> wideAreas;  // an XLMREF12 each: the count, then its areas
};

// One record in the other form: values, texts, arrays and references alike.
XLOPER NarrowRecord(const XLOPER12& record, RecordStorage* storage);
XLOPER12 WidenRecord(const XLOPER& record, RecordStorage* storage);

// A value record as a cell value, as RecordToCell reads an XLOPER.
bool RecordToCell(const XLOPER12& record, CellValue* cell);

}  // namespace xlhost

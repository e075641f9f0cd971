// Turns fuzz input into argument records of every kind and into the cells of the emulated Excel's grid.
//
// Records Excel never hands an add-in are left out rather than survived: a text, array or
// area-list pointer that is null, a plain type word whose union holds another type's value
// (Excel fills the union as the type says), and references or arrays inside an array (Excel's
// arrays hold values only). Everything else goes in, hostile or not: flag bits on arguments,
// type words with several type bits or unused bits, area lists of 0 or thousands of areas,
// reversed and whole-sheet rectangles, sheets that do not exist, empty arrays, texts of 0 and
// 255 characters of any bytes, and numbers no cell holds.
#include "record_decoder.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "workbook.h"

namespace export_fuzz {

namespace {

constexpr WORD kXLFreeBit = 0x1000;  // the host's own flag; Excel sets it on records it frees
constexpr WORD kTypeBits[] = {xltypeNum, xltypeStr,     xltypeBool, xltypeRef, xltypeErr,
                              xltypeMulti, xltypeMissing, xltypeNil, xltypeSRef, xltypeInt};
// Bits of the type word that no type and no flag uses.
constexpr WORD kUnusedBits = 0x0020 | 0x0200 | 0x2000 | 0x8000;

constexpr double kSpecialNumbers[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 3.0, 8.0, 10.0, 11.0, 12.0, 17.0, 29.0, 100.0, 273.15, -459.67,
    32767.0, 32767.9, 32768.0, -32768.0, -32769.0, 65536.0, 1e10, 1e300, 1e308, -1e308, DBL_MAX, -DBL_MAX,
    DBL_MIN, -DBL_MIN, 1e-310, DBL_TRUE_MIN, -DBL_TRUE_MIN, std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
};

// Texts that reach past the first comparison: unit labels of several tables, procedure names
// xlAutoRegister knows (and the sentinel it must not), and texts the host reads as numbers.
const char* const kKnownTexts[] = {
    "meters", "feet", "inches", "miles", "deg. C", "Kelvin", "deg. F", "deg. Rankine", "square rods",
    "square poles", "square meters", "kilograms", "joules", "kilowatts", "pounds/square inch", "miles/hour",
    "gallons", "gallons/hour", "kilograms/sec", "pounds/gallon", "kilowatt/meter-K",
    "pounds(force)-sec/square foot", "CvtLength", "CvtTemperature", "VolSphere", "VolHorzCylCap", "MezuraHelp",
    "CheckInstance", "END", "8", " 17 ", "1e308", "-0", "2.5", "nan", "inf", "", " ", "TRUE",
};

template <typename T, size_t N>
constexpr size_t CountOf(const T (&)[N]) {
    return N;
}

WORD Error(ByteReader& in) {
    constexpr WORD kCodes[] = {0, 7, 15, 23, 29, 36, 42};
    uint8_t pick = in.Byte();
    return pick < 0xF0 ? kCodes[pick % CountOf(kCodes)] : in.Word();
}

// Mostly the type word as Excel writes it; sometimes with flag bits, a second type bit or
// unused bits added (a record of no type at all, which the add-in must refuse, not read).
WORD TypeWord(ByteReader& in, WORD type) {
    uint8_t how = in.Byte();
    if (how < 0xA0) return type;
    WORD word = type;
    if (how & 1) word |= kXLFreeBit;
    if (how & 2) word |= xlbitDLLFree;
    if (how & 4) word |= kTypeBits[in.Byte() % CountOf(kTypeBits)];
    if (how & 8) word |= in.Word() & kUnusedBits;
    return word;
}

// A rectangle: mostly inside the grid, else whole columns, rows or the sheet, or any words.
XLREF Area(ByteReader& in) {
    XLREF area{};
    switch (in.Byte() % 4) {
    case 0:
    case 1:
        area.rwFirst = WORD(in.Byte() % kGridRows);
        area.rwLast = WORD(area.rwFirst + in.Byte() % 3);
        area.colFirst = BYTE(in.Byte() % kGridColumns);
        area.colLast = BYTE(area.colFirst + in.Byte() % 3);
        break;
    case 2: {
        uint8_t whole = in.Byte();
        area.rwFirst = 0;
        area.rwLast = 0xFFFF;
        area.colFirst = BYTE(whole % kGridColumns);
        area.colLast = whole & 0x80 ? 0xFF : area.colFirst;  // a column, or the sheet
        break;
    }
    default:
        area.rwFirst = in.Word();
        area.rwLast = in.Word();
        area.colFirst = in.Byte();
        area.colLast = in.Byte();
        break;
    }
    return area;
}

DWORD SheetId(ByteReader& in) {
    switch (in.Byte() % 5) {
    case 0: return 0;  // no sheet
    case 1: return 1;  // the calling sheet
    case 2: return 2;  // the second sheet FillGrid adds
    case 3: return 3;  // a sheet the book does not have
    default: return in.Dword();
    }
}

WORD AreaCount(ByteReader& in) {
    uint8_t pick = in.Byte();
    if (pick < 0xC0) return 1;
    switch (pick % 4) {
    case 0: return 0;
    case 1: return 2;
    case 2: return 300;
    default: return in.Word();
    }
}

enum Kind { kNum, kStr, kBool, kErr, kInt, kMissing, kNil, kSRef, kRef, kMulti, kKindCount };
// Array elements are values only: Excel's arrays never hold references or arrays.
constexpr int kValueKindCount = kSRef;

XLOPER Decode(ByteReader& in, RecordArena& arena, bool element) {
    XLOPER record{};
    int kind = in.Byte() % (element ? kValueKindCount : kKindCount);
    WORD type = xltypeNil;
    switch (kind) {
    case kNum:
        type = xltypeNum;
        record.val.num = in.Number();
        break;
    case kStr:
        type = xltypeStr;
        record.val.str = arena.CountedText(in.Text());
        break;
    case kBool:
        type = xltypeBool;
        record.val.xbool = in.Byte() < 0xF0 ? in.Byte() & 1 : in.Word();  // any non-zero is TRUE
        break;
    case kErr:
        type = xltypeErr;
        record.val.err = Error(in);
        break;
    case kInt:
        type = xltypeInt;
        record.val.w = static_cast<short>(in.Byte() < 0x80 ? in.Byte() % 32 : in.Word());
        break;
    case kMissing:
    case kNil: {
        // Excel leaves the union of these undefined: nothing may read it.
        type = kind == kMissing ? xltypeMissing : xltypeNil;
        double junk = in.Number();
        std::memcpy(&record.val, &junk, sizeof junk);
        break;
    }
    case kSRef:
        type = xltypeSRef;
        record.val.sref.count = in.Byte() < 0xF0 ? 1 : in.Word();
        record.val.sref.ref = Area(in);
        break;
    case kRef: {
        type = xltypeRef;
        record.val.mref.idSheet = SheetId(in);
        WORD count = AreaCount(in);
        XLMREF* list = arena.AreaList(count);
        for (WORD i = 0; i < count; ++i) list->reftbl[i] = Area(in);
        record.val.mref.lpmref = list;
        break;
    }
    default: {  // kMulti
        type = xltypeMulti;
        WORD rows = in.Byte() % 5, columns = in.Byte() % 5;  // 0 rows or columns included
        XLOPER* elements = arena.Records(size_t(rows) * columns);
        for (size_t i = 0; i < size_t(rows) * columns; ++i) elements[i] = Decode(in, arena, true);
        record.val.array.lparray = elements;
        record.val.array.rows = rows;
        record.val.array.columns = columns;
        break;
    }
    }
    record.xltype = TypeWord(in, type);
    return record;
}

}  // namespace

uint8_t ByteReader::Byte() {
    return position_ < size_ ? data_[position_++] : 0;
}

uint16_t ByteReader::Word() {
    uint16_t low = Byte();
    return uint16_t(low | Byte() << 8);
}

uint32_t ByteReader::Dword() {
    uint32_t low = Word();
    return low | uint32_t(Word()) << 16;
}

double ByteReader::Number() {
    switch (Byte() % 4) {
    case 0: {
        uint64_t bits = Dword();
        bits |= uint64_t(Dword()) << 32;
        double number;
        std::memcpy(&number, &bits, sizeof number);  // any pattern: signalling NaNs, denormals
        return number;
    }
    case 1: return kSpecialNumbers[Byte() % CountOf(kSpecialNumbers)];
    case 2: return static_cast<int8_t>(Byte());
    default: return static_cast<int16_t>(Word()) / 16.0;
    }
}

std::string ByteReader::Text() {
    uint8_t pick = Byte();
    if (pick < 0x80) {
        std::string text = kKnownTexts[pick % CountOf(kKnownTexts)];
        uint8_t flips = Byte();  // letter case changed where the bits say
        for (size_t i = 0; i < text.size(); ++i)
            if ((flips >> (i % 8)) & 1 && ((text[i] | 0x20) >= 'a' && (text[i] | 0x20) <= 'z')) text[i] ^= 0x20;
        return text;
    }
    std::string text(Byte(), '\0');
    for (char& c : text) c = static_cast<char>(Byte());
    return text;
}

RecordArena::~RecordArena() {
    for (void* block : blocks_) std::free(block);
}

void* RecordArena::Allocate(size_t bytes) {
    // malloc(0) still answers a block of its own, which nothing may read.
    void* block = std::malloc(bytes);
    if (!block) std::abort();
    blocks_.push_back(block);
    return block;
}

XLOPER* RecordArena::Records(size_t count) {
    return static_cast<XLOPER*>(Allocate(count * sizeof(XLOPER)));
}

char* RecordArena::CountedText(const std::string& text) {
    auto* counted = static_cast<char*>(Allocate(1 + text.size()));
    counted[0] = static_cast<char>(text.size());
    if (!text.empty()) std::memcpy(counted + 1, text.data(), text.size());
    return counted;
}

XLMREF* RecordArena::AreaList(WORD count) {
    auto* list = static_cast<XLMREF*>(Allocate(offsetof(XLMREF, reftbl) + size_t(count) * sizeof(XLREF)));
    list->count = count;
    return list;
}

XLOPER DecodeArgument(ByteReader& in, RecordArena& arena) {
    return Decode(in, arena, false);
}

void FillGrid(ByteReader& in) {
    const DWORD sheets[] = {xlhost::CallingSheet(), xlhost::AddSheet("Sheet2")};
    int cells = in.Byte() % 24;
    for (int i = 0; i < cells; ++i) {
        DWORD sheet = sheets[in.Byte() & 1];
        int row = in.Byte() % kGridRows, column = in.Byte() % kGridColumns;
        xlhost::CellValue value;
        switch (in.Byte() % 5) {
        case 0: value = xlhost::CellValue::Number(in.Number()); break;
        case 1: value = xlhost::CellValue::Text(in.Text()); break;
        case 2: value = xlhost::CellValue::Boolean(in.Byte() & 1); break;
        case 3: value = xlhost::CellValue::Error(Error(in)); break;
        default: break;  // an empty cell
        }
        xlhost::SetCell(sheet, row, column, value);
    }
}

}  // namespace export_fuzz

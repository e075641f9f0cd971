// The emulated Excel's xlCoerce, xlSheetNm and xlGetName: the rules the add-in's tests stand on.
#include <cmath>
#include <string>

#include "addin/host/coerce.h"
#include "emulated_excel_fixture.h"

namespace {

using xlhost::CellValue;

class HostCoercionTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        DWORD sheet = xlhost::CallingSheet();
        xlhost::SetCell(sheet, 0, 0, CellValue::Number(2.5));
        xlhost::SetCell(sheet, 0, 1, CellValue::Text("feet"));
        xlhost::SetCell(sheet, 0, 2, CellValue::Boolean(true));
        xlhost::SetCell(sheet, 0, 3, CellValue::Error(xlhost::xlerrDiv0));
        xlhost::SetCell(sheet, 0, 4, CellValue::Text(" 17 "));
        other_ = xlhost::AddSheet("Tanks");
        xlhost::SetCell(other_, 3, 2, CellValue::Number(-8.9));
    }

    // An external reference to one area of `sheet`, owned by the test.
    XLOPER ExternalRef(DWORD sheet, XLREF area) {
        list_.count = 1;
        list_.reftbl[0] = area;
        XLOPER r{};
        r.xltype = xltypeRef;
        r.val.mref.lpmref = &list_;
        r.val.mref.idSheet = sheet;
        return r;
    }

    DWORD other_ = 0;
    XLMREF list_ = {};
};

// What one coercion answers, written as text so that a table can say it: "num:2.5", "int:3",
// "str:feet", "bool:1", "err:7", "nil", "missing", "multi:2x1", "ref", "sref", or "failed".
std::string Describe(int status, XLOPER* result) {
    if (status != xlretSuccess) return "failed";
    std::string text;
    switch (result->xltype) {
    case xltypeNum: {
        char number[40];
        std::snprintf(number, sizeof number, "num:%.17g", result->val.num);
        text = number;
        break;
    }
    case xltypeInt: text = "int:" + std::to_string(result->val.w); break;
    case xltypeStr: text = "str:" + TextOf(result->val.str); break;
    case xltypeBool: text = "bool:" + std::to_string(result->val.xbool); break;
    case xltypeErr: text = "err:" + std::to_string(result->val.err); break;
    case xltypeNil: text = "nil"; break;
    case xltypeMissing: text = "missing"; break;
    case xltypeMulti:
        text = "multi:" + std::to_string(result->val.array.rows) + "x" + std::to_string(result->val.array.columns);
        break;
    case xltypeRef: text = "ref"; break;
    case xltypeSRef: text = "sref"; break;
    default: text = "type:" + std::to_string(result->xltype);
    }
    FreeHostRecord(result);
    return text;
}

TEST_F(HostCoercionTest, ScalarsReferencesAndArraysCoerceByExcelsRules) {
    CountedText numeric("12.5"), padded(" 3 "), word("abc"), empty(""), hex("0x10"), infinity("inf");
    XLOPER two[2] = {Num(1), Num(2)};
    XLOPER one[1] = {Num(4)};
    XLOPER pair{}, single{};
    pair.xltype = single.xltype = xltypeMulti;
    pair.val.array = {two, 1, 2};
    single.val.array = {one, 1, 1};
    XLOPER onOther = ExternalRef(other_, XLREF{3, 3, 2, 2});

    struct Row { XLOPER source; WORD wanted; const char* expected; };
    const Row rows[] = {
        {Num(2.5), xltypeNum, "num:2.5"},
        {Num(2.5), xltypeInt, "int:2"},
        {Num(-2.7), xltypeInt, "int:-2"},
        {Num(32767.9), xltypeInt, "int:32767"},
        {Num(32768), xltypeInt, "failed"},
        {Num(-32769), xltypeInt, "failed"},
        {Num(2.5), xltypeStr, "str:2.5"},
        {Num(1e20), xltypeStr, "str:1E+20"},
        {Num(0.1 + 0.2), xltypeStr, "str:0.3"},
        {Int(7), xltypeNum, "num:7"},
        {Bool(true), xltypeNum, "num:1"},
        {Bool(false), xltypeStr, "str:FALSE"},
        {numeric.Record(), xltypeNum, "num:12.5"},
        {padded.Record(), xltypeInt, "int:3"},
        {word.Record(), xltypeNum, "failed"},
        {word.Record(), xltypeInt, "failed"},
        {word.Record(), xltypeStr, "str:abc"},
        {empty.Record(), xltypeNum, "failed"},
        {hex.Record(), xltypeNum, "failed"},
        {infinity.Record(), xltypeNum, "failed"},
        {Err(xlerrName), xltypeNum, "failed"},
        {Err(xlerrName), xltypeErr, "err:29"},
        {Missing(), xltypeNum, "failed"},
        {Missing(), xltypeStr, "failed"},
        {Nil(), xltypeNum, "num:0"},
        {Nil(), xltypeStr, "str:"},
        {CellRef(0, 0), xltypeNum, "num:2.5"},
        {CellRef(0, 1), xltypeStr, "str:feet"},
        {CellRef(0, 1), xltypeInt, "failed"},
        {CellRef(0, 2), xltypeNum, "num:1"},
        {CellRef(0, 3), xltypeNum, "failed"},
        {CellRef(0, 4), xltypeInt, "int:17"},
        {CellRef(9, 9), xltypeNum, "num:0"},
        {CellRef(9, 9), xltypeStr, "str:"},
        {AreaRef(0, 0, 0, 1), xltypeNum, "failed"},
        {AreaRef(0, 0, 0, 1), xltypeMulti, "multi:1x2"},
        {AreaRef(0, 0, 0, 1), xltypeRef, "ref"},
        {CellRef(0, 0), xltypeSRef, "sref"},
        {onOther, xltypeNum, "num:-8.9000000000000004"},
        {onOther, xltypeSRef, "failed"},
        {pair, xltypeNum, "failed"},
        {pair, xltypeMulti, "multi:1x2"},
        {single, xltypeNum, "num:4"},
        {Num(3), xltypeMulti, "multi:1x1"},
        {Num(3), xltypeRef, "failed"},
        {Num(3), xltypeNum | xltypeStr, "num:3"},
        {word.Record(), xltypeNum | xltypeStr, "str:abc"},
        {Num(3), xltypeNil, "failed"},
        // A whole column is 65536 rows, one more than an array record holds; a whole sheet
        // must be refused before its 16 million cells are read.
        {AreaRef(0, 65535, 1, 1), xltypeMulti, "failed"},
        {AreaRef(0, 65534, 1, 1), xltypeMulti, "multi:65535x1"},
        {AreaRef(0, 65535, 0, 255), xltypeNum, "failed"},
    };
    for (Row row : rows) {
        XLOPER type = MakeTypeRecord(row.wanted);
        XLOPER result{};
        int status = Excel4(xlCoerce, &result, 2, &row.source, &type);
        EXPECT_EQ(Describe(status, &result), row.expected)
            << "source type " << row.source.xltype << " to type " << row.wanted;
    }
}

TEST_F(HostCoercionTest, ReferencesThatNameNoCellsDoNotCoerce) {
    XLMREF twoAreaList[2] = {};
    twoAreaList[0].count = 2;
    XLOPER twoAreas = ExternalRef(other_, XLREF{0, 0, 0, 0});
    twoAreas.val.mref.lpmref = twoAreaList;
    XLOPER noSheet = ExternalRef(99, XLREF{0, 0, 0, 0});
    XLOPER backwards = AreaRef(3, 1, 0, 0);
    XLOPER noList{};
    noList.xltype = xltypeRef;
    XLOPER* sources[] = {&twoAreas, &noSheet, &backwards, &noList};
    for (XLOPER* source : sources) {
        XLOPER result{};
        EXPECT_EQ(Excel4(xlCoerce, &result, 1, source), xlretFailed) << "source type " << source->xltype;
    }
}

TEST_F(HostCoercionTest, ArrayElementsKeepTheirCellTypesAndGoBackWithTheArray) {
    XLOPER area = AreaRef(0, 1, 0, 4);
    XLOPER type = MakeTypeRecord(xltypeMulti);
    XLOPER result{};
    ASSERT_EQ(Excel4(xlCoerce, &result, 2, &area, &type), xlretSuccess);
    ASSERT_EQ(result.xltype, xltypeMulti);
    ASSERT_EQ(result.val.array.rows, 2);
    ASSERT_EQ(result.val.array.columns, 5);
    const XLOPER* e = result.val.array.lparray;
    const WORD expected[] = {xltypeNum, xltypeStr, xltypeBool, xltypeErr, xltypeStr,
                             xltypeNil, xltypeNil, xltypeNil, xltypeNil, xltypeNil};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(e[i].xltype, expected[i]) << "element " << i;
    EXPECT_EQ(TextOf(e[1].val.str), "feet");
    EXPECT_EQ(xlhost::ReadLedger().outstanding, 1u) << "element texts are part of the array block";
    FreeHostRecord(&result);
}

TEST_F(HostCoercionTest, SheetNameAndAddinName) {
    XLOPER result{};
    XLOPER onOther = ExternalRef(other_, XLREF{0, 0, 0, 0});
    ASSERT_EQ(Excel4(xlSheetNm, &result, 1, &onOther), xlretSuccess);
    EXPECT_EQ(Describe(xlretSuccess, &result), "str:[Book1]Tanks");
    XLOPER here = CellRef(0, 0);
    ASSERT_EQ(Excel4(xlSheetNm, &result, 1, &here), xlretSuccess);
    EXPECT_EQ(Describe(xlretSuccess, &result), "str:[Book1]Sheet1");
    XLOPER number = Num(1);
    EXPECT_EQ(Excel4(xlSheetNm, &result, 1, &number), xlretFailed);

    xlhost::SetAddinPath("");
    EXPECT_EQ(Excel4(xlGetName, &result, 0), xlretFailed);
    xlhost::SetAddinPath("C:\\ADDINS\\MEZURA32.XLL");
    ASSERT_EQ(Excel4(xlGetName, &result, 0), xlretSuccess);
    EXPECT_EQ(Describe(xlretSuccess, &result), "str:C:\\ADDINS\\MEZURA32.XLL");
}

TEST_F(HostCoercionTest, FunctionsTheHostDoesNotKnowAreRecordedAndFail) {
    XLOPER result{};
    EXPECT_EQ(Excel4(4321, &result, 0), xlretFailed);
    EXPECT_EQ(Excel4(12345, nullptr, 0), xlretFailed);
    ASSERT_EQ(xlhost::UnhandledCalls().size(), 2u);
    EXPECT_EQ(xlhost::UnhandledCalls()[0].xlfn, 4321);
    EXPECT_EQ(xlhost::UnhandledCalls()[1].xlfn, 12345);
}

}  // namespace

namespace {

// Records of every type word, sensible or not, must be refused or answered, never crash the host.
TEST_F(HostCoercionTest, AnyTypeWordIsAnsweredOrRefusedWithoutHarm) {
    const WORD typeWords[] = {0, xltypeNum, xltypeStr, xltypeBool, xltypeRef, xltypeErr, 32, xltypeMulti,
                              xltypeMissing, xltypeNil, 512, xltypeSRef, xltypeInt, 0x1000, 0x2000,
                              xltypeStr | xlbitDLLFree, xltypeMulti | xlbitDLLFree, 0x8000, 0xFFFF};
    const WORD wanted[] = {xltypeNum, xltypeInt, xltypeStr, xltypeBool, xltypeErr, xltypeMulti,
                           xltypeRef, xltypeSRef, xltypeNil, 0, 0xFFFF};
    CountedText text("abc");
    XLOPER element = Num(1);
    for (WORD typeWord : typeWords) {
        // Pointers that are null or point at real storage: the host must not follow garbage.
        XLOPER source{};
        source.xltype = typeWord;
        WORD plain = WORD(typeWord & ~xlbitDLLFree);
        if (plain == xltypeStr) source.val.str = text.get();
        if (plain == xltypeMulti) source.val.array = {&element, 1, 1};
        for (WORD type : wanted) {
            XLOPER typeRecord = MakeTypeRecord(type);
            XLOPER result{};
            int status = Excel4(xlCoerce, &result, 2, &source, &typeRecord);
            if (status == xlretSuccess) FreeHostRecord(&result);
            else EXPECT_EQ(status, xlretFailed) << "type word " << typeWord << " to " << type;
        }
        XLOPER result{};
        if (Excel4(xlCoerce, &result, 1, &source) == xlretSuccess) FreeHostRecord(&result);
    }
    XLOPER result{};
    EXPECT_EQ(Excel4(xlCoerce, &result, 0), xlretInvCount);
    EXPECT_EQ(Excel4(xlCoerce, &result, 3, &element, &element, &element), xlretInvCount);
    EXPECT_EQ(Excel4(xlCoerce, nullptr, 1, &element), xlretFailed);
}

}  // namespace

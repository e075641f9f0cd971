// Reads a sheet file: the cells the runner puts on Sheet1 and the formulas it evaluates (format in sheet_file.h).
#include "sheet_file.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "coercion.h"

namespace xlhost {

namespace {

bool IsAlpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

bool SameWord(const std::string& word, const char* upper) {
    if (word.size() != std::char_traits<char>::length(upper)) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(word[i])) != upper[i]) return false;
    return true;
}

// One line being read, and the first thing found wrong with it (with the place it starts).
class LineReader {
public:
    explicit LineReader(const std::string& line) : line_(&line) {}

    void SkipBlanks() {
        while (pos_ < line_->size() && IsBlank((*line_)[pos_])) ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= line_->size();
    }
    char Peek() {
        SkipBlanks();
        return pos_ < line_->size() ? (*line_)[pos_] : 0;
    }
    size_t Position() {
        SkipBlanks();
        return pos_;
    }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }
    // A run of letters, digits, '.', ':', '+', '-' and '_': a name, a number or a cell area.
    std::string Word() {
        size_t start = Position();
        while (pos_ < line_->size()) {
            char c = (*line_)[pos_];
            bool sign = (c == '+' || c == '-') &&
                        (pos_ == start || (*line_)[pos_ - 1] == 'e' || (*line_)[pos_ - 1] == 'E');
            if (!IsAlpha(c) && !IsDigit(c) && c != '.' && c != ':' && c != '_' && !sign) break;
            ++pos_;
        }
        return line_->substr(start, pos_ - start);
    }
    // A quoted text starting here ("" inside stands for one "); false when it never closes.
    bool Quoted(std::string* out) {
        size_t open = Position();
        ++pos_;
        out->clear();
        while (pos_ < line_->size()) {
            char c = (*line_)[pos_++];
            if (c != '"') {
                out->push_back(c);
            } else if (pos_ < line_->size() && (*line_)[pos_] == '"') {
                out->push_back('"');
                ++pos_;
            } else {
                return true;
            }
        }
        return Fail(open, "the text that starts here has no closing quote");
    }
    // What follows the end of a complete entry, as an error.
    bool FailOnRest(const char* after) {
        size_t at = Position();
        if ((*line_)[at] == '#')
            return Fail(at, std::string("a comment needs a line of its own, not one after ") + after);
        return Fail(at, Quote(line_->substr(at)) + " after " + after + " is not understood");
    }

    bool Fail(size_t at, const std::string& what) {
        if (error_.empty()) {
            error_ = what;
            errorAt_ = at;
        }
        return false;
    }
    const std::string& Error() const { return error_; }
    size_t ErrorAt() const { return errorAt_; }

private:
    const std::string* line_;
    size_t pos_ = 0;
    std::string error_;
    size_t errorAt_ = 0;
};

// Letters then digits, like a cell; says nothing of whether the cell exists.
bool LooksLikeCell(const std::string& text) {
    size_t letters = 0;
    while (letters < text.size() && IsAlpha(text[letters])) ++letters;
    size_t end = letters;
    while (end < text.size() && IsDigit(text[end])) ++end;
    return letters > 0 && end > letters && end == text.size();
}

bool LooksLikeArea(const std::string& text) {
    size_t colon = text.find(':');
    return LooksLikeCell(text.substr(0, colon)) &&
           (colon == std::string::npos || LooksLikeCell(text.substr(colon + 1)));
}

bool ParseCell(const std::string& text, int* row, int* column, std::string* why) {
    if (!LooksLikeCell(text)) {
        *why = Quote(text) + " is not a cell such as A1 or IV65536";
        return false;
    }
    size_t letters = 0;
    long col = 0;
    for (; IsAlpha(text[letters]); ++letters)
        if (col <= kColumns) col = col * 26 + (std::toupper(static_cast<unsigned char>(text[letters])) - 'A' + 1);
    long number = 0;
    for (size_t i = letters; i < text.size(); ++i)
        if (number <= kRows) number = number * 10 + (text[i] - '0');
    if (col > kColumns) {
        *why = "column " + text.substr(0, letters) + " is past IV, the last column";
    } else if (number < 1) {
        *why = "row 0 does not exist: rows count from 1";
    } else if (number > kRows) {
        *why = "row " + text.substr(letters) + " is past " + std::to_string(kRows) + ", the last row";
    } else {
        *row = int(number - 1);
        *column = int(col - 1);
        return true;
    }
    return false;
}

// A literal or a reference, with what is wrong when it is neither.
bool ParseValue(LineReader& reader, FormulaArgument* argument) {
    size_t at = reader.Position();
    if (reader.Peek() == '"') {
        std::string text;
        if (!reader.Quoted(&text)) return false;
        argument->value = CellValue::Text(text);
        return true;
    }
    std::string word = reader.Word();
    if (word.empty()) {
        char c = reader.Peek();
        return reader.Fail(at, c ? Quote(std::string(1, c)) + " cannot start a value" : "a value is missing");
    }
    double number;
    std::string why;
    if (ParseNumber(word, &number)) {
        argument->value = CellValue::Number(number);
    } else if (SameWord(word, "TRUE") || SameWord(word, "FALSE")) {
        argument->value = CellValue::Boolean(SameWord(word, "TRUE"));
    } else if (!LooksLikeArea(word)) {
        return reader.Fail(at, Quote(word) + " is not a number, TRUE, FALSE or a cell: a text goes in quotes, " +
                                   Quote(word));
    } else if (ParseArea(word, &argument->area, &why)) {
        argument->kind = FormulaArgument::Reference;
    } else {
        return reader.Fail(at, why);
    }
    return true;
}

// (ARGUMENT, ...) after a formula's name.
bool ParseArguments(LineReader& reader, SheetEntry* entry) {
    size_t parenthesis = reader.Position();
    reader.Take('(');
    if (reader.Take(')')) return true;
    do {
        if (reader.Peek() == ')' || reader.Peek() == ',')
            return reader.Fail(reader.Position(), "an argument is missing");
        FormulaArgument argument;
        if (!ParseValue(reader, &argument)) return false;
        entry->arguments.push_back(argument);
    } while (reader.Take(','));
    if (reader.Take(')')) return true;
    if (reader.AtEnd())
        return reader.Fail(parenthesis, "the \"(\" of " + entry->function + " is never closed: \")\" is missing");
    return reader.Fail(reader.Position(), "\",\" or \")\" expected between the arguments of " + entry->function);
}

// What stands right of the "=": a formula or a literal.
bool ParseRight(LineReader& reader, SheetEntry* entry, const std::string& target) {
    size_t at = reader.Position();
    if (reader.Peek() == '=')
        return reader.Fail(at, "a second \"=\": the one after the cell starts the formula, as in " + target +
                                   " = CvtLength(1, \"feet\", \"inches\")");
    if (reader.AtEnd()) return reader.Fail(at, "the value after \"=\" is missing");
    if (reader.Peek() != '"') {
        LineReader ahead = reader;
        std::string word = ahead.Word();
        if (!word.empty() && ahead.Peek() == '(') {
            entry->isFormula = true;
            entry->function = word;
            reader = ahead;
            if (!ParseArguments(reader, entry)) return false;
            return reader.AtEnd() || reader.FailOnRest("the formula");
        }
    }
    FormulaArgument literal;
    if (!ParseValue(reader, &literal)) return false;
    if (literal.kind != FormulaArgument::Value)
        return reader.Fail(at, "a cell's value cannot be another cell; use a formula");
    if (!reader.AtEnd()) return reader.FailOnRest("the value");
    if (entry->target.rowFirst != entry->target.rowLast || entry->target.columnFirst != entry->target.columnLast)
        return reader.Fail(at, "a value fills one cell: " + target + " needs a formula, or one cell on the left");
    entry->value = literal.value;
    return true;
}

bool ParseLine(LineReader& reader, SheetEntry* entry) {
    size_t at = reader.Position();
    if (reader.Peek() == '=') return reader.Fail(at, "no cell before \"=\": a line reads CELL = VALUE, as in A1 = 12");
    std::string target = reader.Word();
    std::string why;
    if (target.empty()) return reader.Fail(at, "a line starts with a cell, as in A1 = 12");
    if (!ParseArea(target, &entry->target, &why)) return reader.Fail(at, why);
    if (!reader.Take('=')) {
        size_t rest = reader.Position();
        return reader.Fail(rest, "\"=\" expected after " + target);
    }
    return ParseRight(reader, entry, target);
}

// The message for a line: where, what, and the line itself with a mark under the place.
std::string Describe(int number, const std::string& line, const LineReader& reader) {
    std::string mark;
    for (size_t i = 0; i < reader.ErrorAt() && i < line.size(); ++i) mark += line[i] == '\t' ? '\t' : ' ';
    return "line " + std::to_string(number) + ", column " + std::to_string(reader.ErrorAt() + 1) + ": " +
           reader.Error() + "\n  " + line + "\n  " + mark + "^";
}

}  // namespace

std::string ColumnLetters(int column) {
    std::string letters;
    if (column >= 26) letters += char('A' + column / 26 - 1);
    letters += char('A' + column % 26);
    return letters;
}

bool ParseArea(const std::string& text, CellArea* area, std::string* why) {
    std::string ignored;
    if (!why) why = &ignored;
    size_t colon = text.find(':');
    CellArea parsed;
    if (!ParseCell(text.substr(0, colon), &parsed.rowFirst, &parsed.columnFirst, why)) return false;
    parsed.rowLast = parsed.rowFirst;
    parsed.columnLast = parsed.columnFirst;
    if (colon != std::string::npos && !ParseCell(text.substr(colon + 1), &parsed.rowLast, &parsed.columnLast, why))
        return false;
    if (parsed.rowLast < parsed.rowFirst || parsed.columnLast < parsed.columnFirst) {
        *why = "the range " + text + " runs backwards: its top left cell comes first";
        return false;
    }
    *area = parsed;
    return true;
}

bool ParseSheet(const std::string& text, std::vector<SheetEntry>* entries, std::string* error) {
    // Editors on Windows begin UTF-8 files with a byte order mark.
    static const std::string kByteOrderMark = "\xEF\xBB\xBF";
    std::istringstream lines(text.compare(0, 3, kByteOrderMark) == 0 ? text.substr(3) : text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        LineReader reader(line);
        if (reader.AtEnd() || reader.Peek() == '#') continue;
        SheetEntry entry;
        entry.line = number;
        if (!ParseLine(reader, &entry)) {
            *error = Describe(number, line, reader);
            return false;
        }
        entries->push_back(entry);
    }
    return true;
}

bool CheckGridSize(const std::vector<SheetEntry>& entries, std::string* error) {
    // The grid is printed from A1 to the last row and column used.
    int lastRow = 0, lastColumn = 0;
    for (const SheetEntry& entry : entries) {
        lastRow = std::max(lastRow, entry.target.rowLast);
        lastColumn = std::max(lastColumn, entry.target.columnLast);
        long long cells = (lastRow + 1LL) * (lastColumn + 1LL);
        if (cells > kMaxGridCells) {
            *error = "line " + std::to_string(entry.line) + ": the grid would reach from A1 to " +
                     ColumnLetters(lastColumn) + std::to_string(lastRow + 1) + ", " + std::to_string(cells) +
                     " cells; the runner shows at most " + std::to_string(kMaxGridCells) +
                     " (a whole column, or 256 rows of every column)";
            return false;
        }
    }
    return true;
}

}  // namespace xlhost

// Reads a sheet file: the cells the runner puts on Sheet1 and the formulas it evaluates (format in sheet_file.h).
#include "sheet_file.h"

#include <cctype>
#include <sstream>

#include "coercion.h"

namespace xlhost {

namespace {

class Scanner {
public:
    explicit Scanner(const std::string& text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }
    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    char Peek() {
        SkipBlanks();
        return pos_ < text_.size() ? text_[pos_] : 0;
    }
    // A run of letters, digits, '.', ':', '+', '-' and '_': a name, a number or a cell area.
    std::string Word() {
        SkipBlanks();
        size_t start = pos_;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            bool signAfterExponent =
                (c == '+' || c == '-') && pos_ > start && (text_[pos_ - 1] == 'e' || text_[pos_ - 1] == 'E');
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':' || c == '_' || signAfterExponent ||
                ((c == '+' || c == '-') && pos_ == start))
                ++pos_;
            else
                break;
        }
        return text_.substr(start, pos_ - start);
    }
    // A quoted text, the opening quote already seen; false when it never closes.
    bool Quoted(std::string* out) {
        out->clear();
        while (pos_ < text_.size()) {
            char c = text_[pos_++];
            if (c != '"') {
                out->push_back(c);
            } else if (pos_ < text_.size() && text_[pos_] == '"') {
                out->push_back('"');
                ++pos_;
            } else {
                return true;
            }
        }
        return false;
    }

private:
    const std::string& text_;
    size_t pos_ = 0;
};

bool ParseCell(const std::string& text, int* row, int* column) {
    size_t i = 0;
    int col = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])) && i < 2) {
        col = col * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == text.size()) return false;
    long number = 0;
    for (size_t j = i; j < text.size(); ++j) {
        if (!std::isdigit(static_cast<unsigned char>(text[j])) || number > kRows) return false;
        number = number * 10 + (text[j] - '0');
    }
    if (col > kColumns || number < 1 || number > kRows) return false;
    *row = int(number - 1);
    *column = col - 1;
    return true;
}

bool SameWord(const std::string& word, const char* upper) {
    if (word.size() != std::char_traits<char>::length(upper)) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(word[i])) != upper[i]) return false;
    return true;
}

// A literal or a reference; false when `scanner` holds neither.
bool ParseValue(Scanner& scanner, FormulaArgument* argument) {
    if (scanner.Take('"')) {
        std::string text;
        if (!scanner.Quoted(&text)) return false;
        argument->value = CellValue::Text(text);
        return true;
    }
    std::string word = scanner.Word();
    if (word.empty()) return false;
    double number;
    if (ParseNumber(word, &number)) {
        argument->value = CellValue::Number(number);
    } else if (SameWord(word, "TRUE") || SameWord(word, "FALSE")) {
        argument->value = CellValue::Boolean(SameWord(word, "TRUE"));
    } else if (ParseArea(word, &argument->area)) {
        argument->kind = FormulaArgument::Reference;
    } else {
        return false;
    }
    return true;
}

bool ParseRight(const std::string& text, SheetEntry* entry) {
    Scanner scanner(text);
    if (scanner.Peek() != '"') {
        // A name followed by '(' makes a formula.
        Scanner ahead(text);
        std::string word = ahead.Word();
        if (!word.empty() && ahead.Take('(')) {
            entry->isFormula = true;
            entry->function = word;
            if (!ahead.Take(')')) {
                do {
                    FormulaArgument argument;
                    if (!ParseValue(ahead, &argument)) return false;
                    entry->arguments.push_back(argument);
                } while (ahead.Take(','));
                if (!ahead.Take(')')) return false;
            }
            return ahead.AtEnd();
        }
    }
    FormulaArgument literal;
    if (!ParseValue(scanner, &literal) || literal.kind != FormulaArgument::Value || !scanner.AtEnd()) return false;
    entry->value = literal.value;
    return true;
}

}  // namespace

std::string ColumnLetters(int column) {
    std::string letters;
    if (column >= 26) letters += char('A' + column / 26 - 1);
    letters += char('A' + column % 26);
    return letters;
}

bool ParseArea(const std::string& text, CellArea* area) {
    size_t colon = text.find(':');
    CellArea parsed;
    if (!ParseCell(text.substr(0, colon), &parsed.rowFirst, &parsed.columnFirst)) return false;
    parsed.rowLast = parsed.rowFirst;
    parsed.columnLast = parsed.columnFirst;
    if (colon != std::string::npos && !ParseCell(text.substr(colon + 1), &parsed.rowLast, &parsed.columnLast))
        return false;
    if (parsed.rowLast < parsed.rowFirst || parsed.columnLast < parsed.columnFirst) return false;
    *area = parsed;
    return true;
}

bool ParseSheet(const std::string& text, std::vector<SheetEntry>* entries, std::string* error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        SheetEntry entry;
        entry.line = number;
        size_t equals = line.find('=');
        std::string target = equals == std::string::npos ? "" : line.substr(first, equals - first);
        while (!target.empty() && std::isspace(static_cast<unsigned char>(target.back()))) target.pop_back();
        if (!ParseArea(target, &entry.target) || !ParseRight(line.substr(equals + 1), &entry) ||
            (!entry.isFormula && (entry.target.rowFirst != entry.target.rowLast ||
                                  entry.target.columnFirst != entry.target.columnLast))) {
            *error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        entries->push_back(entry);
    }
    return true;
}

}  // namespace xlhost

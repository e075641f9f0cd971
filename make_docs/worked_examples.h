// The worked examples of the documents: one call of each worksheet function and its answer.
#pragma once

#include <string>
#include <vector>

struct WorkedExample {
    std::string function;   // "CvtLength"
    std::string arguments;  // as typed between the parentheses
    double number;          // what the cell holds
    std::string label;      // the second cell of a conversion's answer; empty for a tank
    std::vector<std::string> texts;  // the column of texts a list answers (then number is unused)
};

// In registration order, one per worksheet function.
const std::vector<WorkedExample>& WorkedExamples();

// The example of `function`, or null when it has none.
const WorkedExample* WorkedExampleOf(const std::string& function);

// "=CvtLength(12, "inches", "feet")": the formula as typed in a cell.
std::string ExampleFormula(const WorkedExample& example);

// A number as a cell in the General format shows it: at most 15 significant digits.
std::string GeneralFormat(double number);

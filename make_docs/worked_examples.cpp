// The worked examples' table and how the documents write them.
#include "worked_examples.h"

#include <cstdio>

const std::vector<WorkedExample>& WorkedExamples() {
    static const std::vector<WorkedExample> examples = {
#define WORKED_EXAMPLE(function, arguments, number, label) {function, arguments, number, label, {}},
#define WORKED_TEXTS(function, arguments, ...) {function, arguments, 0, "", {__VA_ARGS__}},
#include "worked_examples.inc"
#undef WORKED_EXAMPLE
#undef WORKED_TEXTS
    };
    return examples;
}

const WorkedExample* WorkedExampleOf(const std::string& function) {
    for (const WorkedExample& example : WorkedExamples())
        if (example.function == function) return &example;
    return nullptr;
}

std::string ExampleFormula(const WorkedExample& example) { return "=" + example.function + "(" + example.arguments + ")"; }

std::string GeneralFormat(double number) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", number);
    return text;
}

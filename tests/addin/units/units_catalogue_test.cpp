// The unit catalogue: its labels as prepared, its factors against published sizes, every ordered pair of units converted.
#include <cctype>
#include <cmath>
#include <cstring>
#include <sstream>

#include "published_units.h"
#include "units_test_support.h"

namespace {

using namespace units_test;
using published_units::Quantity;

const Quantity* PublishedSizes(const Conversion& conversion) {
    for (const Quantity& quantity : published_units::kQuantities)
        if (std::strcmp(quantity.function, conversion.name) == 0) return &quantity;
    return nullptr;
}

bool IsTemperature(const Conversion& conversion) { return conversion.convert == CvtTemperature; }

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "mEtErS": every other letter flipped, so neither the stored case nor one fold matches by chance.
std::string Alternating(std::string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        text[i] = char(i % 2 ? std::tolower(c) : std::toupper(c));
    }
    return text;
}

// A temperature in degrees C, and back, by the definitions of the four scales.
long double ToCelsius(int unit, long double v) {
    const long double c[] = {0, v, v - 273.15L, (v - 32) / 1.8L, v / 1.8L - 273.15L};
    return c[unit];
}
long double FromCelsius(int unit, long double c) {
    const long double v[] = {0, c, c + 273.15L, c * 1.8L + 32, (c + 273.15L) * 1.8L};
    return v[unit];
}

using UnitCatalogueTest = UnitsTest;

// The rules every table keeps: indices 1, 2, 3...; labels of 1 to 29 characters, without
// blanks at either end, never digits alone, and distinct within the table whatever their
// letter case; prepared, each is a counted string that still ends in a zero.
TEST_F(UnitCatalogueTest, LabelsArePreparedAndKeepTheCatalogueRules) {
    for (const Conversion& conversion : kConversions) {
        for (WORD i = 0; i < conversion.count; ++i) {
            const UnitEntry& entry = conversion.units[i];
            const char* text = entry.label + 1;
            const size_t length = std::strlen(text);
            SCOPED_TRACE(std::string(conversion.name) + " unit " + std::to_string(i + 1) + " \"" + text + "\"");
            EXPECT_EQ(entry.index, i + 1);
            EXPECT_EQ(static_cast<unsigned char>(entry.label[0]), length) << "length byte";
            EXPECT_TRUE(length >= 1 && length <= 29) << length << " characters";
            EXPECT_TRUE(length == 0 || (text[0] != ' ' && text[length - 1] != ' ')) << "blank at an end";
            EXPECT_NE(std::strspn(text, "0123456789"), length) << "digits alone would read as an index";
            for (WORD earlier = 0; earlier < i; ++earlier)
                EXPECT_NE(Upper(conversion.units[earlier].label + 1), Upper(text)) << "same label as unit " << earlier + 1;
        }
    }
}

TEST_F(UnitCatalogueTest, PreparingAgainChangesNoLabel) {
    auto labels = [] {
        std::string all;
        for (const Conversion& conversion : kConversions)
            for (WORD i = 0; i < conversion.count; ++i) all.append(conversion.units[i].label).push_back('\0');
        return all;
    };
    std::string before = labels();
    PrepareUnitLabels();
    EXPECT_EQ(labels(), before);
}

// Each table holds the published units in its order (an index is what a user types), and each
// factor is how many of its unit make the table's base unit, within what the figure's digits
// allow. The temperature table's factors are never read and stay 1.
TEST_F(UnitCatalogueTest, FactorsAgreeWithPublishedSizes) {
    for (const Conversion& conversion : kConversions) {
        SCOPED_TRACE(conversion.name);
        if (IsTemperature(conversion)) {
            for (WORD i = 0; i < conversion.count; ++i) EXPECT_EQ(conversion.units[i].factor, 1.0);
            continue;
        }
        const Quantity* published = PublishedSizes(conversion);
        ASSERT_NE(published, nullptr) << "no published sizes for its units";
        ASSERT_EQ(published->units.size(), conversion.count);
        const published_units::Unit* base = nullptr;
        for (WORD i = 0; i < conversion.count; ++i) {
            ASSERT_STREQ(conversion.units[i].label + 1, published->units[i].label) << "unit " << i + 1;
            if (conversion.units[i].factor == 1.0 && !base) base = &published->units[i];
        }
        ASSERT_NE(base, nullptr) << "no base unit (factor 1)";
        for (WORD i = 0; i < conversion.count; ++i) {
            const published_units::Unit& unit = published->units[i];
            double expected = base->size / unit.size;
            EXPECT_NEAR(conversion.units[i].factor / expected, 1.0, unit.tolerance + base->tolerance)
                << unit.label << ": factor " << conversion.units[i].factor << ", published " << expected;
        }
    }
}

// Every ordered pair, three ways: by index, by label in capitals, by label in alternating case.
// Both ways give the same bits, the label is the catalogue's own stored text of the unit
// wanted, and the number is the published ratio of the two units (the last bits are pinned by
// the known figures of the conversion tests).
TEST_F(UnitCatalogueTest, EveryOrderedPairConvertsByIndexAndByLabelInAnyCase) {
    const double kValues[] = {12.0, -0.3};
    int calls = 0, expectedCalls = 0, failures = 0;
    std::ostringstream report;
    for (const Conversion& conversion : kConversions) {
        expectedCalls += 2 * 2 * conversion.count * conversion.count;
        const Quantity* published = PublishedSizes(conversion);
        ASSERT_TRUE(published || IsTemperature(conversion)) << conversion.name << ": no published sizes";
        for (int from = 1; from <= conversion.count; ++from) {
            for (int to = 1; to <= conversion.count; ++to) {
                for (double value : kValues) {
                    long double expected, tolerance;
                    if (published) {
                        const auto& a = published->units[from - 1];
                        const auto& b = published->units[to - 1];
                        expected = value * (static_cast<long double>(a.size) / b.size);
                        tolerance = (a.tolerance + b.tolerance) * std::fabs(expected);
                    } else {
                        expected = FromCelsius(to, ToCelsius(from, value));
                        tolerance = 1e-12L * std::fmax(1.0L, std::fabs(expected));
                    }
                    CountedText upperFrom(Upper(conversion.units[from - 1].label + 1));
                    CountedText mixedTo(Alternating(conversion.units[to - 1].label + 1));
                    Answer byIndex = CallAsExcel(conversion.convert, Num(value), Int(short(from)), Int(short(to)));
                    Answer byLabel = CallAsExcel(conversion.convert, Num(value), upperFrom.Record(), mixedTo.Record());
                    calls += 2;
                    bool ok = true;
                    for (const Answer* answer : {&byIndex, &byLabel}) {
                        ok = ok && answer->shapeProblem.empty() && !answer->isError &&
                             answer->labelPointer == conversion.units[to - 1].label &&
                             std::fabs(answer->number - expected) <= tolerance;
                    }
                    ok = ok && Bits(byIndex.number) == Bits(byLabel.number);
                    if (!ok && ++failures <= 10) {
                        report << "\n  " << conversion.name << " " << value << " from " << from << " to " << to
                               << ": by index " << (byIndex.isError ? "error " + std::to_string(byIndex.err) : "")
                               << byIndex.shapeProblem << std::hexfloat << byIndex.number << " \"" << byIndex.label
                               << "\", by label " << byLabel.number << " \"" << byLabel.label << "\", expected "
                               << static_cast<double>(expected) << std::defaultfloat;
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0) << failures << " of " << calls / 2 << " pairs wrong:" << report.str();
    EXPECT_EQ(calls, expectedCalls);
}

}  // namespace

// The add-in's static registration and menu tables: fixed-width rows of placeholder texts and string ids.
#include "registration_table.h"

#include "counted_text.h"

// Columns: procedure, type text, function text, argument names, macro type, category,
// shortcut, help context, function help, argument help count, argument helps.
// The command's ids name string 2015, which the string table does not hold: it registers
// with an empty argument text, category and function help.
RegistrationEntry g_registrationTable[kRegistrationRows + 1] = {
    {" CvtAcceleration", " RRRR", " CvtAcceleration", 2010, " 1", 2021, " ", 1000, 2200, 3, {2100, 2101, 2102, 0}},
    {" CvtArea", " RRRR", " CvtArea", 2010, " 1", 2021, " ", 1001, 2201, 3, {2100, 2101, 2102, 0}},
    {" CvtDensity", " RRRR", " CvtDensity", 2010, " 1", 2021, " ", 1002, 2202, 3, {2100, 2101, 2102, 0}},
    {" CvtEnergy", " RRRR", " CvtEnergy", 2010, " 1", 2021, " ", 1003, 2203, 3, {2100, 2101, 2102, 0}},
    {" CvtEnthalpy", " RRRR", " CvtEnthalpy", 2010, " 1", 2021, " ", 1004, 2213, 3, {2100, 2101, 2102, 0}},
    {" CvtEntropy", " RRRR", " CvtEntropy", 2010, " 1", 2021, " ", 1005, 2214, 3, {2100, 2101, 2102, 0}},
    {" CvtLength", " RRRR", " CvtLength", 2010, " 1", 2021, " ", 1006, 2204, 3, {2100, 2101, 2102, 0}},
    {" CvtMass", " RRRR", " CvtMass", 2010, " 1", 2021, " ", 1007, 2205, 3, {2100, 2101, 2102, 0}},
    {" CvtMassFlow", " RRRR", " CvtMassFlow", 2010, " 1", 2021, " ", 1008, 2206, 3, {2100, 2101, 2102, 0}},
    {" CvtPower", " RRRR", " CvtPower", 2010, " 1", 2021, " ", 1009, 2207, 3, {2100, 2101, 2102, 0}},
    {" CvtPressure", " RRRR", " CvtPressure", 2010, " 1", 2021, " ", 1010, 2208, 3, {2100, 2101, 2102, 0}},
    {" CvtTemperature", " RRRR", " CvtTemperature", 2010, " 1", 2021, " ", 1011, 2209, 3, {2100, 2101, 2102, 0}},
    {" CvtThermCond", " RRRR", " CvtThermCond", 2010, " 1", 2021, " ", 1012, 2216, 3, {2100, 2101, 2102, 0}},
    {" CvtVelocity", " RRRR", " CvtVelocity", 2010, " 1", 2021, " ", 1013, 2210, 3, {2100, 2101, 2102, 0}},
    {" CvtViscosity", " RRRR", " CvtViscosity", 2010, " 1", 2021, " ", 1014, 2215, 3, {2100, 2101, 2102, 0}},
    {" CvtVolume", " RRRR", " CvtVolume", 2010, " 1", 2021, " ", 1015, 2211, 3, {2100, 2101, 2102, 0}},
    {" CvtVolumeFlow", " RRRR", " CvtVolumeFlow", 2010, " 1", 2021, " ", 1016, 2212, 3, {2100, 2101, 2102, 0}},
    {" VolSphere", " RRR", " VolSphere", 2011, " 1", 2020, " ", 1100, 2230, 2, {2103, 2104, 0, 0}},
    {" VolHorzCyl", " RRRR", " VolHorzCyl", 2012, " 1", 2020, " ", 1101, 2231, 3, {2103, 2105, 2106, 0}},
    {" VolHorzCylCap", " RRRRR", " VolHorzCylCap", 2013, " 1", 2020, " ", 1102, 2232, 4, {2103, 2105, 2106, 2107}},
    {" VolVertCyl", " RRRR", " VolVertCyl", 2012, " 1", 2020, " ", 1103, 2233, 3, {2103, 2105, 2106, 0}},
    {" VolTaperedCyl", " RRRRR", " VolTaperedCyl", 2014, " 1", 2020, " ", 1104, 2235, 4, {2103, 2108, 2109, 2106}},
    {" VolVertCylSphCap", " RRRRR", " VolVertCylSphCap", 2013, " 1", 2020, " ", 1105, 2234, 4, {2103, 2105, 2106, 2107}},
    {" MezuraHelp", " A", " MezuraHelp", 2015, " 2", 2015, " ", 3, 2015, 0, {0, 0, 0, 0}},
    // Not a placeholder: the sentinel is never prepared, so its first byte stays a letter.
    {"END", "", "", 0, "", 0, "", 0, 0, 0, {0, 0, 0, 0}},
};

MenuCommandEntry g_menuTable[2] = {
    {2003, " MezuraHelp", " ", 2236, 3, 10, " Help"},
    {0, "", "", 0, 0, 0, ""},
};

bool IsSentinelRow(const RegistrationEntry& entry) {
    // A prepared row starts with its length (under 24) and an unprepared one with a blank,
    // so only the sentinel can read as the letters END.
    const char* text = entry.procedure;
    return (text[0] | 0x20) == 'e' && (text[1] | 0x20) == 'n' && (text[2] | 0x20) == 'd' && text[3] == 0;
}

void PrepareAddinTables() {
    for (RegistrationEntry* entry = g_registrationTable; !IsSentinelRow(*entry); ++entry) {
        PreparePlaceholder(entry->procedure);
        PreparePlaceholder(entry->typeText);
        PreparePlaceholder(entry->functionText);
        PreparePlaceholder(entry->macroType);
        PreparePlaceholder(entry->shortcut);
    }
    for (MenuCommandEntry* entry = g_menuTable; entry->itemTextId != 0; ++entry) {
        PreparePlaceholder(entry->commandName);
        PreparePlaceholder(entry->shortcut);
        PreparePlaceholder(entry->menuName);
    }
}

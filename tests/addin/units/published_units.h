// Published sizes of the catalogue's units in SI units, a source apart from the add-in's own tables.
#pragma once

#include <vector>

namespace published_units {

// Definitions (exact): the international inch, foot, yard, mile and pound (1959), the nautical
// mile, the grain, the US and Imperial gallons, the International Table Btu and calorie, the
// thermochemical calorie, standard gravity and the standard atmosphere.
constexpr double kPi = 3.141592653589793;
constexpr double kInch = 0.0254, kFoot = 0.3048, kYard = 0.9144, kMile = 1609.344, kNauticalMile = 1852;
constexpr double kMil = kInch / 1000, kRod = 16.5 * kFoot, kChain = 66 * kFoot, kAcre = 43560 * kFoot * kFoot;
constexpr double kCubicInch = kInch * kInch * kInch, kCubicFoot = kFoot * kFoot * kFoot;
constexpr double kCubicYard = kYard * kYard * kYard, kAcreFoot = kAcre * kFoot;
constexpr double kGallon = 231 * kCubicInch, kImperialGallon = 4.54609e-3;
constexpr double kBarrel = 42 * kGallon, kBeerBarrel = 31 * kGallon;
constexpr double kPound = 0.45359237, kGrain = 64.79891e-6;
constexpr double kMinute = 60, kHour = 3600, kDay = 86400;
constexpr double kGravity = 9.80665, kPoundForce = kPound * kGravity, kAtmosphere = 101325;
constexpr double kHorsepower = 550 * kFoot * kPoundForce, kMetricHorsepower = 75 * kGravity;
constexpr double kBtu = 1055.05585262, kCalorie = 4.1868, kCalorieTh = 4.184;

// How closely a catalogue factor follows the published size, relative.
constexpr double kNineDigits = 1e-8;  // to nine significant digits or more
constexpr double kSixDigits = 5e-6;   // a figure rounded to about six digits
constexpr double kFourDigits = 5e-5;  // resting on an older value of the unit (a Btu of 1055.04 J, a
                                      // calorie of 4.18674 J, an electronvolt of 1.6021e-19 J)

struct Unit {
    const char* label;
    double size;  // in meters, kilograms, joules, watts, pascals, ... and their quotients
    double tolerance = kNineDigits;
};

struct Quantity {
    const char* function;
    std::vector<Unit> units;  // in the order of the function's table
};

// Every conversion but CvtTemperature, whose units are related by formulas.
inline const Quantity kQuantities[] = {
    {"CvtAcceleration",
     {{"meters/sec/sec", 1}, {"centimeters/sec/sec", 0.01}, {"inches/sec/sec", kInch}, {"feet/sec/sec", kFoot},
      {"kilometers/hour/sec", 1000 / kHour}, {"miles/hour/sec", kMile / kHour}}},
    {"CvtArea",
     {{"square meters", 1}, {"acres", kAcre}, {"ares", 100}, {"circular mils", kPi / 4 * kMil * kMil},
      {"hectares", 1e4}, {"square centimeters", 1e-4}, {"square chains", kChain * kChain},
      {"square feet", kFoot * kFoot}, {"square inches", kInch * kInch}, {"square miles", kMile * kMile},
      {"square perches", kRod * kRod}, {"square poles", kRod * kRod}, {"square rods", kRod * kRod},
      {"square yards", kYard * kYard}}},
    {"CvtDensity",
     {{"pounds/gallon", kPound / kGallon}, {"pounds/cubic foot", kPound / kCubicFoot},
      {"pounds/cubic inch", kPound / kCubicInch}, {"ounces/cubic inch", kPound / 16 / kCubicInch},
      {"short tons/cubic yard", 2000 * kPound / kCubicYard}, {"grains/cubic inch", kGrain / kCubicInch},
      {"grams/liter", 1}, {"kilograms/cubic meter", 1}, {"grains/gallon", kGrain / kGallon},
      {"grams/cubic centimeter", 1000}, {"grams/milliliter", 1000}, {"kilograms/liter", 1000}}},
    {"CvtEnergy",
     {{"joules", 1}, {"Ergs", 1e-7}, {"BTU", kBtu, kFourDigits}, {"BTU(@39degF)", 1059.67, kSixDigits},
      {"BTU(@60degF)", 1054.68, kSixDigits}, {"BTU(mean)", 1055.87, kSixDigits},
      {"BTU(thermochemical)", 1054.350, kSixDigits}, {"calories", kCalorie, kFourDigits},
      {"calories(@15degC)", 4.18580, kSixDigits}, {"calories(@20degC)", 4.18190, kSixDigits},
      {"calories(mean)", 4.19002, kSixDigits}, {"calories(thermochemical)", kCalorieTh},
      {"centigrade heat units", 1.8 * kBtu, kFourDigits}, {"electronvolts", 1.602176634e-19, kFourDigits},
      {"foot-pounds(force)", kFoot * kPoundForce, kSixDigits},
      {"horsepower-hours", kHorsepower * kHour, kSixDigits},
      {"horsepower-hours(metric)", kMetricHorsepower * kHour, kFourDigits},
      {"kilocalories", 1000 * kCalorie, kFourDigits}, {"kilocalories(mean)", 4190.02, kSixDigits},
      {"kilocalories(thermochemical)", 1000 * kCalorieTh}, {"kilowatt-hours", 1000 * kHour},
      {"liter-atmospheres", kAtmosphere / 1000, kFourDigits}, {"megajoules", 1e6},
      {"quads", 1e15 * kBtu, kFourDigits}, {"therms(EEC)", 1.05506e8, kFourDigits},
      {"therms(US)", 1.054804e8, kFourDigits}, {"watt-seconds", 1}, {"watt-hour", kHour},
      {"kilogram-meters", kGravity, kSixDigits}}},
    {"CvtEnthalpy",
     {{"kilojoules/kilogram", 1000, kFourDigits}, {"BTU/pound", kBtu / kPound},
      {"calories/gram", 1000 * kCalorie, kSixDigits}, {"kilocalories/kilogram", 1000 * kCalorie, kSixDigits}}},
    {"CvtEntropy",
     {{"kiloJoules/kilogram-K", 1000, kFourDigits}, {"BTU/pound-degF", kBtu / kPound * 1.8},
      {"calories/gram-degC", 1000 * kCalorie, kSixDigits},
      {"kilocalories/kilogram-degC", 1000 * kCalorie, kSixDigits}, {"Joules/gram-K", 1000, kFourDigits}}},
    {"CvtLength",
     {{"meters", 1}, {"angstroms", 1e-10}, {"centimeters", 0.01}, {"millimeters", 0.001},
      {"chains(engineer's)", 100 * kFoot}, {"chains", kChain}, {"fathoms", 6 * kFoot}, {"feet", kFoot},
      {"furlongs", 660 * kFoot}, {"inches", kInch}, {"links(engineer's)", kFoot}, {"links", 0.66 * kFoot},
      {"miles", kMile}, {"nautical miles", kNauticalMile}, {"mils", kMil}, {"rods", kRod}, {"yards", kYard}}},
    {"CvtMass",
     {{"kilograms", 1}, {"grams", 1e-3}, {"carats", 2e-4}, {"milligrams", 1e-6}, {"metric tons", 1000},
      {"drams", kPound / 256}, {"ounces", kPound / 16}, {"pounds", kPound}, {"short tons", 2000 * kPound},
      {"long tons", 2240 * kPound}, {"grains", kGrain}, {"long hundredweights", 112 * kPound},
      {"short hundredweights", 100 * kPound}, {"pennyweights", 24 * kGrain}, {"troy ounces", 480 * kGrain},
      {"troy pounds", 5760 * kGrain}, {"apothecary drams", 60 * kGrain}, {"apothecary ounces", 480 * kGrain},
      {"apothecary pounds", 5760 * kGrain}, {"apothecary scruples", 20 * kGrain}}},
    {"CvtMassFlow",
     {{"kilograms/sec", 1}, {"kilograms/min", 1 / kMinute}, {"kilograms/hour", 1 / kHour}, {"kilograms/day", 1 / kDay},
      {"grams/sec", 1e-3}, {"grams/min", 1e-3 / kMinute}, {"grams/hour", 1e-3 / kHour}, {"metric tons/sec", 1000},
      {"metric tons/min", 1000 / kMinute}, {"metric tons/hour", 1000 / kHour}, {"metric tons/day", 1000 / kDay},
      {"pounds/sec", kPound}, {"pounds/min", kPound / kMinute}, {"pounds/hour", kPound / kHour},
      {"pounds/day", kPound / kDay}, {"short tons/sec", 2000 * kPound}, {"short tons/min", 2000 * kPound / kMinute},
      {"short tons/hour", 2000 * kPound / kHour}, {"short tons/day", 2000 * kPound / kDay},
      {"long tons/sec", 2240 * kPound}, {"long tons/min", 2240 * kPound / kMinute},
      {"long tons/hour", 2240 * kPound / kHour}, {"long tons/day", 2240 * kPound / kDay}}},
    {"CvtPower",
     {{"kilowatts", 1000}, {"BTU/min", kBtu / kMinute, kFourDigits}, {"BTU/hour", kBtu / kHour, kFourDigits},
      {"foot-pounds/min", kFoot * kPoundForce / kMinute, kSixDigits},
      {"foot-pounds/sec", kFoot * kPoundForce, kSixDigits}, {"horsepower", kHorsepower, kSixDigits},
      {"metric horsepower", kMetricHorsepower, kSixDigits}, {"boiler horsepower", 9809.5},
      {"kilocalories/min", 1000 * kCalorie / kMinute}, {"kilocalories/sec", 1000 * kCalorie},
      {"meter-kilograms(f)/sec", kGravity}}},
    {"CvtPressure",
     {{"pounds/square inch", kPoundForce / (kInch * kInch)},
      {"pounds/square foot", kPoundForce / (kFoot * kFoot)}, {"atmospheres", kAtmosphere}, {"millibars", 100},
      {"bars", 1e5}, {"inches of water", 248.84}, {"feet of water", 12 * 248.84},
      {"inches of mercury", 3376.85, kSixDigits}, {"kips/square inch", 1000 * kPoundForce / (kInch * kInch)},
      {"dynes/square cm", 0.1}, {"grams(f)/square cm", kGravity * 10}, {"kilograms(f)/square cm", kGravity * 1e4},
      {"kilograms(f)/square meter", kGravity}, {"kiloPascals", 1000}, {"Pascals", 1},
      {"torrs", kAtmosphere / 760, kSixDigits}, {"millimeters of mercury", 133.322387415, kSixDigits},
      {"centimeters of mercury", 1333.22387415, kSixDigits}, {"millimeters of water", 9.80638, kSixDigits},
      {"centimeters of water", 98.0638, kSixDigits}, {"megaPascals", 1e6}}},
    {"CvtThermCond",
     {{"kilowatt/meter-K", 1000}, {"watt/meter-K", 1},
      {"BTU/foot-hour-degF", kBtu * 1.8 / (kFoot * kHour), kSixDigits},
      {"calories/centimeter-sec-degC", kCalorieTh * 100}, {"kilocalories/meter-sec-degC", 1000 * kCalorieTh},
      {"kilocalories/meter-hr-degC", 1000 * kCalorieTh / kHour}}},
    {"CvtVelocity",
     {{"miles/hour", kMile / kHour}, {"knots", kNauticalMile / kHour}, {"miles/min", kMile / kMinute},
      {"feet/hour", kFoot / kHour}, {"feet/min", kFoot / kMinute}, {"feet/sec", kFoot}, {"inches/sec", kInch},
      {"centimeters/sec", 0.01}, {"kilometers/hour", 1000 / kHour}, {"meters/hour", 1 / kHour},
      {"meters/min", 1.0 / kMinute}, {"meters/sec", 1}}},
    {"CvtViscosity",
     {{"centipoises", 1e-3}, {"poise", 0.1}, {"grams/centimeter-sec", 0.1},
      {"pounds/foot-sec", kPound / kFoot, kSixDigits}, {"pounds/foot-hour", kPound / kFoot / kHour, kSixDigits},
      {"pounds(force)-sec/square foot", kPoundForce / (kFoot * kFoot), kSixDigits},
      {"kilograms/meter-hour", 1 / kHour}, {"Newton-sec/square meter", 1}, {"Pascal-sec", 1}}},
    {"CvtVolume",
     {{"gallons", kGallon}, {"cubic feet", kCubicFoot}, {"cubic inches", kCubicInch}, {"cubic yards", kCubicYard},
      {"cubic meters", 1}, {"dekaliters", 0.01}, {"fluid drams", kGallon / 1024},
      {"dry gallons", 268.8025 * kCubicInch}, {"Imperial gallons", kImperialGallon, kSixDigits},
      {"gills", kGallon / 32}, {"hectoliters", 0.1}, {"liters", 1e-3}, {"cubic centimeters", 1e-6},
      {"milliliters", 1e-6}, {"minims", kGallon / 61440}, {"fluid ounces", kGallon / 128}, {"pints", kGallon / 8},
      {"quarts", kGallon / 4}, {"acre-feet", kAcreFoot, kSixDigits}, {"barrels(beer)", kBeerBarrel},
      {"barrels", kBarrel}, {"bushels", 2150.42 * kCubicInch}}},
    {"CvtVolumeFlow",
     {{"gallons/hour", kGallon / kHour}, {"gallons/min", kGallon / kMinute}, {"gallons/sec", kGallon},
      {"million gallons/day", 1e6 * kGallon / kDay}, {"acre-feet/hour", kAcreFoot / kHour, kSixDigits},
      {"barrels/day", kBarrel / kDay}, {"barrels/hour", kBarrel / kHour}, {"barrels/min", kBarrel / kMinute},
      {"barrels(beer)/day", kBeerBarrel / kDay}, {"barrels(beer)/hour", kBeerBarrel / kHour},
      {"barrels(beer)/min", kBeerBarrel / kMinute}, {"cubic feet/day", kCubicFoot / kDay},
      {"cubic feet/hour", kCubicFoot / kHour}, {"cubic feet/min", kCubicFoot / kMinute},
      {"cubic feet/sec", kCubicFoot}, {"cubic meters/day", 1 / kDay}, {"cubic meters/hour", 1 / kHour},
      {"cubic meters/min", 1 / kMinute}, {"cubic meters/sec", 1}, {"hectoliters/hour", 0.1 / kHour},
      {"hectoliters/min", 0.1 / kMinute}, {"hectoliters/sec", 0.1}, {"liters/hour", 1e-3 / kHour},
      {"liters/min", 1e-3 / kMinute}, {"liters/sec", 1e-3},
      {"Imperial gallons/hour", kImperialGallon / kHour, kSixDigits},
      {"Imperial gallons/min", kImperialGallon / kMinute, kSixDigits},
      {"Imperial gallons/sec", kImperialGallon, kSixDigits}}},
};

}  // namespace published_units

// The unit catalogue's labels and factors, typed again for the tests apart from the add-in's own tables.
#pragma once

#include "addin/units/conversion.h"

namespace units_reference {

struct Unit {
    const char* label;
    double factor;
};

typedef XLOPER*(XLLAPI* CvtFunction)(XLOPER*, XLOPER*, XLOPER*);

struct Category {
    const char* name;
    CvtFunction convert;
    const Unit* units;
    int count;
};

const Unit kAcceleration[] = {
    {"meters/sec/sec", 1.0}, {"centimeters/sec/sec", 100.0}, {"inches/sec/sec", 39.37007874015748},
    {"feet/sec/sec", 3.280839895013123}, {"kilometers/hour/sec", 3.6}, {"miles/hour/sec", 2.236936292054402},
};
const Unit kArea[] = {
    {"square meters", 1.0}, {"acres", 0.000247105381467}, {"ares", 0.01}, {"circular mils", 1973525241.39},
    {"hectares", 0.0001}, {"square centimeters", 10000.0}, {"square chains", 0.00247105381467},
    {"square feet", 10.7639104167}, {"square inches", 1550.00310001}, {"square miles", 3.86102158542e-07},
    {"square perches", 0.0395368610347}, {"square poles", 0.0395368610347}, {"square rods", 0.0395368610347},
    {"square yards", 1.1959900463},
};
const Unit kDensity[] = {
    {"pounds/gallon", 1.0}, {"pounds/cubic foot", 7.48051948051948},
    {"pounds/cubic inch", 0.004329004329004329}, {"ounces/cubic inch", 0.06926406926406926},
    {"short tons/cubic yard", 0.100987012987}, {"grains/cubic inch", 30.303030303030305},
    {"grams/liter", 119.826427317}, {"kilograms/cubic meter", 119.826427317}, {"grains/gallon", 7000.0},
    {"grams/cubic centimeter", 0.119826427317}, {"grams/milliliter", 0.119826427317},
    {"kilograms/liter", 0.119826427317},
};
const Unit kEnergy[] = {
    {"joules", 1.0}, {"Ergs", 10000000.0}, {"BTU", 0.000947831}, {"BTU(@39degF)", 0.00094369},
    {"BTU(@60degF)", 0.000948156}, {"BTU(mean)", 0.0009470863}, {"BTU(thermochemical)", 0.000948451414752},
    {"calories", 0.238849}, {"calories(@15degC)", 0.238903}, {"calories(@20degC)", 0.239126},
    {"calories(mean)", 0.238662}, {"calories(thermochemical)", 0.2390057361376673},
    {"centigrade heat units", 0.000526573}, {"electronvolts", 6.24181e+18}, {"foot-pounds(force)", 0.737562},
    {"horsepower-hours", 3.72506e-07}, {"horsepower-hours(metric)", 3.7767e-07},
    {"kilocalories", 0.000238849}, {"kilocalories(mean)", 0.000238662},
    {"kilocalories(thermochemical)", 0.0002390057361376673}, {"kilowatt-hours", 2.7777777777777776e-07},
    {"liter-atmospheres", 0.00986894}, {"megajoules", 1e-06}, {"quads", 9.47831e-19},
    {"therms(EEC)", 9.47831e-09}, {"therms(US)", 9.48058e-09}, {"watt-seconds", 1.0},
    {"watt-hour", 0.0002777777777777778}, {"kilogram-meters", 0.1019716},
};
const Unit kEnthalpy[] = {
    {"kilojoules/kilogram", 2.325966}, {"BTU/pound", 1.0}, {"calories/gram", 0.5555554},
    {"kilocalories/kilogram", 0.5555554},
};
const Unit kEntropy[] = {
    {"kiloJoules/kilogram-K", 4.18674}, {"BTU/pound-degF", 1.0}, {"calories/gram-degC", 0.999998},
    {"kilocalories/kilogram-degC", 0.999998}, {"Joules/gram-K", 4.18674},
};
const Unit kLength[] = {
    {"meters", 1.0}, {"angstroms", 10000000000.0}, {"centimeters", 100.0}, {"millimeters", 1000.0},
    {"chains(engineer's)", 0.03280839895013123}, {"chains", 0.049709695378986715},
    {"fathoms", 0.5468066491688539}, {"feet", 3.280839895013123}, {"furlongs", 0.004970969537898671},
    {"inches", 39.37007874015748}, {"links(engineer's)", 3.280839895013123}, {"links", 4.970969537898672},
    {"miles", 0.0006213711922373339}, {"nautical miles", 0.0005399568034557236}, {"mils", 39370.07874015748},
    {"rods", 0.19883878151594686}, {"yards", 1.0936132983377078},
};
const Unit kMass[] = {
    {"kilograms", 1.0}, {"grams", 1000.0}, {"carats", 5000.0}, {"milligrams", 1000000.0},
    {"metric tons", 0.001}, {"drams", 564.3833911932866}, {"ounces", 35.27396194958041},
    {"pounds", 2.2046226218487757}, {"short tons", 0.001102311310924388},
    {"long tons", 0.0009842065276110606}, {"grains", 15432.35835294143},
    {"long hundredweights", 0.01968413055222121}, {"short hundredweights", 0.022046226218487758},
    {"pennyweights", 643.0149313725597}, {"troy ounces", 32.15074656862798},
    {"troy pounds", 2.6792288807189983}, {"apothecary drams", 257.20597254902384},
    {"apothecary ounces", 32.15074656862798}, {"apothecary pounds", 2.6792288807189983},
    {"apothecary scruples", 771.6179176470715},
};
const Unit kMassFlow[] = {
    {"kilograms/sec", 1.0}, {"kilograms/min", 60.0}, {"kilograms/hour", 3600.0}, {"kilograms/day", 86400.0},
    {"grams/sec", 1000.0}, {"grams/min", 60000.0}, {"grams/hour", 3600000.0}, {"metric tons/sec", 0.001},
    {"metric tons/min", 0.06}, {"metric tons/hour", 3.6}, {"metric tons/day", 86.4},
    {"pounds/sec", 2.2046226218487757}, {"pounds/min", 132.27735731092653},
    {"pounds/hour", 7936.6414386555925}, {"pounds/day", 190479.39452773423},
    {"short tons/sec", 0.001102311310924388}, {"short tons/min", 0.06613867865546327},
    {"short tons/hour", 3.9683207193277963}, {"short tons/day", 95.23969726386711},
    {"long tons/sec", 0.0009842065276110606}, {"long tons/min", 0.059052391656663636},
    {"long tons/hour", 3.5431434993998185}, {"long tons/day", 85.03544398559563},
};
const Unit kPower[] = {
    {"kilowatts", 1.0}, {"BTU/min", 56.86988171064604}, {"BTU/hour", 3412.1929026387625},
    {"foot-pounds/min", 44253.73}, {"foot-pounds/sec", 737.5621}, {"horsepower", 1.3410222183243177},
    {"metric horsepower", 1.3596211551613258}, {"boiler horsepower", 0.10194199500484225},
    {"kilocalories/min", 14.330753797649757}, {"kilocalories/sec", 0.23884589662749595},
    {"meter-kilograms(f)/sec", 101.97162129779284},
};
const Unit kPressure[] = {
    {"pounds/square inch", 1.0}, {"pounds/square foot", 144.0}, {"atmospheres", 0.0680459639},
    {"millibars", 68.9475729}, {"bars", 0.0689475729}, {"inches of water", 27.7075924},
    {"feet of water", 2.30896603}, {"inches of mercury", 2.041772}, {"kips/square inch", 0.001},
    {"dynes/square cm", 68947.5729}, {"grams(f)/square cm", 70.306958},
    {"kilograms(f)/square cm", 0.070306958}, {"kilograms(f)/square meter", 703.06958},
    {"kiloPascals", 6.89475729}, {"Pascals", 6894.75729}, {"torrs", 51.71492},
    {"millimeters of mercury", 51.71492}, {"centimeters of mercury", 5.171492},
    {"millimeters of water", 703.0889}, {"centimeters of water", 70.30889}, {"megaPascals", 0.00689475729},
};
const Unit kTemperature[] = {
    {"deg. C", 1.0}, {"Kelvin", 1.0}, {"deg. F", 1.0}, {"deg. Rankine", 1.0},
};
const Unit kThermCond[] = {
    {"kilowatt/meter-K", 0.001}, {"watt/meter-K", 1.0}, {"BTU/foot-hour-degF", 0.5777892051642799},
    {"calories/centimeter-sec-degC", 0.002390057361376673},
    {"kilocalories/meter-sec-degC", 0.0002390057361376673}, {"kilocalories/meter-hr-degC", 0.86042065},
};
const Unit kVelocity[] = {
    {"miles/hour", 1.0}, {"knots", 0.868976241}, {"miles/min", 0.016666666666666666}, {"feet/hour", 5280.0},
    {"feet/min", 88.0}, {"feet/sec", 1.4666666666666666}, {"inches/sec", 17.6}, {"centimeters/sec", 44.704},
    {"kilometers/hour", 1.609344}, {"meters/hour", 1609.344}, {"meters/min", 26.8224},
    {"meters/sec", 0.44704},
};
const Unit kViscosity[] = {
    {"centipoises", 1.0}, {"poise", 0.01}, {"grams/centimeter-sec", 0.01}, {"pounds/foot-sec", 0.00067196895},
    {"pounds/foot-hour", 2.419088}, {"pounds(force)-sec/square foot", 2.088543e-05},
    {"kilograms/meter-hour", 3.6}, {"Newton-sec/square meter", 0.001}, {"Pascal-sec", 0.001},
};
const Unit kVolume[] = {
    {"gallons", 1.0}, {"cubic feet", 0.133680556}, {"cubic inches", 231.0}, {"cubic yards", 0.00495113169},
    {"cubic meters", 0.003785411784}, {"dekaliters", 0.3785411784}, {"fluid drams", 1024.0},
    {"dry gallons", 0.859367}, {"Imperial gallons", 0.8326747}, {"gills", 32.0},
    {"hectoliters", 0.03785411784}, {"liters", 3.785411784}, {"cubic centimeters", 3785.411784},
    {"milliliters", 3785.411784}, {"minims", 61440.0}, {"fluid ounces", 128.0}, {"pints", 8.0},
    {"quarts", 4.0}, {"acre-feet", 3.0688967316249808e-06}, {"barrels(beer)", 0.03225806451612903},
    {"barrels", 0.023809523809523808}, {"bushels", 0.107420876},
};
const Unit kVolumeFlow[] = {
    {"gallons/hour", 60.0}, {"gallons/min", 1.0}, {"gallons/sec", 0.016666666666666666},
    {"million gallons/day", 0.00144}, {"acre-feet/hour", 0.00018413380389749884}, {"barrels/day", 34.2857143},
    {"barrels/hour", 1.42857143}, {"barrels/min", 0.023809523809523808}, {"barrels(beer)/day", 46.4516129},
    {"barrels(beer)/hour", 1.93548387}, {"barrels(beer)/min", 0.03225806451612903}, {"cubic feet/day", 192.5},
    {"cubic feet/hour", 8.02083333}, {"cubic feet/min", 0.133680556}, {"cubic feet/sec", 0.00222800926},
    {"cubic meters/day", 5.450992969}, {"cubic meters/hour", 0.227124707},
    {"cubic meters/min", 0.003785411784}, {"cubic meters/sec", 6.30901964e-05},
    {"hectoliters/hour", 2.27124707}, {"hectoliters/min", 0.03785411784}, {"hectoliters/sec", 0.000630901964},
    {"liters/hour", 227.124707}, {"liters/min", 3.785411784}, {"liters/sec", 0.0630901964},
    {"Imperial gallons/hour", 49.960484}, {"Imperial gallons/min", 0.832674734},
    {"Imperial gallons/sec", 0.0138779122},
};

// In the order the add-in registers its functions.
const Category kCategories[] = {
    {"CvtAcceleration", CvtAcceleration, kAcceleration, 6},
    {"CvtArea", CvtArea, kArea, 14},
    {"CvtDensity", CvtDensity, kDensity, 12},
    {"CvtEnergy", CvtEnergy, kEnergy, 29},
    {"CvtEnthalpy", CvtEnthalpy, kEnthalpy, 4},
    {"CvtEntropy", CvtEntropy, kEntropy, 5},
    {"CvtLength", CvtLength, kLength, 17},
    {"CvtMass", CvtMass, kMass, 20},
    {"CvtMassFlow", CvtMassFlow, kMassFlow, 23},
    {"CvtPower", CvtPower, kPower, 11},
    {"CvtPressure", CvtPressure, kPressure, 21},
    {"CvtTemperature", CvtTemperature, kTemperature, 4},
    {"CvtThermCond", CvtThermCond, kThermCond, 6},
    {"CvtVelocity", CvtVelocity, kVelocity, 12},
    {"CvtViscosity", CvtViscosity, kViscosity, 9},
    {"CvtVolume", CvtVolume, kVolume, 22},
    {"CvtVolumeFlow", CvtVolumeFlow, kVolumeFlow, 28},
};

}  // namespace units_reference

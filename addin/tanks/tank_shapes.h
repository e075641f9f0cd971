// Closed-form pieces of the tank volumes: height clamping, spherical cap, upright and horizontal cylinder.
#pragma once

// Brings a material height into [0, top]: first down to the top, then up to 0, so a negative
// top leaves the height at 0.
double ClampHeight(double height, double top);

// Volume of a cap of height x cut from a sphere of radius R.
double VolSphCap(double x, double R);

// Volume of an upright cylinder of height h and radius r.
double VolCyl(double h, double r);

// Volume of material of depth h (0 <= h <= 2r) in a horizontal cylinder of radius r, length L.
double VolHorzCylPart(double h, double r, double L);

// Material in the two ellipsoidal end caps of a horizontal tank, by Simpson's rule.
#pragma once

// Volume of material of depth x (0 <= x <= r) in both end caps together; each cap is half an
// ellipsoid of revolution with semi-axis a along the tank and r across it.
double VolEllipCaps(double x, double r, double a);

// The integration's sample count: 50 intervals.
constexpr int kEllipCapSamples = 51;

#pragma once

// Water at a depth in a circular pipe, as the friction routines and the depth search see it.
struct FlowSection {
    double Theta = 0;           // rad, the sector angle
    double Area = 0;            // m²
    double WettedPerimeter = 0; // m
};

// Raises EInvalidOp for a depth outside 0..diameter and EZeroDivide for a zero diameter.
FlowSection FlowSectionAt(double depth, double diameter);

// 2 acos(1 − 2 ratio), the angle at the pipe's centre subtended by the water surface.
double SectorAngle(double ratio);

// Darcy friction factor for roughness ks (m), a flow of the given depth (m) and mean velocity
// V (m/s) in a pipe of diameter D (m); the Colebrook-White equation written on the hydraulic
// radius. A zero velocity raises EZeroDivide; a search that finds no root within its bound
// raises EInvalidOp.
double ColebrookWhite(double ks, double depth, double V, double D);

// Manning's n equivalent to Colebrook-White for a flow Q (m³/s) at the depth (m) in a pipe of
// diameter D (m); the friction factor found goes to frictionFactor when it is given.
double ManningNFromColebrookWhite(double depth, double D, double Q, double ks,
                                  double* frictionFactor = nullptr);

// Escritt's n at the depth (m) in a pipe of diameter D (m).
double ManningNFromEscritt(double depth, double D);

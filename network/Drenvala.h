#pragma once

// A circular pipe running part full: geometry from a depth and a diameter, and Manning
// hydraulics once ManningN and Slope are set. Every Calc operation stores its result in its
// field and returns it.
class Drenvala {
public:
    Drenvala(double depth, double diameter);

    // Clamps the diameter to at least 0.01 m and the depth to 0..diameter, then recomputes
    // every geometric field.
    void SetDepthDiameter(double depth, double diameter);

    double CalcTheta();
    double CalcArea();
    double CalcRadius();
    double CalcSurfaceWidth();
    double CalcWettedPerimeter();
    double CalcHydraulicRadius();
    double CalcDepthRatio();
    double CalcProportionalArea();
    double CalcProportionalRadius();
    // A / D² and R / D of the current depth ratio; they depend on Theta alone.
    double AreaRatio() const;
    double RadiusRatio() const;
    // Raise EInvalidOp for a negative Slope (an uphill pipe has no Manning flow).
    double CalcVelocity();
    double CalcDischarge();
    double CalcProportionalVelocity();
    double CalcProportionalFlow();
    // Velocity, proportional velocity, discharge and proportional flow, in that order.
    void CalcFlow();

    double Theta = 0;           // rad
    double Area = 0;            // m²
    double SurfaceWidth = 0;    // m
    double Diameter = 0;        // m
    double Radius = 0;          // m
    double Depth = 0;           // m
    double WettedPerimeter = 0; // m
    double HydraulicRadius = 0; // m
    double DepthRatio = 0;
    double ProportionalArea = 0;
    // The proportional radius, velocity and flow are taken against the pipe running full
    // (hydraulic radius D/4), so a half-full pipe gives 1, 1 and 0.5.
    double ProportionalRadius = 0;
    double Discharge = 0; // m³/s
    double Velocity = 0;  // m/s
    double ProportionalFlow = 0;
    double ProportionalVelocity = 0;
    double ManningN = 0;
    double Slope = 0;

private:
    double FullBoreHydraulicRadius() const { return Diameter * 0.25; }
    // R^(2/3) × √S, Manning's velocity times n.
    double ManningFactor() const;
};

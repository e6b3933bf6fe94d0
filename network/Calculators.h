#pragma once

#include "framework/AnsiString.h"

// The computations of the section-properties window (TSectionPropsForm) and the
// houses-at-minimum-gradient window (TMinimumGradientForm).
//
// TSectionPropsForm::CalcButtonClick:
//   texts = SectionProperties(DiamEdit->Text, DepthEdit->Text, ManningEdit->Text, SlopeEdit->Text);
//   then each output edit gets the text of the field named after it. A negative slope, or an
//   output that is not finite, raises EInvalidOp or EOverflow, which the framework shows.
// TMinimumGradientForm::CalculateHouses:
//   try { fill a HousesInput with each box's GetFloat; count =
//         HousesAtMinimumGradient(input); numTypedEdit->SetText(IntToStr(count)); }
//   catch (const Exception&) { message "An error occured in the calculation. Check the input
//         data." [3059], caption "Error" [3001], error icon; numTypedEdit keeps its text }

// The longest decimal number at the start of text (after blanks), '.' as the decimal point
// whatever the locale; 0 when there is none or it is out of range.
double LenientNumber(const AnsiString& text);

// The section-properties window's outputs, each "%8.3f".
struct SectionPropertiesTexts {
    AnsiString AEdit;     // area of flow, m²
    AnsiString PEdit;     // wetted perimeter, m
    AnsiString REdit;     // hydraulic radius, m
    AnsiString PAEdit;    // proportional area
    AnsiString PREdit;    // proportional hydraulic radius
    AnsiString ThetaEdit; // sector angle, degrees
    AnsiString BEdit;     // surface width, m
    AnsiString velEdit;   // velocity, m/s
    AnsiString PvelEdit;  // proportional velocity
    AnsiString flowEdit;  // flow, m³/s
    AnsiString PflowEdit; // proportional flow
};

// Reads the four inputs leniently (diameter and depth in m) and computes the part-full section.
SectionPropertiesTexts SectionProperties(const AnsiString& diameter, const AnsiString& depth,
                                         const AnsiString& manningN, const AnsiString& slope);

struct HousesInput {
    double PersonsPerHouse = 0; // popTypedEdit
    double WaterUse = 0;        // lcdTypedEdit, l/cap/day
    double ReturnFactor = 0;    // returnTypedEdit, %
    double PeakFactor = 0;      // peakTypedEdit
    double DepthRatio = 0;      // dDTypedEdit
    double Tau = 0;             // tauTypedEdit, Pa
    double ManningN = 0;        // nTypedEdit
    double DiameterMm = 0;      // DiameterTypedEdit, mm
};

// How many houses a pipe laid at the gradient giving the tractive tension at the depth ratio can
// serve. A house flow, n, depth ratio or diameter of zero or less raises EZeroDivide or
// EInvalidOp; a count that is not finite or beyond a 32-bit integer raises EOverflow.
int HousesAtMinimumGradient(const HousesInput& input);

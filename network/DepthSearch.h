#pragma once

// Depth of flow (m, a whole number of millimetres) at which a circular pipe of diameter D (m)
// laid at slope S carries Q (m³/s) by Manning's equation with coefficient n: the first
// millimetre whose capacity reaches Q. A flow of zero or less, or one below what 1 mm carries,
// gives 0; a flow beyond the pipe's capacity gives the deepest millimetre tried, just under D.
// A zero n raises EZeroDivide and a negative slope EInvalidOp.
double DepthForFlow(double n, double D, double S, double Q);

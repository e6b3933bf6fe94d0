#pragma once

// Some of Qt's vector code (its image fill, which every window's painting runs) returns with the
// upper halves of the AVX registers still in use. Until something clears them, every SSE
// instruction of the program (all of its arithmetic) runs at a fraction of its speed: a shown
// window made the network's design take twice as long. Handlers from Qt and the long
// computations start by clearing them; on a processor without AVX this does nothing.
void ClearUpperVectorState();

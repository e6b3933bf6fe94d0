#pragma once

#include <cstddef>
#include <span>

class Sewer;

// On a large network the sewers of a list, their junctions and the sewers above them each lie
// apart in memory. A loop over the list calls this before it works on sewers[at]: it asks for
// what the loop will read a few sewers ahead, following the chain from a sewer to its junctions
// to the sewers above, one link a step.
void FetchSewersAhead(std::span<Sewer* const> sewers, std::size_t at);

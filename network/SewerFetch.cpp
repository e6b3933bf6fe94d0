#include "network/SewerFetch.h"

#include "network/Sewer.h"
#include "network/Sewernode.h"

namespace {

// Sewers between the links of the chain: far enough for memory to answer, near enough for the
// lines to stay in cache.
constexpr std::size_t Step = 4;
constexpr std::size_t CacheLine = 64;

void FetchObject(const void* object, std::size_t size) {
    const auto* bytes = static_cast<const char*>(object);
    for (std::size_t offset = 0; offset < size; offset += CacheLine)
        __builtin_prefetch(bytes + offset);
}

} // namespace

void FetchSewersAhead(std::span<Sewer* const> sewers, std::size_t at) {
    const std::size_t count = sewers.size();
    if (at + 4 * Step < count)
        FetchObject(sewers[at + 4 * Step], sizeof(Sewer));
    if (at + 3 * Step < count) {
        const Sewer& s = *sewers[at + 3 * Step];
        for (const SewerNode* node : {s.UpstreamNode, s.DownstreamNode})
            if (node)
                FetchObject(node, sizeof(SewerNode));
    }
    if (at + 2 * Step < count)
        if (const SewerNode* node = sewers[at + 2 * Step]->UpstreamNode)
            __builtin_prefetch(node->ConnectedSewers.data());
    if (at + Step < count)
        if (const SewerNode* node = sewers[at + Step]->UpstreamNode)
            for (const Sewer* t : node->ConnectedSewers) {
                __builtin_prefetch(&t->DownstreamNode);
                __builtin_prefetch(&t->InitialTotalQ);
                __builtin_prefetch(&t->FinalRawFlow);
            }
}

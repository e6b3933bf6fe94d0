#include "network/NetworkFileWriter.h"

namespace {
constexpr std::size_t BlockSize = 256 * 1024;
} // namespace

NetworkFileWriter::NetworkFileWriter(Sink sink) : sink(std::move(sink)), block(BlockSize) {
    end = block.data();
    limit = block.data() + block.size();
}

void NetworkFileWriter::HandOn(std::size_t size) {
    const std::size_t used = static_cast<std::size_t>(end - block.data());
    // After a failure nothing more is written, and nothing of the file is kept.
    if (!failed && used > 0)
        failed = !sink(std::string_view(block.data(), used));
    // A text longer than a block makes the block grow with it.
    if (block.size() < size)
        block.resize(size);
    end = block.data();
    limit = block.data() + block.size();
}

bool NetworkFileWriter::Finish() {
    HandOn(0);
    return !failed;
}

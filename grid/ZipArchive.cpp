#include "grid/ZipArchive.h"

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

std::optional<ZipArchive> ZipArchive::Open(std::string bytes) {
    ZipArchive result;
    // The source owns its bytes: writing the archive back replaces them.
    const std::size_t size = bytes.size();
    void* data = std::malloc(std::max<std::size_t>(size, 1));
    if (!data)
        return std::nullopt;
    std::memcpy(data, bytes.data(), size);
    bytes = {};
    zip_error_t error;
    zip_error_init(&error);
    result.source = zip_source_buffer_create(data, size, 1, &error);
    if (!result.source)
        std::free(data);
    if (result.source)
        result.archive = zip_open_from_source(result.source, ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    if (!result.archive)
        return std::nullopt;
    // The archive is written back into the source, which must outlive it.
    zip_source_keep(result.source);
    return result;
}

ZipArchive ZipArchive::Create() {
    ZipArchive result;
    zip_error_t error;
    zip_error_init(&error);
    result.source = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (result.source)
        result.archive = zip_open_from_source(result.source, ZIP_CREATE | ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (result.archive)
        zip_source_keep(result.source);
    return result;
}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : source(std::exchange(other.source, nullptr)), archive(std::exchange(other.archive, nullptr)),
      written(std::move(other.written)) {}

ZipArchive::~ZipArchive() {
    if (archive)
        zip_discard(archive);
    if (source)
        zip_source_free(source);
}

bool ZipArchive::Has(std::string_view name) const {
    return archive && zip_name_locate(archive, std::string(name).c_str(), 0) >= 0;
}

std::optional<std::string> ZipArchive::Read(std::string_view name, std::uint64_t Limit) const {
    if (!archive)
        return std::nullopt;
    const zip_int64_t index = zip_name_locate(archive, std::string(name).c_str(), 0);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        !(stat.valid & ZIP_STAT_SIZE) || stat.size > Limit)
        return std::nullopt;
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
    if (!file)
        return std::nullopt;
    // The header's size may lie: what lies past it is read a block at a time, so that a true
    // header costs no larger buffer, and no further than a block past the limit.
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    std::size_t got = 0;
    bool good = true;
    while (got <= Limit) {
        char block[4096];
        const bool past = got == bytes.size();
        const zip_int64_t n = past ? zip_fread(file, block, sizeof block)
                                   : zip_fread(file, bytes.data() + got, bytes.size() - got);
        if (n < 0)
            good = false;
        if (n <= 0)
            break;
        if (past)
            bytes.append(block, static_cast<std::size_t>(n));
        got += static_cast<std::size_t>(n);
    }
    zip_fclose(file);
    if (!good || got > Limit)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

bool ZipArchive::Write(std::string_view name, std::string bytes) {
    if (!archive)
        return false;
    const std::string& kept = written.emplace_back(std::move(bytes));
    zip_source_t* entry = zip_source_buffer(archive, kept.data(), kept.size(), 0);
    if (!entry)
        return false;
    const zip_int64_t index =
        zip_file_add(archive, std::string(name).c_str(), entry, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(entry);
        return false;
    }
    // The fastest deflate: large sheets pack to nearly the same size. The library takes a level
    // only with a change of method, and otherwise packs with its slowest: an entry that was
    // deflated already is asked for its default method, which is deflate too.
    zip_stat_t original;
    const bool deflated =
        zip_stat_index(archive, static_cast<zip_uint64_t>(index), ZIP_FL_UNCHANGED, &original) == 0 &&
        (original.valid & ZIP_STAT_COMP_METHOD) && original.comp_method == ZIP_CM_DEFLATE;
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                             deflated ? ZIP_CM_DEFAULT : ZIP_CM_DEFLATE, 1);
    return true;
}

void ZipArchive::Remove(std::string_view name) {
    const zip_int64_t index = archive ? zip_name_locate(archive, std::string(name).c_str(), 0) : -1;
    if (index >= 0)
        zip_delete(archive, static_cast<zip_uint64_t>(index));
}

std::optional<std::string> ZipArchive::Finish() {
    if (!archive || zip_close(archive) != 0)
        return std::nullopt;
    archive = nullptr;
    std::string bytes;
    if (zip_source_open(source) != 0)
        return std::nullopt;
    char buffer[1 << 16];
    zip_int64_t n;
    while ((n = zip_source_read(source, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(n));
    zip_source_close(source);
    if (n < 0)
        return std::nullopt;
    return bytes;
}

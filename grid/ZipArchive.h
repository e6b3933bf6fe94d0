#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;
struct zip_source;

// A ZIP archive held in memory: read from bytes or begun empty, its entries read with a size
// limit, replaced or added, and written back as bytes. Entries not replaced keep their bytes.
class ZipArchive {
public:
    // An archive of the bytes; nullopt when they are no ZIP archive.
    static std::optional<ZipArchive> Open(std::string bytes);
    static ZipArchive Create();
    ZipArchive(ZipArchive&& other) noexcept;
    ZipArchive& operator=(ZipArchive&&) = delete;
    ~ZipArchive();

    bool Has(std::string_view name) const;
    // The unpacked bytes of an entry; nullopt when it is missing, damaged or would unpack to more
    // than Limit bytes (refused before unpacking when its header says so).
    std::optional<std::string> Read(std::string_view name, std::uint64_t Limit) const;
    // Sets an entry's bytes, adding it when missing; false when the archive refuses.
    bool Write(std::string_view name, std::string bytes);
    void Remove(std::string_view name);
    // The whole archive as bytes; nullopt when it cannot be written. The archive is closed.
    std::optional<std::string> Finish();

private:
    ZipArchive() = default;

    zip_source* source = nullptr;
    zip* archive = nullptr;
    // Bytes of written entries, kept until the archive is finished.
    std::deque<std::string> written;
};

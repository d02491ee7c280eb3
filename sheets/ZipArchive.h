// SPDX-License-Identifier: MIT
// The ZIP container of a spreadsheet, read from memory, its parts unpacked within limits.
#pragma once

#include <PairTable.h>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace sheets {

struct MemoryFile;

// What all the parts read from one file may unpack to, and what one part may: far beyond any
// table of kMaxPairs rows, and far below what a ZIP bomb would take.
inline constexpr std::size_t kMaxUnpackedBytes = std::size_t{16} * 1024 * 1024;
inline constexpr std::size_t kMaxPartBytes = std::size_t{8} * 1024 * 1024;

// The parts of a spreadsheet's package, by name.
class Parts {
public:
    virtual ~Parts() = default;
    [[nodiscard]] virtual bool Has(const std::string& name) = 0;
    // The part's bytes, or the fault of the whole file (line 0).
    [[nodiscard]] virtual std::variant<std::string, quiz::TableError>
    Read(const std::string& name) = 0;
};

class ZipArchive final : public Parts {
public:
    // Nothing when the bytes are no ZIP archive that can be read. The bytes must outlive it.
    [[nodiscard]] static std::unique_ptr<ZipArchive> Open(std::string_view bytes);
    ~ZipArchive() override;
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    ZipArchive(ZipArchive&&) = delete;
    ZipArchive& operator=(ZipArchive&&) = delete;

    [[nodiscard]] bool Has(const std::string& name) override;
    // The part, unpacked and checked against its CRC, or the fault: missing, encrypted, over
    // a limit, or damaged.
    [[nodiscard]] std::variant<std::string, quiz::TableError>
    Read(const std::string& name) override;

    // Read's fault for a part that the program needs and the file lacks.
    [[nodiscard]] static quiz::TableError Missing(const std::string& name);
    // The fault of a workbook that only its password opens.
    [[nodiscard]] static quiz::TableError Encrypted();
    // The fault of a part that is not what its format says.
    [[nodiscard]] static quiz::TableError Damaged(const std::string& name);

private:
    ZipArchive() = default;

    std::unique_ptr<MemoryFile> m_file;
    void* m_zip = nullptr;
    std::size_t m_unpacked = 0;
};

} // namespace sheets

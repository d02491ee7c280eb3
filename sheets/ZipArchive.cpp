// SPDX-License-Identifier: MIT
#include "ZipArchive.h"

#include <algorithm>
#include <array>
#include <minizip/unzip.h>
#include <optional>

namespace sheets {

struct MemoryFile {
    std::string_view bytes;
    std::size_t at = 0;
};

namespace {

constexpr unsigned kEncryptedFlag = 1U;

// minizip's file functions, over the bytes in memory: nothing is written, and the one
// "file" minizip opens is the source itself.
voidpf OpenSource(voidpf opaque, const void* /*name*/, int /*mode*/) {
    return opaque;
}

uLong ReadSource(voidpf /*opaque*/, voidpf stream, void* buffer, uLong size) {
    auto& file = *static_cast<MemoryFile*>(stream);
    const std::size_t count = std::min<std::size_t>(size, file.bytes.size() - file.at);
    std::copy_n(file.bytes.data() + file.at, count, static_cast<char*>(buffer));
    file.at += count;
    return static_cast<uLong>(count);
}

uLong WriteNothing(voidpf /*opaque*/, voidpf /*stream*/, const void* /*buffer*/, uLong /*size*/) {
    return 0;
}

ZPOS64_T TellSource(voidpf /*opaque*/, voidpf stream) {
    return static_cast<MemoryFile*>(stream)->at;
}

long SeekSource(voidpf /*opaque*/, voidpf stream, ZPOS64_T offset, int origin) {
    auto& file = *static_cast<MemoryFile*>(stream);
    const std::size_t size = file.bytes.size();
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        base = file.at;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        base = size;
    }
    if (offset > size || base > size - offset) {
        return -1;
    }
    file.at = static_cast<std::size_t>(base + offset);
    return 0;
}

int CloseSource(voidpf /*opaque*/, voidpf /*stream*/) {
    return 0;
}

int SourceError(voidpf /*opaque*/, voidpf /*stream*/) {
    return 0;
}

std::string Quoted(const std::string& name) {
    return "„" + name + "“";
}

} // namespace

std::unique_ptr<ZipArchive> ZipArchive::Open(std::string_view bytes) {
    std::unique_ptr<ZipArchive> archive(new ZipArchive);
    archive->m_file = std::make_unique<MemoryFile>(MemoryFile{bytes, 0});
    zlib_filefunc64_def functions{OpenSource, ReadSource,  WriteNothing, TellSource,
                                  SeekSource, CloseSource, SourceError,  archive->m_file.get()};
    archive->m_zip = unzOpen2_64("", &functions);
    if (archive->m_zip == nullptr) {
        return nullptr;
    }
    return archive;
}

ZipArchive::~ZipArchive() {
    if (m_zip != nullptr) {
        unzClose(m_zip);
    }
}

bool ZipArchive::Has(const std::string& name) {
    return unzLocateFile(m_zip, name.c_str(), 1) == UNZ_OK;
}

std::variant<std::string, quiz::TableError> ZipArchive::Read(const std::string& name) {
    if (!Has(name)) {
        return Missing(name);
    }
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return Damaged(name);
    }
    if ((info.flag & kEncryptedFlag) != 0) {
        return Encrypted();
    }
    const auto overLimit = [this, &name](std::size_t size) -> std::optional<quiz::TableError> {
        if (size > kMaxPartBytes) {
            return quiz::TableError{0, "частта " + Quoted(name) + " се разархивира до повече от " +
                                           quiz::InMiB(kMaxPartBytes)};
        }
        if (size > kMaxUnpackedBytes - m_unpacked) {
            return quiz::TableError{0, "файлът се разархивира до повече от " +
                                           quiz::InMiB(kMaxUnpackedBytes)};
        }
        return std::nullopt;
    };
    // What the archive says of the size is checked first, then what is really unpacked.
    if (auto fault = overLimit(info.uncompressed_size > kMaxPartBytes
                                   ? kMaxPartBytes + 1
                                   : static_cast<std::size_t>(info.uncompressed_size))) {
        return std::move(*fault);
    }
    if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
        return Damaged(name);
    }
    std::string part;
    std::array<char, std::size_t{64} * 1024> buffer{};
    int read = 0;
    while ((read = unzReadCurrentFile(m_zip, buffer.data(), buffer.size())) > 0) {
        if (auto fault = overLimit(part.size() + static_cast<std::size_t>(read))) {
            unzCloseCurrentFile(m_zip);
            return std::move(*fault);
        }
        part.append(buffer.data(), static_cast<std::size_t>(read));
    }
    if (unzCloseCurrentFile(m_zip) != UNZ_OK || read < 0) {
        return Damaged(name);
    }
    m_unpacked += part.size();
    return part;
}

quiz::TableError ZipArchive::Missing(const std::string& name) {
    return {0, "липсва частта " + Quoted(name) + " (файлът е непълен или повреден)"};
}

quiz::TableError ZipArchive::Encrypted() {
    return {0, "таблицата е защитена с парола: отворете я и я запишете без парола"};
}

quiz::TableError ZipArchive::Damaged(const std::string& name) {
    return {0, "частта " + Quoted(name) + " е повредена"};
}

} // namespace sheets

// SPDX-License-Identifier: MIT
#include "Spreadsheet.h"

#include "SheetTable.h"
#include "ZipArchive.h"

#include <TableFile.h>
#include <algorithm>
#include <array>
#include <cctype>

namespace sheets {
namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kEmptyZipSignature = "PK\x05\x06";
// Excel 97–2003 files, and Excel's encrypted workbooks of every version, are compound files.
constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
// The stream an encrypted workbook keeps its ZIP in, named in UTF-16.
constexpr std::u16string_view kEncryptedStream = u"EncryptedPackage";
constexpr std::string_view kOdsMediaType = "application/vnd.oasis.opendocument.spreadsheet";

// Files that say what they are in their first bytes and are no table, though some are text
// that would otherwise be read as one. HTML may follow a byte-order mark and white space, in
// any case.
constexpr std::array<std::string_view, 6> kOtherSignatures{
    "%PDF-", "{\\rtf", "\x89PNG\r\n\x1A\n", "\xFF\xD8\xFF", "GIF87a", "GIF89a"};
constexpr std::array<std::string_view, 2> kHtmlStarts{"<!doctype html", "<html"};

bool IsOtherDocument(std::string_view bytes) {
    if (std::any_of(kOtherSignatures.begin(), kOtherSignatures.end(),
                    [bytes](std::string_view signature) { return bytes.starts_with(signature); })) {
        return true;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) {
        return false;
    }
    bytes.remove_prefix(start);
    return std::any_of(kHtmlStarts.begin(), kHtmlStarts.end(), [bytes](std::string_view tag) {
        return bytes.size() >= tag.size() &&
               std::equal(tag.begin(), tag.end(), bytes.begin(), [](char a, char b) {
                   return a == std::tolower(static_cast<unsigned char>(b));
               });
    });
}

quiz::TableError NotATable() {
    return {0, "това не е таблица: запишете я от Excel или LibreOffice като .xlsx, .ods или .csv"};
}

bool HoldsEncryptedStream(std::string_view bytes) {
    std::string name;
    for (const char16_t c : kEncryptedStream) {
        name.push_back(static_cast<char>(c & 0xFFU));
        name.push_back(static_cast<char>(c >> 8U));
    }
    return bytes.find(name) != std::string_view::npos;
}

std::variant<quiz::PairTable, quiz::TableError> ReadArchive(std::string_view bytes,
                                                            std::string title) {
    const std::unique_ptr<ZipArchive> archive = ZipArchive::Open(bytes);
    if (!archive) {
        return quiz::TableError{0, "файлът е повреден: архивът в него не се чете"};
    }
    if (archive->Has("xl/workbook.xml")) {
        return ReadXlsx(*archive, std::move(title));
    }
    if (archive->Has("mimetype")) {
        auto mediaType = archive->Read("mimetype");
        if (auto* fault = std::get_if<quiz::TableError>(&mediaType)) {
            return std::move(*fault);
        }
        if (std::get<std::string>(mediaType) != kOdsMediaType) {
            return NotATable();
        }
        return ReadOds(*archive, std::move(title));
    }
    // Without a media type, a spreadsheet's content is still told by its name.
    if (archive->Has("content.xml")) {
        return ReadOds(*archive, std::move(title));
    }
    // An Office document names its kind in its list of parts; only a workbook's is missed.
    constexpr const char* kTypes = "[Content_Types].xml";
    if (archive->Has(kTypes)) {
        auto types = archive->Read(kTypes);
        if (auto* fault = std::get_if<quiz::TableError>(&types)) {
            return std::move(*fault);
        }
        if (std::get<std::string>(types).find(".spreadsheetml.") != std::string::npos) {
            return ZipArchive::Missing("xl/workbook.xml");
        }
    }
    return NotATable();
}

} // namespace

std::variant<quiz::PairTable, quiz::TableError> ReadTableFile(std::string_view bytes,
                                                              std::string title) {
    if (bytes.starts_with(kZipSignature) || bytes.starts_with(kEmptyZipSignature)) {
        if (bytes.size() > kMaxSpreadsheetBytes) {
            return quiz::TableError{0, "файлът е по-голям от " + quiz::InMiB(kMaxSpreadsheetBytes)};
        }
        return ReadArchive(bytes, std::move(title));
    }
    if (bytes.starts_with(kCompoundFileSignature)) {
        if (HoldsEncryptedStream(bytes)) {
            return ZipArchive::Encrypted();
        }
        return quiz::TableError{0, "файлът е във формата на Excel 97–2003: запишете го като "
                                   ".xlsx или .csv"};
    }
    // No text a table is saved in has a zero byte, but UTF-16, which says so at its start.
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if ((!utf16 && bytes.find('\0') != std::string_view::npos) || IsOtherDocument(bytes)) {
        return NotATable();
    }
    return quiz::ReadTable(bytes, std::move(title));
}

} // namespace sheets

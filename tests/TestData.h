// SPDX-License-Identifier: MIT
// The engine's tests' files: tables as spreadsheets and text editors saved them.
#pragma once

#include <ProvinceMap.h>
#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace testdata {

inline std::string FileBytes(const std::string& name) {
    std::ifstream file(std::string(TREVIKA_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    EXPECT_TRUE(file.good()) << name;
    return bytes.str();
}

// The provinces as the program ships them, read once.
inline const map::ProvinceMap& Provinces() {
    static const map::ProvinceMap provinces = [] {
        std::ifstream file(TREVIKA_MAP_FILE, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return map::ProvinceMap::Parse(text.str());
    }();
    return provinces;
}

// A file's name as a test's name: its letters and digits, the rest as underscores.
inline std::string TestName(std::string name) {
    const std::size_t slash = name.rfind('/');
    name = slash == std::string::npos ? name : name.substr(slash + 1);
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

} // namespace testdata

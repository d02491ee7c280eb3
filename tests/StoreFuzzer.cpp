// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes as a learner's progress.sqlite. The store must open them, keep
// them aside or leave them be, never crash, and say why whenever it does not record; what it
// opens it reads from; what it records
// reads back; a file kept aside holds exactly the bytes given.
#include <Store.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "store fuzzer: %s\n", what.c_str());
    std::abort();
}

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("trevika-store-fuzz-" + std::to_string(getpid()));
    return folder;
}

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr progress::TimeMs kNow = 1'796'811'300'000;
    std::filesystem::remove_all(Folder());
    std::filesystem::create_directories(Folder());
    const std::filesystem::path file = Folder() / "progress.sqlite";
    const std::string given(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary) << given;
    {
        progress::Store store(file, kNow);
        for (const std::string& learner : store.Learners()) {
            (void)store.Pairs(learner, "Таблица");
            (void)store.Days(learner, "Таблица", 0);
        }
        (void)store.Report("Таблица");
        const bool recorded =
            store.RecordCheck("Ана", "Таблица", {"Ямбол", "Кабиле"}, true, kNow) &&
            store.RecordRound("Ана", "Таблица", {{"Ямбол", "Кабиле"}}, {true}, false, kNow);
        if (recorded && store.Pairs("Ана", "Таблица").at({"Ямбол", "Кабиле"}).good < 1) {
            Fail("a round recorded does not read back");
        }
        if (!store.Recording() && store.Message().empty()) {
            Fail("not recording, and not saying why");
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("progress.damaged-", 0) == 0 || name.rfind("progress.other-", 0) == 0) {
            if (name.find(".sqlite-") == std::string::npos && Bytes(entry.path()) != given) {
                Fail("the file kept aside is not the file given");
            }
        }
    }
    return 0;
}

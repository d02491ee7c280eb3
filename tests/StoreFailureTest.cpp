// SPDX-License-Identifier: MIT
// The progress store where the system fails it: a process killed while it writes, a disk that
// is full, a folder or file that is read-only. POSIX only: each case runs in a child process.
#include "StoreHelpers.h"

#include <csignal>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using storetest::Folder;
using storetest::kNow;

// Runs the body in a child process and returns what it wrote. As root, the child runs as
// nobody, whom permissions bind as they bind a learner.
template <typename Body> std::string InChild(Body body, bool unprivileged = false) {
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        const std::string said = body();
        const ssize_t written = write(out[1], said.data(), said.size());
        _exit(written == static_cast<ssize_t>(said.size()) ? 0 : 1);
    }
    close(out[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return said;
}

std::string Outcome(const progress::Store& store) {
    return std::string(store.Recording() ? "recording" : "not recording") + ": " + store.Message();
}

TEST(StoreFailure, AKilledProcessLosesAtMostTheCheckInFlight) {
    Folder folder;
    std::mt19937 random(12);
    long long acknowledged = 0;
    for (int kill = 0; kill < 20; ++kill) {
        int acks[2];
        ASSERT_EQ(pipe(acks), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(acks[0]);
            progress::Store store(folder.File(), kNow);
            for (int n = 0;; ++n) {
                if (storetest::Check(store, n) && write(acks[1], "+", 1) != 1) {
                    _exit(1);
                }
            }
        }
        close(acks[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 150'000));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        char buffer[4096];
        for (ssize_t n; (n = read(acks[0], buffer, sizeof buffer)) > 0;) {
            acknowledged += n;
        }
        close(acks[0]);
        // Killed before the store had written its tables (a slow start), it has kept nothing.
        const bool begun = storetest::Query(folder.File(), "SELECT count(*) FROM sqlite_schema "
                                                           "WHERE name = 'checks'") == 1;
        const long long kept =
            begun ? storetest::Query(folder.File(), "SELECT count(*) FROM checks") : 0;
        EXPECT_GE(kept, acknowledged) << "after kill " << kill;
        EXPECT_LE(kept, acknowledged + 1) << "after kill " << kill;
        if (std::filesystem::exists(folder.File())) {
            EXPECT_EQ(storetest::Query(folder.File(), "PRAGMA integrity_check"), 1);
        }
        acknowledged = kept;
    }
    EXPECT_GT(acknowledged, 0);
    // Nothing was ever kept aside: the file was whole after every kill.
    EXPECT_TRUE(storetest::KeptAside(folder.Path()).empty());
}

TEST(StoreFailure, AFullDiskStopsRecordingAndKeepsWhatWasRecorded) {
    Folder folder;
    const std::string said = InChild([&folder] {
        std::signal(SIGXFSZ, SIG_IGN);
        progress::Store store(folder.File(), kNow);
        const rlimit limit{rlim_t{128} * 1024, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        int recorded = 0;
        while (recorded < 100'000 && storetest::Check(store, recorded)) {
            ++recorded;
        }
        return std::to_string(recorded) + " " + Outcome(store);
    });
    const long long recorded = std::stoll(said);
    EXPECT_GT(recorded, 0);
    EXPECT_NE(said.find("not recording: Напредъкът не се записва: дискът е пълен. Записаното "
                        "досега във файла „" +
                        folder.File().string() + "“ е запазено."),
              std::string::npos)
        << said;
    EXPECT_EQ(storetest::Query(folder.File(), "SELECT count(*) FROM checks"), recorded);
    EXPECT_EQ(storetest::Query(folder.File(), "PRAGMA integrity_check"), 1);
}

TEST(StoreFailure, ReadOnlyFoldersAndFilesAreLeftAsTheyAre) {
    namespace fs = std::filesystem;
    const std::string readOnly = "not recording: Напредъкът не се записва: файлът „%“ или "
                                 "папката му са само за четене.";
    struct Row {
        const char* name;
        bool storeThere;
        fs::perms folder;
        fs::perms file;
    };
    const Row rows[] = {
        {"read-only folder, no store yet", false, fs::perms(0555), fs::perms(0644)},
        {"read-only folder with a store", true, fs::perms(0555), fs::perms(0644)},
        {"read-only store", true, fs::perms(0777), fs::perms(0444)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Folder folder;
        if (row.storeThere) {
            progress::Store store(folder.File(), kNow);
            ASSERT_TRUE(storetest::Check(store, 1));
            fs::permissions(folder.File(), row.file);
        }
        const std::string before = row.storeThere ? storetest::Bytes(folder.File()) : "";
        fs::permissions(folder.Path(), row.folder);
        const std::string said = InChild(
            [&folder] {
                progress::Store store(folder.File(), kNow);
                storetest::Check(store, 2);
                return Outcome(store);
            },
            true);
        std::string expected = readOnly;
        expected.replace(expected.find('%'), 1, folder.File().string());
        EXPECT_EQ(said, expected);
        fs::permissions(folder.Path(), fs::perms(0755));
        EXPECT_EQ(row.storeThere ? storetest::Bytes(folder.File()) : "", before);
        EXPECT_EQ(fs::exists(folder.File()), row.storeThere);
        EXPECT_TRUE(storetest::KeptAside(folder.Path()).empty());
    }
}

} // namespace

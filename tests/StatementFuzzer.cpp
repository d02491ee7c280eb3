// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes as a file of exported results, or an LRS's answer. The reader
// must read them or say why, naming the source, never crash, and never take more statements
// than it has room for; the class's figures of what it read must add up.
#include "class/StatementReader.h"

#include <ClassFigures.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "statement fuzzer: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    constexpr std::size_t kRoom = 50;
    const window::ReadStatements read =
        window::ReadStatementsFrom(bytes, QStringLiteral("f.json"), kRoom);
    if (!read.fault.isEmpty() && (!read.records.empty() || !read.fault.contains(u"f.json"))) {
        Fail("a fault that does not name the file, or a fault with statements");
    }
    if (read.records.size() > kRoom) {
        Fail("more statements than there was room for");
    }
    for (const statements::Record& record : read.records) {
        const statements::ClassFigures figures =
            statements::FiguresOf(read.records, record.table, 10);
        const int answers = std::accumulate(figures.learners.begin(), figures.learners.end(), 0,
                                            [](int sum, const statements::LearnerFigures& learner) {
                                                return sum + learner.answers;
                                            });
        if (static_cast<std::size_t>(answers) > figures.statements || figures.learners.empty()) {
            Fail("figures that do not add up");
        }
        for (const statements::LearnerFigures& learner : figures.learners) {
            if (learner.right > learner.answers || learner.learned < 0) {
                Fail("more right than answered");
            }
        }
    }
    return 0;
}

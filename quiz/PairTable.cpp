// SPDX-License-Identifier: MIT
#include "PairTable.h"

#include "PickList.h"
#include "SiteTable.h"

#include <string_view>

namespace quiz {

static_assert(kSiteTable.size() <= static_cast<std::size_t>(kMaxItems),
              "both pick lists must hold the whole table");

std::string InMiB(std::size_t bytes) {
    return std::to_string(bytes / (std::size_t{1024} * 1024)) + " MiB";
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

const std::shared_ptr<const PairTable>& BuiltInTable() {
    static const std::shared_ptr<const PairTable> table = [] {
        auto builtIn = std::make_shared<PairTable>();
        builtIn->columns = {"селище", "забележителност", "област"};
        for (const SiteRow& row : kSiteTable) {
            builtIn->pairs.push_back(
                {std::string(row.settlement), std::string(row.site), std::string(row.region)});
        }
        return builtIn;
    }();
    return table;
}

std::string ReviewLine(const PairTable& table, const Pair& pair) {
    std::string line(Trimmed(pair.left));
    line.append(" – ").append(Trimmed(pair.right));
    const std::string_view note = Trimmed(pair.note);
    if (table.HasNotes() && !note.empty()) {
        line.append(", ").append(Trimmed(table.columns[2])).append(" ").append(note);
    }
    return line;
}

} // namespace quiz

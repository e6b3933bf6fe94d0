#include "resources/StringTable.h"

#include <unordered_map>

namespace {

const std::unordered_map<int, const char*>& Table() {
    static const std::unordered_map<int, const char*> table{};
    return table;
}

} // namespace

AnsiString LoadStr(int id) {
    const auto& table = Table();
    const auto found = table.find(id);
    return found == table.end() ? AnsiString() : AnsiString(found->second);
}

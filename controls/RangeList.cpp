#include "controls/RangeList.h"

#include "framework/List.h"

#include <QDebug>

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <string_view>

namespace {

// The most numbers a list read from text holds: a short text of wide ranges must not fill memory.
constexpr std::int64_t LargestList = 1000000;

// Where the dash joining a range stands: the first '-' after the first number's own sign.
std::size_t RangeDash(std::string_view item) {
    std::size_t start = item.find_first_not_of(' ');
    if (start != std::string_view::npos && (item[start] == '-' || item[start] == '+'))
        ++start;
    return start == std::string_view::npos ? std::string_view::npos : item.find('-', start);
}

std::optional<std::int32_t> ReadInt(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::int32_t TRangeList::Items(int index) const {
    CheckListIndex(index, Count());
    return items[static_cast<std::size_t>(index)];
}

void TRangeList::Add(std::int32_t value) {
    if (held.insert(value).second)
        items.push_back(value);
}

void TRangeList::AddMultiple(std::int32_t start, int count) {
    for (std::int64_t value = start; value < static_cast<std::int64_t>(start) + count &&
                                     value <= std::numeric_limits<std::int32_t>::max();
         ++value)
        Add(static_cast<std::int32_t>(value));
}

void TRangeList::Delete(int index) {
    CheckListIndex(index, Count());
    held.erase(items[static_cast<std::size_t>(index)]);
    items.erase(items.begin() + index);
}

void TRangeList::Clear() {
    items.clear();
    held.clear();
}

void TRangeList::Sort() {
    std::sort(items.begin(), items.end());
}

bool TRangeList::StrToList(const AnsiString& text) {
    Clear();
    bool ok = true;
    std::string_view rest = text.view();
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of(",;"), rest.size());
        const std::string_view item = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const std::size_t dash = RangeDash(item);
        if (dash == std::string_view::npos) {
            const auto value = ReadInt(item);
            if (value)
                Add(*value);
            ok = ok && value.has_value();
            continue;
        }
        const auto first = ReadInt(item.substr(0, dash));
        const auto last = ReadInt(item.substr(dash + 1));
        if (!first || !last || static_cast<std::int64_t>(*last) - *first + 1 + Count() > LargestList) {
            ok = false;
            continue;
        }
        if (*last >= *first)
            AddMultiple(*first, *last - *first + 1);
    }
    return ok;
}

AnsiString TRangeList::ToRangeStr() {
    Sort();
    std::string text;
    for (std::size_t i = 0; i < items.size();) {
        std::size_t last = i;
        while (last + 1 < items.size() && static_cast<std::int64_t>(items[last + 1]) == items[last] + 1LL)
            ++last;
        if (!text.empty())
            text += ',';
        text += std::to_string(items[i]);
        if (last > i)
            text += '-' + std::to_string(items[last]);
        i = last + 1;
    }
    return text;
}

void TRangeList::Show() const {
    for (const std::int32_t item : items)
        qDebug() << item;
}

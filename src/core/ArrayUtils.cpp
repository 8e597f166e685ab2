// String array helpers.
#include "core/ArrayUtils.h"

#include <algorithm>
#include <functional>

std::string NextArrayString(const std::vector<std::string>& array, int& index) {
    int at = index++;
    if (at < 0 || at >= static_cast<int>(array.size())) return "";
    return array[static_cast<std::size_t>(at)];
}

void CopyStringArrayRange(const std::vector<std::string>& source, std::vector<std::string>& target, int first,
                          int last) {
    if (last == -1) last = static_cast<int>(source.size()) - 1;
    target.assign(last < 0 ? 0 : static_cast<std::size_t>(last) + 1, "");
    for (int i = std::max(first, 0); i <= last && i < static_cast<int>(source.size()); ++i) {
        target[static_cast<std::size_t>(i)] = source[static_cast<std::size_t>(i)];
    }
}

std::vector<std::string> RemoveArrayRange(const std::vector<std::string>& array, int first, int last) {
    std::vector<std::string> result;
    for (int i = 0; i < static_cast<int>(array.size()); ++i) {
        if (i < first || i > last) result.push_back(array[static_cast<std::size_t>(i)]);
    }
    return result;
}

void SortArray(std::vector<std::string>& array, bool ascending) {
    if (ascending)
        std::sort(array.begin(), array.end());
    else
        std::sort(array.begin(), array.end(), std::greater<>());
}

int ListIndexOfString(const std::vector<std::string>& list, const std::string& text) {
    auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

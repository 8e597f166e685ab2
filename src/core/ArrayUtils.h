// Helpers over string arrays and lists: walking, copying and removing ranges, sorting and
// finding positions.
// Part of the framework's utility library; nothing in this game uses it (its tests do).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The element at index, or "" past the end (or before the start); index advances by one.
std::string NextArrayString(const std::vector<std::string>& array, int& index);
// target becomes last + 1 strings holding source's elements first ... last ("" before first and
// wherever source ends early); last -1 means the end of source.
void CopyStringArrayRange(const std::vector<std::string>& source, std::vector<std::string>& target, int first,
                          int last);
// A new array without the elements first ... last (clipped to the array).
std::vector<std::string> RemoveArrayRange(const std::vector<std::string>& array, int first, int last);
void SortArray(std::vector<std::string>& array, bool ascending = true);

// Position of object (by identity) among the list's non-null elements (raw or smart pointers);
// -1 when absent.
template <class List, class T>
int ListIndexOf(const List& list, const T* object) {
    int index = 0;
    for (const auto& element : list) {
        const auto* pointer = std::to_address(element);
        if (!pointer) continue;
        if (pointer == object) return index;
        ++index;
    }
    return -1;
}

// Position of the first element equal to text; -1 when absent.
int ListIndexOfString(const std::vector<std::string>& list, const std::string& text);

#pragma once
// Moving through a list in a circle, as focus moves between the controls of a form.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace tk {

// The item after (or, not `forward`, before) `current`, wrapping around at either end; the first
// item when `current` is not in the list; nullptr for an empty list.
template <typename T, typename U>
T* NextInCycle(const std::vector<T*>& items, const U* current, bool forward) {
    if (items.empty()) return nullptr;
    const std::size_t n = items.size();
    auto it = std::find(items.begin(), items.end(), current);
    if (it == items.end()) return items.front();
    const auto at = static_cast<std::size_t>(it - items.begin());
    return items[forward ? (at + 1) % n : (at + n - 1) % n];
}

} // namespace tk

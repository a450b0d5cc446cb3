#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// An ordered list of owned items. get() hands out the slot of an item, so a caller can read the
// item or put another in its place (the replaced item is freed). Indexes are 0-based; an index
// outside the list is a logic error of the caller and raises std::out_of_range.
template <typename T>
class OwnedList {
public:
    std::size_t count() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    // Appends the item and returns its index.
    std::size_t add(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return items_.size() - 1;
    }

    std::unique_ptr<T>& get(std::size_t index) { return items_.at(checked(index)); }
    const std::unique_ptr<T>& get(std::size_t index) const { return items_.at(checked(index)); }

    T& operator[](std::size_t index) { return *get(index); }
    const T& operator[](std::size_t index) const { return *get(index); }

    // Frees the item and closes the gap: later items move down by one.
    void remove(std::size_t index) { items_.erase(items_.begin() + std::ptrdiff_t(checked(index))); }
    void clear() { items_.clear(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::size_t checked(std::size_t index) const
    {
        if (index >= items_.size())
            throw std::out_of_range("Номер записи " + std::to_string(index) + " вне списка из "
                                    + std::to_string(items_.size()) + " записей");
        return index;
    }

    std::vector<std::unique_ptr<T>> items_;
};

// Arrays indexed from 1, with checked element access. Every element access
// goes through arrayElement (or at); an index outside the array is a fatal
// runtime error, never undefined behaviour.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "runtime/runtime_error.h"

template <class T>
class Array {
public:
    Array() = default;

    int size() const { return static_cast<int>(items_.size()); }

    T& at(int index) { return items_[checkedOffset(index)]; }
    const T& at(int index) const { return items_[checkedOffset(index)]; }

    void append(T item) { items_.push_back(std::move(item)); }

    // Discards every element and leaves n empty ones.
    void resize(int n) {
        if (n < 0) reportRuntimeError(kNegativeArraySize);
        items_.clear();
        items_.resize(static_cast<std::size_t>(n));
    }

private:
    std::size_t checkedOffset(int index) const {
        if (index < 1) reportRuntimeError(kIndexBelowOne);
        if (index > size()) reportRuntimeError(kIndexAboveSize);
        return static_cast<std::size_t>(index - 1);
    }

    std::vector<T> items_;
};

using IntegerArray = Array<std::int32_t>;

template <class T>
int arraySize(const Array<T>& array) {
    return array.size();
}

template <class T>
T& arrayElement(Array<T>& array, int index) {
    return array.at(index);
}

template <class T>
const T& arrayElement(const Array<T>& array, int index) {
    return array.at(index);
}

template <class T>
void resizeArray(Array<T>& array, int n) {
    array.resize(n);
}

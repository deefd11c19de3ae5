// A growable array of plain values that reports a failed allocation by its result instead of
// throwing: the library then needs no exception support, which would make the DLL ten times bigger.
#pragma once
#include <stdint.h>
#include <stdlib.h>
#include <type_traits>

namespace qx {

template <typename T>
class GrowableArray {
    static_assert(std::is_trivially_copyable<T>::value, "GrowableArray holds plain values only");

public:
    GrowableArray() = default;
    ~GrowableArray() { free(data_); }
    GrowableArray(const GrowableArray&) = delete;
    GrowableArray& operator=(const GrowableArray&) = delete;

    bool Reserve(size_t capacity) {
        if (capacity <= capacity_) return true;
        if (capacity > SIZE_MAX / sizeof(T)) return false;
        void* grown = realloc(data_, capacity * sizeof(T));
        if (!grown) return false;
        data_ = static_cast<T*>(grown);
        capacity_ = capacity;
        return true;
    }
    // New elements are left uninitialised.
    bool Resize(size_t size) {
        if (size > capacity_ && !Reserve(size > capacity_ * 2 ? size : capacity_ * 2)) return false;
        size_ = size;
        return true;
    }
    bool Push(const T& value) {
        if (!Resize(size_ + 1)) return false;
        data_[size_ - 1] = value;
        return true;
    }
    void Clear() { size_ = 0; }

    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    T* Data() { return data_; }
    const T* Data() const { return data_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }

private:
    T* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

}  // namespace qx

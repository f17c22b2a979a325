#pragma once
// What the fuzz targets share: a reader that turns the fuzzer's bytes into arguments, and a
// check that stops the run with a message (libFuzzer saves the input that triggered it).
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Reads from the front; once the bytes run out every value is zero or empty, so any input,
// however short, is a complete set of arguments.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    bool Flag() { return Byte() & 1; }

    // A length byte, then up to that many bytes.
    std::string Text() {
        const std::size_t length = Byte();
        return Take(length);
    }

    // The bytes not read yet.
    std::string Rest() { return Take(size_ - at_); }

    // Mostly the edges where position arithmetic goes wrong: the ends of int, around zero, and
    // around the length of the text the value applies to; otherwise a small signed value.
    int Int(std::size_t textLength) {
        const int length = static_cast<int>(textLength);  // texts are at most 255 bytes
        const int edges[] = {0,       1,           -1,      2,      -2,         INT_MIN,
                             INT_MIN + 1, INT_MAX - 1, INT_MAX, length, length + 1, length + 2};
        const std::uint8_t pick = Byte();
        if (pick < sizeof edges / sizeof edges[0]) return edges[pick];
        return static_cast<std::int8_t>(Byte());
    }

private:
    std::string Take(std::size_t length) {
        if (length > size_ - at_) length = size_ - at_;
        std::string bytes(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return bytes;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

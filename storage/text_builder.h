// Composing a whole file in memory, so that it can be written in one go.
#pragma once

#include <cstdint>
#include <memory>

// Growable text.
// The buffer grows by doubling, so composing a file of n bytes costs O(n)
// rather than a fresh copy of everything for each piece appended.
class TextBuilder {
public:
    static constexpr int32_t maxLength = 0x1000000;

    explicit TextBuilder(const char* text = "");
    TextBuilder(const TextBuilder& other);
    TextBuilder& operator=(const TextBuilder& other) { assign(other); return *this; }

    void assign(const TextBuilder& other);
    void append(const char* text);
    void appendNumber(int32_t value);
    void appendLineBreak();

    int32_t length() const { return length_; }
    const char* data() const { return data_.get(); }

private:
    void appendBytes(const char* bytes, int32_t count);

    int32_t length_ = 0;
    int32_t capacity_ = 0;  // characters the buffer can hold, the terminator not counted
    std::unique_ptr<char[]> data_;
};

// Composing a whole file in memory before it is written.
#include "storage/text_builder.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// Counting a text stops at the builder's limit, so a huge text is never scanned whole.
int32_t countCharacters(const char* text)
{
    const void* end = std::memchr(text, 0, TextBuilder::maxLength);
    return end ? int32_t(static_cast<const char*>(end) - text) : TextBuilder::maxLength;
}

}  // namespace

TextBuilder::TextBuilder(const char* text)
    : length_(countCharacters(text)), capacity_(length_), data_(new char[length_ + 1])
{
    std::memcpy(data_.get(), text, length_);
    data_[length_] = '\0';
}

TextBuilder::TextBuilder(const TextBuilder& other)
    : length_(other.length_), capacity_(other.length_), data_(new char[other.length_ + 1])
{
    std::memcpy(data_.get(), other.data_.get(), length_ + 1);
}

void TextBuilder::assign(const TextBuilder& other)
{
    if (&other == this) return;
    std::unique_ptr<char[]> copy(new char[other.length_ + 1]);
    std::memcpy(copy.get(), other.data_.get(), other.length_ + 1);
    data_ = std::move(copy);
    length_ = other.length_;
    capacity_ = other.length_;
}

void TextBuilder::appendBytes(const char* bytes, int32_t count)
{
    if (int64_t(length_) + count > capacity_) {
        int64_t doubled = std::min<int64_t>(2 * int64_t(capacity_) + 64, maxLength);
        capacity_ = int32_t(std::max<int64_t>(int64_t(length_) + count, doubled));
        std::unique_ptr<char[]> grown(new char[capacity_ + 1]);
        std::memcpy(grown.get(), data_.get(), length_);
        // The bytes may lie in the old buffer (a builder appending its own
        // text), so they are copied before that buffer is freed.
        std::memcpy(grown.get() + length_, bytes, count);
        data_ = std::move(grown);
    } else {
        std::memcpy(data_.get() + length_, bytes, count);
    }
    length_ += count;
    data_[length_] = '\0';
}

void TextBuilder::append(const char* text)
{
    if (text == nullptr || *text == '\0') return;
    int32_t count = countCharacters(text);
    if (int64_t(length_) + count > maxLength) return;
    appendBytes(text, count);
}

void TextBuilder::appendNumber(int32_t value)
{
    char digits[12];  // room for every int32_t, the minus sign included
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    appendBytes(digits, int32_t(result.ptr - digits));
}

void TextBuilder::appendLineBreak()
{
    appendBytes("\r\n", 2);
}

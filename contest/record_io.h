// Little-endian field-by-field writing and reading of fixed-size records,
// shared by the contest file and the inspection file.
#pragma once

#include "text/text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace r7t {

class RecordWriter {
public:
    explicit RecordWriter(std::vector<uint8_t>& out) : out_(out) {}

    void i32(int32_t v)
    {
        auto u = static_cast<uint32_t>(v);
        uint8_t* p = grow(4);
        p[0] = static_cast<uint8_t>(u);
        p[1] = static_cast<uint8_t>(u >> 8);
        p[2] = static_cast<uint8_t>(u >> 16);
        p[3] = static_cast<uint8_t>(u >> 24);
    }
    void f32(float v) { i32(static_cast<int32_t>(std::bit_cast<uint32_t>(v))); }
    void link() { i32(0); } // memory links mean nothing in a file
    template <size_t N>
    void text(const FixedText<N>& t) { std::memcpy(grow(N), t.bytes.data(), N); }
    template <size_t N>
    void raw(const std::array<uint8_t, N>& b) { std::memcpy(grow(N), b.data(), N); }

private:
    uint8_t* grow(size_t n)
    {
        size_t at = out_.size();
        out_.resize(at + n);
        return out_.data() + at;
    }
    std::vector<uint8_t>& out_;
};

// Reads the fields of one record already known to be whole.
class RecordReader {
public:
    explicit RecordReader(const uint8_t* at) : at_(at) {}

    int32_t i32()
    {
        uint32_t u = uint32_t(at_[0]) | uint32_t(at_[1]) << 8 | uint32_t(at_[2]) << 16 | uint32_t(at_[3]) << 24;
        at_ += 4;
        return static_cast<int32_t>(u);
    }
    float f32() { return std::bit_cast<float>(static_cast<uint32_t>(i32())); }
    void skipLink() { at_ += 4; }
    template <size_t N>
    void text(FixedText<N>& t)
    {
        std::memcpy(t.bytes.data(), at_, N);
        at_ += N;
    }
    template <size_t N>
    void raw(std::array<uint8_t, N>& b)
    {
        std::memcpy(b.data(), at_, N);
        at_ += N;
    }

private:
    const uint8_t* at_;
};

} // namespace r7t

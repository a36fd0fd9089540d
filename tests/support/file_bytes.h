// Builds contest files byte by byte, independently of the program's writer.
#pragma once

#include <cstdint>
#include <string>

namespace r7t::fixtures {

class FileBytes {
public:
    FileBytes& i32(int32_t v)
    {
        auto u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            bytes_ += static_cast<char>((u >> (8 * i)) & 0xFF);
        return *this;
    }
    // A NUL-padded text field of exactly width bytes.
    FileBytes& text(const std::string& t, size_t width)
    {
        std::string field = t.substr(0, width);
        field.resize(width, '\0');
        bytes_ += field;
        return *this;
    }
    FileBytes& zeros(size_t n) { return fill(n, 0); }
    FileBytes& fill(size_t n, uint8_t b)
    {
        bytes_.append(n, static_cast<char>(b));
        return *this;
    }
    FileBytes& raw(const std::string& b)
    {
        bytes_ += b;
        return *this;
    }

    // Header of 292 bytes with the given version and texts.
    FileBytes& header(int32_t version, const std::string& password, const std::string& date,
                      const std::string& place, const std::string& title, int32_t lastPreparedRound)
    {
        return i32(version).text(password, 16).text(date, 12).text(place, 32).text(title, 64)
            .i32(lastPreparedRound).zeros(24).i32(0).zeros(132);
    }
    FileBytes& roundTables(int entries, int32_t hasScoresRound = 0, int32_t completeRound = 0)
    {
        for (int i = 0; i < entries; ++i)
            i32(i == hasScoresRound && i ? 1 : 0);
        for (int i = 0; i < entries; ++i)
            i32(i == completeRound && i ? 1 : 0);
        return *this;
    }
    // A pilot record: 268 bytes in version 2 layout (the masses at 260, 264).
    FileBytes& pilot(int32_t number, const std::string& name, int32_t f1, int32_t f2, int32_t mass1 = 0,
                     int32_t mass2 = 0, int32_t link = 0)
    {
        return i32(number).text(name, 32).text("L" + std::to_string(number), 16).text("Club", 32).i32(7)
            .text("France", 24).text("", 128).i32(f1).i32(f2).i32(99).i32(0).i32(link).i32(mass1).i32(mass2);
    }
    FileBytes& pilotEnd() { return i32(0).text("PILZERO", 32).zeros(268 - 36); }
    FileBytes& extraEnd() { return i32(0).zeros(8).text("PLAZERO", 8).zeros(96 - 20); }
    // A group record whose slots hold the given pilot numbers.
    FileBytes& group(int32_t id, int32_t round, int32_t task, std::initializer_list<int32_t> members,
                     int32_t link = 0)
    {
        i32(id).i32(round).i32(static_cast<int32_t>(members.size()));
        size_t s = 0;
        for (int32_t n : members) {
            i32(n).i32(35000 + n).i32(0).i32(static_cast<int32_t>(++s)).i32(0).i32(0).i32(99).i32(link).i32(link)
                .i32(0).i32(0);
        }
        for (; s < 4; ++s)
            zeros(44);
        return i32(link).i32(0).i32(0).i32(task).i32(0);
    }
    FileBytes& groupEnd() { return zeros(208); }
    FileBytes& result(int32_t number, int32_t round, int32_t speedTime, int32_t isReflight = 0,
                      int32_t speedWave2 = 0, int32_t link = 0)
    {
        return i32(number).i32(round).i32(1).i32(speedTime).i32(0).i32(0).i32(0).i32(300).i32(1).i32(speedWave2)
            .i32(0).i32(0).i32(0).i32(0).i32(0).i32(isReflight).i32(link).i32(1);
    }

    const std::string& str() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

} // namespace r7t::fixtures

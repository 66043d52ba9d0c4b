#pragma once
// Little-endian fields read from a block of bytes with the end always in
// view: a read past the end yields nothing and leaves the position where it
// was, so no header field of a damaged file is ever read from beyond it.

#include <cstddef>
#include <cstdint>
#include <optional>

class ByteReader
{
public:
    ByteReader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    size_t position() const { return m_pos; }
    size_t remaining() const { return m_size - m_pos; }
    bool atEnd() const { return m_pos == m_size; }

    // The next `n` bytes, or null when fewer are left.
    const uint8_t *take(size_t n)
    {
        if (n > remaining())
            return nullptr;
        const uint8_t *p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    bool skip(size_t n) { return take(n) != nullptr; }

    std::optional<uint8_t> u8()
    {
        const uint8_t *p = take(1);
        if (!p)
            return std::nullopt;
        return p[0];
    }
    std::optional<uint16_t> u16()
    {
        const uint8_t *p = take(2);
        if (!p)
            return std::nullopt;
        return uint16_t(p[0] | p[1] << 8);
    }
    std::optional<uint32_t> u32()
    {
        const uint8_t *p = take(4);
        if (!p)
            return std::nullopt;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    std::optional<int16_t> i16()
    {
        const auto v = u16();
        if (!v)
            return std::nullopt;
        return static_cast<int16_t>(*v);
    }
    std::optional<int32_t> i32()
    {
        const auto v = u32();
        if (!v)
            return std::nullopt;
        return static_cast<int32_t>(*v);
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

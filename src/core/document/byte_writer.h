#pragma once
// Little-endian fields written one after the other into a block of bytes,
// the counterpart of ByteReader: the field layouts of the formats read the
// same in both directions. A field that does not fit is not written, the
// position stays, and the writer reports it from then on.

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteWriter
{
public:
    ByteWriter(uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    size_t position() const { return m_pos; }
    // Whether every field so far was written.
    bool ok() const { return m_ok; }

    bool bytes(const void *src, size_t n)
    {
        uint8_t *p = take(n);
        if (p && n > 0)
            std::memcpy(p, src, n);
        return p != nullptr;
    }
    bool zeros(size_t n)
    {
        uint8_t *p = take(n);
        if (p && n > 0)
            std::memset(p, 0, n);
        return p != nullptr;
    }
    bool u8(uint8_t v) { return bytes(&v, 1); }
    bool u16(uint16_t v)
    {
        const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
        return bytes(b, 2);
    }
    bool u32(uint32_t v)
    {
        const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        return bytes(b, 4);
    }
    bool i16(int16_t v) { return u16(static_cast<uint16_t>(v)); }
    bool i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }

private:
    uint8_t *take(size_t n)
    {
        if (!m_ok || n > m_size - m_pos) {
            m_ok = false;
            return nullptr;
        }
        uint8_t *p = m_data + m_pos;
        m_pos += n;
        return p;
    }

    uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

#include "reader/hex_log.h"

namespace {

// Appends characters while room for the terminator is left.
class BoundedText {
public:
    BoundedText(char* text, int capacity) : m_text(text), m_capacity(capacity) {}

    void Put(char c) {
        if (m_length + 1 < m_capacity)
            m_text[m_length++] = c;
    }
    void Put(const char* s) {
        while (*s != '\0')
            Put(*s++);
    }
    int Finish() {
        if (m_capacity > 0)
            m_text[m_length] = '\0';
        return m_length;
    }

private:
    char* m_text;
    int m_capacity;
    int m_length = 0;
};

} // namespace

int HexLogLine(char* text, int capacity, const char* prefix, const uint8_t* bytes, int count) {
    static const char kDigits[] = "0123456789ABCDEF";
    BoundedText line(text, capacity);
    line.Put(prefix);
    for (int i = 0; i < count; ++i) {
        line.Put(kDigits[bytes[i] >> 4]);
        line.Put(kDigits[bytes[i] & 0x0F]);
        line.Put(' ');
    }
    line.Put("\r\n");
    return line.Finish();
}

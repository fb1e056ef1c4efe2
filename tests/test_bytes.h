#pragma once
// Byte strings in tests: a text's bytes, and parts joined into one.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace test_support {

inline std::vector<uint8_t> Data(const std::string& text) {
    return {text.begin(), text.end()};
}

inline std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const std::vector<uint8_t>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace test_support

#pragma once

#include <cstdint>
#include <string>

// Eight characters '0' or '1', bit 7 first.
std::string ByteToBitString(uint8_t value);

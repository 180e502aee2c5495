#pragma once

#include <fstream>
#include <sstream>
#include <string>

// The stored reports of real nec2c runs under tests/nec/data.
inline std::string NecData(const std::string& name) {
    std::ifstream in(std::string(ORVANE_NEC_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

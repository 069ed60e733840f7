// Whole files as bytes, for tests that build or damage files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

typedef std::vector<uint8_t> Bytes;

Bytes readBytes(const std::string& path); // empty when missing
bool writeBytes(const std::string& path, const Bytes& bytes);

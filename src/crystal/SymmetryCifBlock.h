#pragma once

// What the CIF parser reads from a file, in plain standard types. The
// parser's headers compile only as C++17 with some compilers, so its one
// source file is built so (src/CMakeLists.txt) and this header stays C++17.
// Only crystal/SymmetryCif.cpp includes it.

#include <cstddef>
#include <string>
#include <vector>

struct CifValue
{
    bool present = false;
    // '?' or '.': the value is unknown or does not apply.
    bool null = false;
    // Without its quotes or text-field semicolons.
    std::string text;
};

struct CifBlockRead
{
    // Empty when the file parsed, else the parser's words and, for a
    // syntax error, where (line and column from 1; 0 when unknown).
    std::string error;
    std::size_t line = 0;
    std::size_t column = 0;
    // Whether a data block has _cell_length_a; the rest is that block's.
    bool found = false;
    std::string blockName;
    // A tag the block has twice, which leaves its value in doubt, and one
    // followed by no value; empty when there is none.
    std::string twice;
    std::string noValue;
    // The values of the tags asked for, in their order.
    std::vector<CifValue> values;
    // The symmetry operations as written, and the tag that lists them.
    std::string operationsTag;
    std::vector<std::string> operations;
    std::size_t atomSites = 0;
};

// The first data block that has a cell, and the values of tags in it.
CifBlockRead ReadCifBlock(const char* data, std::size_t size, const std::vector<std::string>& tags);

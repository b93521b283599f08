#pragma once

#include <ostream>

// Lists each row of a parameterised test by its name, in gtest's list and
// so in the name ctest gives the case, instead of the row's bytes. Used
// beside the row type, in its namespace, for a type with a member `name`.
#define LIST_ROWS_BY_NAME(Row)                                              \
    [[maybe_unused]] inline void PrintTo(const Row &row, std::ostream *out) \
    {                                                                       \
        *out << row.name;                                                   \
    }

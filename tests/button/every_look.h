#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "button/looks.h"

namespace button {

/// Shows a look in test names and failure messages by its number and name.
inline void PrintTo(const Look& look, std::ostream* out) {
    *out << static_cast<int32_t>(look.type) << " " << look.name;
}

/// Every row of the looks table as the parameter of a test, so that a look added to the table
/// is tested with the others.
inline auto EveryLook() {
    return ::testing::ValuesIn(Looks().begin(), Looks().end());
}

/// The name of a test of one look: the look's name.
inline std::string LookTestName(const ::testing::TestParamInfo<Look>& info) {
    return std::string(info.param.name);
}

}  // namespace button

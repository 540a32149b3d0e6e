#include "calculator/decimal_separator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace calculator {
namespace {

// Sets LC_ALL for one test and puts the previous value back.
class ScopedLcAll {
  public:
    explicit ScopedLcAll(const char* value) {
        if (const char* old = std::getenv("LC_ALL")) previous_ = old;
        setenv("LC_ALL", value, 1);
    }
    ~ScopedLcAll() {
        if (previous_) {
            setenv("LC_ALL", previous_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }

  private:
    std::optional<std::string> previous_;
};

TEST(DecimalSeparator, ReadsTheEnvironmentWithoutChangingTheProcessLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    {
        ScopedLcAll locale("C.UTF-8");
        EXPECT_EQ(DecimalSeparatorFromEnvironment(), ".");
    }
    {
        // A locale that is not installed falls back to the point.
        ScopedLcAll locale("xx_NOWHERE.UTF-8");
        EXPECT_EQ(DecimalSeparatorFromEnvironment(), ".");
    }
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
}

}  // namespace
}  // namespace calculator

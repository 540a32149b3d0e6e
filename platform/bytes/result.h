#pragma once

#include <concepts>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace platform {

/// Why stored bytes could not be read, and the byte offset at which: counted from the start of
/// the bytes the reader was given. A writer of such bytes says why it cannot write them the same
/// way, at offset 0.
struct ReadError {
    std::string message;
    size_t offset = 0;
};

/// A value that makes a Result<T> of its own: one convertible to T that is not an error.
template <typename U, typename T>
concept ValueOf = std::convertible_to<U, T> && !std::same_as<std::remove_cvref_t<U>, ReadError>;

/// What a read of stored bytes gives: its value, or the ReadError that says why there is none.
/// A function returning a Result returns either one; TRY hands an error on to its caller.
template <typename T>
class [[nodiscard]] Result {
  public:
    template <ValueOf<T> U>
    Result(U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}
    Result(ReadError error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool IsError() const { return state_.index() == 1; }

    const T& Value() const& { return std::get<0>(state_); }
    T& Value() & { return std::get<0>(state_); }
    T&& Value() && { return std::get<0>(std::move(state_)); }
    const ReadError& Error() const& { return std::get<1>(state_); }
    ReadError&& Error() && { return std::get<1>(std::move(state_)); }

  private:
    std::variant<T, ReadError> state_;
};

/// What a check of stored bytes gives: nothing when they pass it, or the ReadError that says why
/// they do not. `return {};` passes; TRY(check) hands its error on like any other result's.
template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(ReadError error) : error_(std::move(error)) {}

    bool IsError() const { return error_.has_value(); }

    void Value() const {}
    const ReadError& Error() const& { return *error_; }
    ReadError&& Error() && { return *std::move(error_); }

  private:
    std::optional<ReadError> error_;
};

/// The value of `result`, for a caller whose own callers take a fault as an exception, such as a
/// program reading the artwork built into it: throws std::runtime_error with the error's message.
template <typename T>
T ValueOrThrow(Result<T> result) {
    if (result.IsError()) throw std::runtime_error(std::move(result).Error().message);
    return std::move(result).Value();
}

}  // namespace platform

/// TRY(result) gives the value of `result`, a platform::Result, or returns its error from the
/// enclosing function, which returns a Result too. It lets a reader state each field it reads
/// on one line and pass the first failure up unchanged. It is a GNU statement expression, which
/// g++ and clang take (`__extension__` keeps -Wpedantic quiet about it).
#define TRY(result)                                                   \
    __extension__({                                                   \
        auto tryResult = (result);                                    \
        if (tryResult.IsError()) return std::move(tryResult).Error(); \
        std::move(tryResult).Value();                                 \
    })

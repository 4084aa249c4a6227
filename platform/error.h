// The error that a failing step reports to a caller that records it.
#pragma once

#include <exception>
#include <string>
#include <utility>
#include <variant>

namespace kvu {

struct Error {
    long number = 0;
    std::string source;
    std::string description;
};

// An error travelling as an exception to a caller that records it.
class RaisedError : public std::exception {
  public:
    explicit RaisedError(Error error) : error_(std::move(error)) {}
    const Error& error() const { return error_; }
    const char* what() const noexcept override { return error_.description.c_str(); }

  private:
    Error error_;
};

// A value, or the error that prevented it.
template <typename T>
class Result {
  public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(state_); }
    T& value() { return std::get<0>(state_); }
    const Error& error() const { return std::get<1>(state_); }

  private:
    std::variant<T, Error> state_;
};

}  // namespace kvu

#pragma once
// The message of the std::runtime_error an action throws, or a marker when it throws none.

#include <stdexcept>
#include <string>

template <typename Action>
std::string ErrorText(Action action) {
  try {
    action();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "<no error>";
}

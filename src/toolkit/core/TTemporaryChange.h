#pragma once

// Sets a variable for the lifetime of a scope and puts its old value back when the
// scope ends, also when an exception leaves it.

#include <utility>

template <class T>
class TTemporaryChange {
public:
  TTemporaryChange(T& variable, T value) : FVariable(variable), FOldValue(std::exchange(variable, std::move(value))) {}
  ~TTemporaryChange() { FVariable = std::move(FOldValue); }
  TTemporaryChange(const TTemporaryChange&) = delete;
  TTemporaryChange& operator=(const TTemporaryChange&) = delete;

private:
  T& FVariable;
  T FOldValue;
};

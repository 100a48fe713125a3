// The contract of a port: checks written once against the port's interface, which every adapter
// of that port must pass. An adapter's tests run them through a subject: the port under test, plus
// the few set-up actions the port itself cannot do (make a window, write a file).
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace contract {

/// One rule of a port's contract, checked with GoogleTest's assertions against a subject.
template <class Subject>
struct Check {
  const char* name;
  void (*run)(Subject&);

  friend void PrintTo(const Check& check, std::ostream* out) { *out << check.name; }
};

/// Names the instances of a parameterised test after their check.
struct CheckName {
  template <class Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    return info.param.name;
  }
};

/// The check of that name in a contract (the test fails when there is none).
template <class Subject>
const Check<Subject>& Named(const std::vector<Check<Subject>>& contract, const std::string& name) {
  for (const auto& check : contract) {
    if (name == check.name) return check;
  }
  ADD_FAILURE() << "no check named " << name;
  return contract.front();
}

}  // namespace contract

// The choice of exercise by number: 201 to 224 map one to one to Question0201 … Question0224.
#pragma once

#include <cstdint>
#include <memory>

#include "exercises/exercise.hpp"

namespace k60418 {

/// The first and last exercise numbers of the course.
inline constexpr std::int32_t kPremiereQuestion = 201;
inline constexpr std::int32_t kDerniereQuestion = 224;

/// Creates exercise ilQuestion; nullptr for a number outside 201 to 224.
std::unique_ptr<Exercise> CreeQuestion(std::int32_t ilQuestion, const ContexteExercice& contexte);

}  // namespace k60418

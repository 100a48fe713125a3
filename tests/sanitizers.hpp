// Whether this test program runs under AddressSanitizer, where a run costs several times as much:
// time limits allow for it, and the long campaigns take a sample instead of every case.
#pragma once

namespace test_support {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderSanitizers = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderSanitizers = true;
#else
inline constexpr bool kUnderSanitizers = false;
#endif
#else
inline constexpr bool kUnderSanitizers = false;
#endif

}  // namespace test_support

# Flags shared by every target of the project.
#
# Output files are compared byte for byte, so every floating-point operation must round
# exactly as written: no fused multiply-add contraction and never -ffast-math.
add_library(zephyrion_flags INTERFACE)
target_compile_options(zephyrion_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -ffp-contract=off -fno-fast-math)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports false overlaps inside std::string::insert at -O2 (GCC bug 105329).
  target_compile_options(zephyrion_flags INTERFACE -Wno-restrict)
endif()
if(ZEPHYRION_WERROR)
  target_compile_options(zephyrion_flags INTERFACE -Werror)
endif()
if(ZEPHYRION_FUZZ)
  # Coverage for libFuzzer in every library the fuzz targets link, with the sanitizers that turn
  # undefined behaviour into a finding.
  target_compile_options(zephyrion_flags INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(zephyrion_flags INTERFACE -fsanitize=address,undefined)
endif()
if(ZEPHYRION_SANITIZE)
  target_compile_options(zephyrion_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(zephyrion_flags INTERFACE -fsanitize=address,undefined)
endif()
if(ZEPHYRION_SANITIZE_THREADS)
  if(ZEPHYRION_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer")
  endif()
  target_compile_options(zephyrion_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(zephyrion_flags INTERFACE -fsanitize=thread)
endif()

# The two programs land at the top of the build folder (build/zephyrion, build/zephyrion-cli).
function(zephyrion_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()

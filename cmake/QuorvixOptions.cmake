# Build options shared by every target.
#
# Races, replays and golden images depend on bit-stable float results, so the
# compiler must never fuse multiplies and adds nor relax IEEE semantics.

option(QUORVIX_WERROR "Treat warnings as errors" OFF)
option(QUORVIX_BUILD_TESTS "Build the GoogleTest suites" ON)
option(QUORVIX_BUILD_BENCH "Build the Google Benchmark programs" ON)
set(QUORVIX_SANITIZE "" CACHE STRING "Sanitizer build: empty, 'address' (ASan+UBSan) or 'thread' (TSan)")

add_library(quorvix_flags INTERFACE)
target_compile_options(quorvix_flags INTERFACE
  -Wall -Wextra -ffp-contract=off -fno-fast-math)
if(QUORVIX_WERROR)
  target_compile_options(quorvix_flags INTERFACE -Werror)
endif()

# GCC leaves float-to-int overflow out of 'undefined': a float from a file
# cast to an int is checked as well.
if(QUORVIX_SANITIZE STREQUAL "address")
  target_compile_options(quorvix_flags INTERFACE -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined,float-cast-overflow)
  target_link_options(quorvix_flags INTERFACE -fsanitize=address,undefined,float-cast-overflow)
elseif(QUORVIX_SANITIZE STREQUAL "thread")
  target_compile_options(quorvix_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(quorvix_flags INTERFACE -fsanitize=thread)
elseif(NOT QUORVIX_SANITIZE STREQUAL "")
  message(FATAL_ERROR "QUORVIX_SANITIZE must be empty, 'address' or 'thread'")
endif()

find_package(Threads REQUIRED)

# One static library per folder of Sources/.  Every .cpp of the folder belongs
# to it, so adding a file to a subsystem needs no edit here.
function(quorvix_subsystem name)
  file(GLOB _srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _srcs EXCLUDE REGEX ".*/main\\.cpp$")
  add_library(q_${name} STATIC ${_srcs})
  target_include_directories(q_${name} PUBLIC ${PROJECT_SOURCE_DIR}/Sources)
  target_link_libraries(q_${name} PUBLIC quorvix_flags Threads::Threads)
endfunction()

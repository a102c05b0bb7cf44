# quorvel_warnings: linked by every target of ours (libraries, the program, tests, benchmarks,
# fuzz targets, fake engines). Qt's headers come in as system headers (imported targets) and
# zint's through SYSTEM include folders, so only our own code counts; moc's output is clean.
# With QUORVEL_WERROR (CI) a warning fails the build.
add_library(quorvel_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(quorvel_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wconversion $<$<COMPILE_LANGUAGE:CXX>:-Wold-style-cast>)
  if(QUORVEL_WERROR)
    target_compile_options(quorvel_warnings INTERFACE -Werror)
  endif()
endif()

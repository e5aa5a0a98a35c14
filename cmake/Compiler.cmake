# Warnings are errors everywhere in the project's own code.
add_compile_options(-Wall -Wextra -Wpedantic -Werror)

if(CMAKE_CXX_COMPILER_LAUNCHER STREQUAL "")
  find_program(CCACHE_PROGRAM ccache)
  if(CCACHE_PROGRAM)
    set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  endif()
endif()

if(LUMAPANE_SANITIZE)
  set(_san -fsanitize=${LUMAPANE_SANITIZE} -fno-omit-frame-pointer)
  if(LUMAPANE_SANITIZE MATCHES "undefined")
    list(APPEND _san -fno-sanitize-recover=all)
  endif()
  add_compile_options(${_san})
  # GCC 12 reports false maybe-uninitialized warnings inside <regex> and <functional>
  # once sanitizer instrumentation is on; the plain build keeps the warning.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  add_link_options(${_san})
endif()

set(THREADS_PREFER_PTHREAD_FLAG ON)

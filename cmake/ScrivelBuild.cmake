# Shared build settings: warnings, sanitizers, ccache and the character-set
# flavours of the two libraries.

find_program(SCRIVEL_CCACHE ccache)
if(SCRIVEL_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${SCRIVEL_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${SCRIVEL_CCACHE})
endif()

add_compile_options(-Wall -Wextra)
if(SCRIVEL_WERROR)
  add_compile_options(-Werror)
endif()

if(SCRIVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# ScrivelDraft, its host stand-in, its example host and their tests are a
# multibyte build: texts written in UTF-8 in the sources become GBK bytes.
set(SCRIVEL_GBK_FLAGS -finput-charset=UTF-8 -fexec-charset=GBK)

# Check once that the compiler really produces GBK: the magic of a parts-list
# data file must be 24 bytes. The fuzz build (clang, which knows no GBK) builds
# no multibyte target.
if(NOT SCRIVEL_FUZZ AND NOT DEFINED SCRIVEL_GBK_OK)
  set(_probe ${CMAKE_BINARY_DIR}/gbk_probe.cpp)
  file(WRITE ${_probe}
    "static_assert(sizeof(\"Wendrix99 明细表数据文件\") == 25, \"not GBK\");\nint main() { return 0; }\n")
  try_compile(SCRIVEL_GBK_OK ${CMAKE_BINARY_DIR}/gbk_probe SOURCES ${_probe}
              COMPILE_DEFINITIONS ${SCRIVEL_GBK_FLAGS})
  if(NOT SCRIVEL_GBK_OK)
    message(FATAL_ERROR "The compiler cannot turn UTF-8 sources into GBK text (-fexec-charset=GBK)")
  endif()
  message(STATUS "GBK execution character set: ok")
endif()

# A target of the multibyte (GBK) flavour: CString is CStringA, TCHAR is char.
function(scrivel_gbk_target target)
  target_compile_options(${target} PRIVATE ${SCRIVEL_GBK_FLAGS})
  target_compile_definitions(${target} PRIVATE _MBCS)
endfunction()

# A target of the UTF-16 flavour: CString is CStringW, TCHAR is WCHAR.
function(scrivel_unicode_target target)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE)
endfunction()

# One GoogleTest executable for a room: every *.cpp in <room>/tests.
function(scrivel_room_tests name dir)
  if(NOT SCRIVEL_TESTS)
    return()
  endif()
  file(GLOB _srcs CONFIGURE_DEPENDS ${dir}/tests/*.cpp)
  if(NOT _srcs)
    return()
  endif()
  add_executable(${name} ${_srcs})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "SCRIVEL_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
  scrivel_test_environment(${name} "SCRIVEL_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()

# Gives every test of a GoogleTest executable its environment: the values
# given and the build's ODBC set-up (ScrivelOdbc.cmake). The tests are only
# known when CTest runs (they are discovered then), so a CTest script read
# after the discovery sets the property on each of them.
function(scrivel_test_environment name)
  if(NOT SCRIVEL_TESTS)
    return()
  endif()
  set(_env ${ARGN} ${SCRIVEL_ODBC_ENVIRONMENT})
  set(_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${_script} "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${_env}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${_script})
endfunction()

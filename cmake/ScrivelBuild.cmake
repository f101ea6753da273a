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

# The targets defined in `dir` and in the folders below it.
function(_scrivel_targets_below dir out)
  get_property(_targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${_subdirs})
    _scrivel_targets_below(${sub} _below)
    list(APPEND _targets ${_below})
  endforeach()
  set(${out} ${_targets} PARENT_SCOPE)
endfunction()

# With SCRIVEL_UNITY_BUILD (the ci preset) the C++ files of each tests
# folder (a room's tests, the example host's tests) compile as one
# translation unit: the test framework's and the libraries' headers are read,
# and their inline code generated, once a folder instead of once a file
# (docs/architecture.md, "Build and CI time"). The groups follow the
# folders, so they stay the same as files come and go; names with internal
# linkage (anonymous namespaces, static functions and constants) and
# file-scope using-directives must therefore be unique within a tests
# folder. The libraries' own files, and every file of the dev preset, compile
# one by one. Called once, at the end of the top-level list, so that it
# reaches the targets of every folder.
#
# The tests folders of SCRIVEL_UNITY_SKIP still compile file by file: their
# files repeat file-local helpers under one name (written again in several
# files) until those move into the library's folder of test helpers.
set(SCRIVEL_UNITY_SKIP diagram/model/tests diagram/routing/tests diagram/ui/tests)
function(scrivel_unity_tests_folders)
  if(NOT SCRIVEL_UNITY_BUILD)
    return()
  endif()
  _scrivel_targets_below(${PROJECT_SOURCE_DIR} _targets)
  foreach(target ${_targets})
    get_target_property(_type ${target} TYPE)
    if(NOT _type STREQUAL "EXECUTABLE")
      continue()
    endif()
    get_target_property(_srcs ${target} SOURCES)
    get_target_property(_target_dir ${target} SOURCE_DIR)
    set(_grouped FALSE)
    foreach(src ${_srcs})
      if(NOT src MATCHES "\\.cpp$")
        continue()
      endif()
      get_filename_component(_abs ${src} ABSOLUTE BASE_DIR ${_target_dir})
      get_filename_component(_folder ${_abs} DIRECTORY)
      file(RELATIVE_PATH _folder ${PROJECT_SOURCE_DIR} ${_folder})
      if(NOT _folder MATCHES "(^|/)tests$" OR _folder IN_LIST SCRIVEL_UNITY_SKIP)
        continue()
      endif()
      string(MAKE_C_IDENTIFIER "room_${_folder}" _group)
      set_source_files_properties(${_abs} TARGET_DIRECTORY ${target} PROPERTIES UNITY_GROUP ${_group})
      set(_grouped TRUE)
    endforeach()
    if(_grouped)
      set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
      # The files are included into one, where a test's fixture in an
      # anonymous namespace is defined in an included file: GCC's warning
      # about such a base class says nothing there.
      if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
      endif()
    endif()
  endforeach()
endfunction()

# The fuzz build's `fuzzers` target: every fuzz target (named fuzz_*) and
# only what they compile themselves, instrumented. `make fuzz` builds it
# instead of everything: the platform and diagram libraries and the example
# hosts that the fuzz build defines as well are not built there.
function(scrivel_fuzzers_target)
  if(NOT SCRIVEL_FUZZ)
    return()
  endif()
  _scrivel_targets_below(${PROJECT_SOURCE_DIR} _targets)
  set(_fuzzers)
  foreach(target ${_targets})
    if(target MATCHES "^fuzz_")
      list(APPEND _fuzzers ${target})
    endif()
  endforeach()
  add_custom_target(fuzzers)
  if(_fuzzers)
    add_dependencies(fuzzers ${_fuzzers})
  endif()
endfunction()

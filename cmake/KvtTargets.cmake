# kvt_add_library(NAME DEPENDS libs...)
#   One library target per folder under src/: kvt_<NAME>, built from the source files of the
#   folder and of its subfolders, except a subfolder named ui/, which is a library of its own
#   (kvt_<NAME>_ui, see kvt_add_ui_library). The declared dependencies are exactly the libraries
#   whose headers the folder includes; scripts/check-layers.py checks that.
function(kvt_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  _kvt_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  _kvt_library(kvt_${name} "${sources}" "${ARG_DEPENDS}")
endfunction()

# kvt_add_ui_library(NAME DEPENDS libs...)
#   The windows and widgets of a subsystem: the folder src/<NAME>/ui/ as kvt_<NAME>_ui. Only
#   these libraries and src/app/ may include widget headers.
function(kvt_add_ui_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  _kvt_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  _kvt_library(kvt_${name}_ui "${sources}" "${ARG_DEPENDS}")
endfunction()

function(_kvt_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  list(FILTER found EXCLUDE REGEX "^${dir}/(.+/)?ui/")
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(_kvt_library target sources depends)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${depends})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${depends})
  endif()
endfunction()

# kvt_add_test_folder(NAME DEPENDS libs... [LAUNCHER script])
#   One test executable per folder under tests/: the sources of the folder (a ui/ subfolder is
#   a test folder of its own, NAME_ui) plus the shared test main, run by CTest with the
#   offscreen platform, or through LAUNCHER, which then chooses the platform (the window tests
#   run on a virtual X server under a window manager).
function(kvt_add_test_folder name)
  cmake_parse_arguments(ARG "" "LAUNCHER" "DEPENDS" ${ARGN})
  _kvt_sources(sources ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT sources)
    return()
  endif()
  add_executable(tst_${name} ${sources})
  target_include_directories(tst_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tst_${name} PRIVATE ${ARG_DEPENDS} kvt_test_support)
  # The tests read the built sample forms and run kvt-tool: building a test builds both.
  add_dependencies(tst_${name} example_forms)
  set(environment "KVT_SOURCE_DIR=${CMAKE_SOURCE_DIR};KVT_BINARY_DIR=${CMAKE_BINARY_DIR};KVT_TOOLS_DIR=${CMAKE_BINARY_DIR}/tools")
  if(ARG_LAUNCHER)
    add_test(NAME ${name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:tst_${name}>)
  else()
    add_test(NAME ${name} COMMAND tst_${name})
    string(PREPEND environment "QT_QPA_PLATFORM=offscreen;")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 600)
endfunction()

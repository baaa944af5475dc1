# kvt_add_library(NAME DEPENDS libs...)
#   One library target per folder under src/: kvt_<NAME>, built from every source file of the
#   folder and its subfolders. A folder without sources yet is an interface library.
function(kvt_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(sources)
    add_library(kvt_${name} STATIC ${sources})
    target_include_directories(kvt_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(kvt_${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(kvt_${name} INTERFACE)
    target_include_directories(kvt_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(kvt_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# kvt_add_test_folder(NAME DEPENDS libs...)
#   One test executable per folder under tests/: every source of the folder plus the shared
#   test main, run by CTest with the offscreen platform.
function(kvt_add_test_folder name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(tst_${name} ${sources})
  target_include_directories(tst_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tst_${name} PRIVATE ${ARG_DEPENDS} kvt_test_support)
  add_test(NAME ${name} COMMAND tst_${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KVT_SOURCE_DIR=${CMAKE_SOURCE_DIR};KVT_BINARY_DIR=${CMAKE_BINARY_DIR};KVT_TOOLS_DIR=${CMAKE_BINARY_DIR}/tools"
    TIMEOUT 600)
endfunction()

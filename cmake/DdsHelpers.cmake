# Small helpers shared by the component CMakeLists files.

# dds_glob_sources(<var> <dir>...): every .cpp below the given folders.
# New files are picked up at the next build without editing CMake.
function(dds_glob_sources var)
  set(found)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE part CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND found ${part})
  endforeach()
  list(SORT found)
  set(${var} ${found} PARENT_SCOPE)
endfunction()

# dds_add_test(<name> DIR <folder> LIBS <libs...>): one GoogleTest executable
# made of every .cpp in the folder, registered with CTest.
function(dds_add_test name)
  cmake_parse_arguments(T "" "DIR" "LIBS" ${ARGN})
  dds_glob_sources(srcs ${T_DIR})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE DDS_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             DDS_BINARY_DIR="${PROJECT_BINARY_DIR}")
  if(DDS_SANITIZE)
    # Leaks that system libraries (reached through Qt) keep are not ours.
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/lsan_suppressions.cpp)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "DDS_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

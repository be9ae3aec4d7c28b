# Each folder's code is one library, named zelmor_<folder>.
#
# Normally these are static libraries. With ZELMOR_SHARED_CORE (the test
# build) every folder's objects go into one shared library, zelmor_core, and
# zelmor_<folder> only names it: sixty test and benchmark programs that each
# carried a sanitized copy of the windows took gigabytes of disk, and the
# window libraries reach into each other, so a library per folder could not
# be shared on its own.
if(ZELMOR_SHARED_CORE)
  # Qt's modules as every folder of the core sees them, whichever it names.
  set(ZELMOR_CORE_QT
      Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport Qt6::SerialPort Qt6::Charts Qt6::Multimedia)
  add_library(zelmor_core SHARED)
  target_include_directories(zelmor_core PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(zelmor_core PUBLIC ${ZELMOR_CORE_QT})
  # The window libraries resolve one another inside the core.
  set(ZELMOR_WINDOW_GROUP zelmor_core)
else()
  # Programs that do not create the windows still pull in objects that reach
  # into every window library: they resolve them as one group.
  set(ZELMOR_WINDOW_GROUP
      "$<LINK_GROUP:RESCAN,zelmor_logbook,zelmor_station,zelmor_logtools,zelmor_qsl>")
endif()

# zelmor_add_library(<name> SOURCES ... [LIBS ...] [DEFINITIONS ...])
function(zelmor_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;DEFINITIONS" ${ARGN})
  if(ZELMOR_SHARED_CORE)
    set(outside)
    foreach(lib IN LISTS ARG_LIBS)
      if(NOT lib MATCHES "^zelmor_")
        list(APPEND outside ${lib})
      endif()
    endforeach()
    add_library(${name}_objects OBJECT ${ARG_SOURCES})
    set_target_properties(${name}_objects PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_include_directories(${name}_objects PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_objects PUBLIC ${ZELMOR_CORE_QT} ${outside})
    target_compile_definitions(${name}_objects PRIVATE ${ARG_DEFINITIONS})
    target_sources(zelmor_core PRIVATE $<TARGET_OBJECTS:${name}_objects>)
    target_link_libraries(zelmor_core PUBLIC ${outside})
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE zelmor_core)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
  set_target_properties(${name} PROPERTIES LINK_INTERFACE_MULTIPLICITY 3)
endfunction()

# zelmor_library(<name> [LIBS ...] [DEFINITIONS ...]): a library of every
# .cpp in the current folder.
function(zelmor_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;DEFINITIONS" ${ARGN})
  file(GLOB cpp CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT cpp)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  zelmor_add_library(${name} SOURCES ${sources} LIBS ${ARG_LIBS} DEFINITIONS ${ARG_DEFINITIONS})
endfunction()

# zelmor_test(<name> SOURCES ... LIBS ...): one GoogleTest executable, run by CTest.
function(zelmor_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zelmor_testmain ${ARG_LIBS})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELMOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               TIMEOUT 300)
endfunction()

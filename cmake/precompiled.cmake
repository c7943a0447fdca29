# Precompiled headers. Most of a translation unit's compile time goes to the
# layer's and Windows' headers, which every file parses again; compiled once
# and loaded instead, they cut a clean build to a fraction.
#
# Included at the end of the top-level list, when every target is known. Each
# project target that stands on the layer takes a compiled header made by a
# small carrier target with exactly its compile flags (the compiler refuses a
# header compiled under other definitions or options), so that all targets of
# one set of flags share a single one. The tests' header adds GoogleTest.
#
# Only headers that change seldom belong here: the layer's common headers and
# the standard headers used widely. A change to any of them rebuilds
# everything, as it would anyway.

set(PELLUCOR_PCH_HEADERS
  <afxwin.h> <afxext.h> <afxcmn.h> <afxdlgs.h> <afxtempl.h> <afxcoll.h>
  <vector> <string> <algorithm> <map> <functional> <memory>)
set(PELLUCOR_PCH_TEST_HEADERS <gtest/gtest.h>)

# A source that defines or undefines a macro before its first include means to
# change what the headers declare (WINVER, OEMRESOURCE, WIN32_LEAN_AND_MEAN,
# INITGUID, ...): a header compiled ahead of it would ignore that, so it
# compiles without one.
function(pellucor_pch_skip_defining_sources target)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(srcs ${target} SOURCES)
  foreach(src ${srcs})
    if(NOT src MATCHES "\\.(cpp|cxx|cc)$" OR src MATCHES "\\$<")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH src BASE_DIRECTORY ${dir} OUTPUT_VARIABLE path)
    file(STRINGS ${path} first REGEX "^[ \t]*#[ \t]*(include|define|undef)[ \t(]" LIMIT_COUNT 1)
    if(first MATCHES "^[ \t]*#[ \t]*(define|undef)")
      set_source_files_properties(${path} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()

# The project's targets (in the project's own folders) that use the layer: by
# its name among their include folders or linked libraries.
function(pellucor_pch_collect dir out)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|EXECUTABLE|OBJECT_LIBRARY)$")
      continue()
    endif()
    get_target_property(incs ${t} INCLUDE_DIRECTORIES)
    get_target_property(libs ${t} LINK_LIBRARIES)
    if(t STREQUAL "mfc" OR "${incs};${libs}" MATCHES "(^|[;,:])mfc([;,>]|$)")
      list(APPEND found ${t})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${sub} NORMALIZE inside)
    if(inside)
      pellucor_pch_collect(${sub} more)
      list(APPEND found ${more})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Whether a target compiles against GoogleTest: it links it, or links a
# library that passes it on (the tests' support library).
function(pellucor_pch_uses_gtest target out)
  set(${out} OFF PARENT_SCOPE)
  if(NOT TARGET gtest)
    return()
  endif()
  get_target_property(libs ${target} LINK_LIBRARIES)
  foreach(lib ${libs})
    if(lib STREQUAL "gtest")
      set(${out} ON PARENT_SCOPE)
    elseif(TARGET ${lib})
      get_target_property(passed ${lib} INTERFACE_LINK_LIBRARIES)
      if("gtest" IN_LIST passed)
        set(${out} ON PARENT_SCOPE)
      endif()
    endif()
  endforeach()
endfunction()

function(pellucor_precompile_headers)
  pellucor_pch_collect(${PROJECT_SOURCE_DIR} targets)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/pch/carrier.cpp CONTENT "")
  set(keys)
  foreach(t ${targets})
    pellucor_pch_uses_gtest(${t} test)
    get_target_property(defs ${t} COMPILE_DEFINITIONS)
    get_target_property(opts ${t} COMPILE_OPTIONS)
    if(NOT defs)
      set(defs "")
    endif()
    if(NOT opts)
      set(opts "")
    endif()
    # Named after the first target of its flags.
    string(SHA1 key "${test}|${defs}|${opts}")
    if(NOT carrier_${key})
      set(carrier_${key} pellucor_pch_${t})
    endif()
    set(carrier ${carrier_${key}})
    if(NOT TARGET ${carrier})
      add_library(${carrier} OBJECT ${PROJECT_BINARY_DIR}/pch/carrier.cpp)
      set_target_properties(${carrier} PROPERTIES
        COMPILE_DEFINITIONS "${defs}" COMPILE_OPTIONS "${opts}")
      pellucor_uses(${carrier} mfc)
      set(headers ${PELLUCOR_PCH_HEADERS})
      if(test)
        # GoogleTest's own usage flags (its threading switch) shape its
        # headers: the carrier takes them as its users do, without waiting
        # for the library to be built.
        target_include_directories(${carrier} SYSTEM PRIVATE
          $<TARGET_PROPERTY:gtest,INTERFACE_INCLUDE_DIRECTORIES>)
        target_compile_options(${carrier} PRIVATE $<TARGET_PROPERTY:gtest,INTERFACE_COMPILE_OPTIONS>)
        target_compile_definitions(${carrier} PRIVATE $<TARGET_PROPERTY:gtest,INTERFACE_COMPILE_DEFINITIONS>)
        list(APPEND headers ${PELLUCOR_PCH_TEST_HEADERS})
      endif()
      target_precompile_headers(${carrier} PRIVATE ${headers})
    endif()
    target_precompile_headers(${t} REUSE_FROM ${carrier})
    pellucor_pch_skip_defining_sources(${t})
  endforeach()
endfunction()

pellucor_precompile_headers()

# Shared compile settings: warnings are errors everywhere; the native build runs
# with AddressSanitizer and UndefinedBehaviorSanitizer; Windows binaries are static.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_compile_options(-Wall -Wextra -Werror -Wshadow -Wno-missing-field-initializers)

if(WIN32)
  set(PKG_TARGET_WINDOWS ON)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PKG_WIN64 ON)
  else()
    set(PKG_WIN32 ON)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++ -s)
else()
  set(PKG_NATIVE ON)
  option(PKG_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
  if(PKG_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# A program of the package: a Windows GUI program built from the given sources.
function(pkg_windows_gui_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_options(${name} PRIVATE -mwindows)
endfunction()

# pkg_glob_library(<name> <sources...>): a static library of the given sources,
# or an interface library while a folder has none yet.
function(pkg_glob_library name)
  if(ARGN)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
  endif()
endfunction()

# pkg_embed_texts(<target> <namespace> <function> <files...>): a source in <target>
# defining `std::vector<std::string_view> <namespace>::<function>()`, the files'
# texts in the order given, read when CMake runs (it reruns when they change).
function(pkg_embed_texts target namespace function)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${function}.embedded.cpp)
  set(body "")
  foreach(file ${ARGN})
    file(READ ${file} text)
    string(APPEND body "        R\"pkgembed(${text})pkgembed\",\n")
  endforeach()
  set(content "// Made by CMake from ${ARGN}\n#include <string_view>\n#include <vector>\n\nnamespace ${namespace} {\n\nstd::vector<std::string_view> ${function}() {\n    return {\n${body}    };\n}\n\n} // namespace ${namespace}\n")
  if(EXISTS ${out})
    file(READ ${out} old)
  endif()
  if(NOT "${old}" STREQUAL "${content}")
    file(WRITE ${out} "${content}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ARGN})
  target_sources(${target} PRIVATE ${out})
endfunction()

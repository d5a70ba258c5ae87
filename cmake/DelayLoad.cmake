# tallypad_delay_load(<target> <system library>...): the target loads each of
# those DLLs on its first call into it instead of when it starts. mingw's
# linker has no delay-load switch; dlltool makes a delay-import library of the
# same name from the exports that mingw's import library lists, in a folder
# that the target's link searches before the system's.
# Only for DLLs whose functions take no floating-point arguments: dlltool's
# x86-64 stub that loads the DLL on the first call keeps the integer argument
# registers but not xmm0-xmm3, so that first call may receive a clobbered
# double (with oleaut32, whose date calls take doubles, delay-loaded, the
# alarm soak lost a countdown's ring every time).
set(TALLYPAD_DELAY_DIR ${CMAKE_BINARY_DIR}/delayload)
find_program(TALLYPAD_DLLTOOL NAMES ${TOOLCHAIN_PREFIX}-dlltool REQUIRED)

function(tallypad_delay_load target)
  set(outputs)
  foreach(lib IN LISTS ARGN)
    find_library(TALLYPAD_IMPORT_${lib} NAMES lib${lib}.a REQUIRED)
    set(out ${TALLYPAD_DELAY_DIR}/lib${lib}.a)
    if(NOT TARGET delayload_${lib})
      add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DIMPORT_LIB=${TALLYPAD_IMPORT_${lib}} -DDLL=${lib}.dll -DOUT=${out}
                -DNM=${CMAKE_NM} -DDLLTOOL=${TALLYPAD_DLLTOOL} -P ${PROJECT_SOURCE_DIR}/cmake/MakeDelayLib.cmake
        DEPENDS ${TALLYPAD_IMPORT_${lib}} ${PROJECT_SOURCE_DIR}/cmake/MakeDelayLib.cmake
        VERBATIM)
      add_custom_target(delayload_${lib} DEPENDS ${out})
    endif()
    add_dependencies(${target} delayload_${lib})
    list(APPEND outputs ${out})
  endforeach()
  target_link_directories(${target} BEFORE PRIVATE ${TALLYPAD_DELAY_DIR})
  target_link_libraries(${target} PRIVATE ${ARGN} delayimp)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs})
endfunction()

# tallypad_delay_load(<target> <system library>...): the target loads each of
# those DLLs on its first call into it instead of when it starts. mingw's
# linker has no delay-load switch; dlltool makes a delay-import library of the
# same name from the exports that mingw's import library lists, in a folder
# that the target's link searches before the system's.
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

# Every tool has a core library (logic without windows, shared with the
# runner and the tests) and a UI library (its screens). A tool's UI library
# links UiToolkit, its own core and BaseLib: never the shell, which makes
# the tools, nor another tool's screens.
#
#   tallypad_tool_ui(<target>)     registers a tool's UI library
#   tallypad_check_tool_links()    once all targets exist: fails the
#                                  configuration (so the build) when a
#                                  registered library links what it must not

set_property(GLOBAL PROPERTY TALLYPAD_TOOL_UIS "")

function(tallypad_tool_ui target)
  set_property(GLOBAL APPEND PROPERTY TALLYPAD_TOOL_UIS ${target})
endfunction()

# Every target that <target> links, directly or through another target.
function(_tallypad_link_closure target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue item)
    if(item IN_LIST seen OR NOT TARGET ${item})
      continue()
    endif()
    list(APPEND seen ${item})
    get_target_property(type ${item} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${item} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${item} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    list(APPEND queue ${links})
  endwhile()
  list(REMOVE_ITEM seen ${target})
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(tallypad_check_tool_links)
  get_property(uis GLOBAL PROPERTY TALLYPAD_TOOL_UIS)
  foreach(ui IN LISTS uis)
    _tallypad_link_closure(${ui} linked)
    foreach(other IN LISTS linked)
      if(other STREQUAL "Shell" OR other IN_LIST uis)
        message(FATAL_ERROR "${ui} links ${other}: a tool's UI library may link only UiToolkit, "
                            "its own core and BaseLib")
      endif()
    endforeach()
  endforeach()
endfunction()

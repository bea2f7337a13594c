# Reading the tool's help texts (CMake script helpers, used with -P).
#
# A help text is what `vtxss [COMMAND] --help` prints:
#
#   Usage: vtxss apply [OPTIONS]
#   <paragraphs>
#   Positionals: / Options: / Subcommands:
#     <name column>   <description, continued on lines indented further>
#   <paragraphs>
#
# CMake lists are separated by ";" and cut at unbalanced "[" "]", so the text
# is held with those three characters replaced by markers; vtx_help_plain
# gives them back.

set(VTX_HELP_SEMI "@VTXSEMI@")
set(VTX_HELP_OPEN "@VTXOPEN@")
set(VTX_HELP_CLOSE "@VTXCLOSE@")

# vtx_help_run(OUT exe [args...]): the help text of `exe args --help`, as a
# list of lines with markers; fails when the tool fails.
function(vtx_help_run out exe)
  execute_process(COMMAND ${exe} ${ARGN} --help
                  OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${exe} ${ARGN} --help failed (${rc}): ${err}")
  endif()
  string(REPLACE ";" "${VTX_HELP_SEMI}" text "${text}")
  string(REPLACE "[" "${VTX_HELP_OPEN}" text "${text}")
  string(REPLACE "]" "${VTX_HELP_CLOSE}" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# vtx_help_plain(OUT text): text with its markers turned back.
function(vtx_help_plain out text)
  string(REPLACE "${VTX_HELP_SEMI}" ";" text "${text}")
  string(REPLACE "${VTX_HELP_OPEN}" "[" text "${text}")
  string(REPLACE "${VTX_HELP_CLOSE}" "]" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# vtx_help_blocks(PREFIX lines): splits a help text into blocks. Sets
# PREFIX_usage (the text after "Usage: "), PREFIX_blocks (block ids in
# order) and for each id PREFIX_<id>_kind ("para" or "items"), for a
# paragraph PREFIX_<id>_text (its lines joined by spaces), for an item list
# PREFIX_<id>_title ("Options" ...) and PREFIX_<id>_items (ids); for each
# item PREFIX_<id>_<n>_name (the name column) and PREFIX_<id>_<n>_desc.
macro(vtx_help_blocks prefix lines)
  set(${prefix}_usage "")
  set(${prefix}_blocks "")
  set(_vhb_id 0)
  set(_vhb_kind "")
  foreach(_vhb_line IN LISTS ${lines})
    if(_vhb_line MATCHES "^Usage: (.*)$")
      set(${prefix}_usage "${CMAKE_MATCH_1}")
      set(_vhb_kind "")
    elseif(_vhb_line STREQUAL "")
      set(_vhb_kind "")
    elseif(_vhb_line MATCHES "^([A-Z][a-z]+):$")
      math(EXPR _vhb_id "${_vhb_id} + 1")
      set(_vhb_kind items)
      list(APPEND ${prefix}_blocks ${_vhb_id})
      set(${prefix}_${_vhb_id}_kind items)
      set(${prefix}_${_vhb_id}_title "${CMAKE_MATCH_1}")
      set(${prefix}_${_vhb_id}_items "")
      set(_vhb_item 0)
    elseif(_vhb_kind STREQUAL "items" AND _vhb_line MATCHES "^  ([^ ]+( [^ ]+)*)  +([^ ].*)$")
      math(EXPR _vhb_item "${_vhb_item} + 1")
      list(APPEND ${prefix}_${_vhb_id}_items ${_vhb_item})
      set(${prefix}_${_vhb_id}_${_vhb_item}_name "${CMAKE_MATCH_1}")
      set(${prefix}_${_vhb_id}_${_vhb_item}_desc "${CMAKE_MATCH_3}")
    elseif(_vhb_kind STREQUAL "items" AND _vhb_line MATCHES "^  ([^ ]+( [^ ]+)*)$")
      math(EXPR _vhb_item "${_vhb_item} + 1")
      list(APPEND ${prefix}_${_vhb_id}_items ${_vhb_item})
      set(${prefix}_${_vhb_id}_${_vhb_item}_name "${CMAKE_MATCH_1}")
      set(${prefix}_${_vhb_id}_${_vhb_item}_desc "")
    elseif(_vhb_kind STREQUAL "items" AND _vhb_line MATCHES "^   +([^ ].*)$")
      string(APPEND ${prefix}_${_vhb_id}_${_vhb_item}_desc " ${CMAKE_MATCH_1}")
    elseif(_vhb_kind STREQUAL "para")
      string(STRIP "${_vhb_line}" _vhb_line)
      string(APPEND ${prefix}_${_vhb_id}_text " ${_vhb_line}")
    else()
      math(EXPR _vhb_id "${_vhb_id} + 1")
      set(_vhb_kind para)
      list(APPEND ${prefix}_blocks ${_vhb_id})
      set(${prefix}_${_vhb_id}_kind para)
      string(STRIP "${_vhb_line}" ${prefix}_${_vhb_id}_text)
    endif()
  endforeach()
endmacro()

# vtx_help_option_names(OUT_NAMES OUT_VALUE name_column): the option names of
# an item's name column ("-o,--out FILE" gives "-o;--out") and whether the
# option takes a value (a placeholder follows the names).
function(vtx_help_option_names out_names out_value column)
  set(value FALSE)
  if(column MATCHES "^([^ ]+) +[^ ]")
    set(value TRUE)
    set(column "${CMAKE_MATCH_1}")
  endif()
  string(REPLACE "," ";" names "${column}")
  set(${out_names} "${names}" PARENT_SCOPE)
  set(${out_value} ${value} PARENT_SCOPE)
endfunction()

# vtx_help_commands(OUT exe): the subcommands the top-level help lists.
function(vtx_help_commands out exe)
  vtx_help_run(lines "${exe}")
  vtx_help_blocks(top lines)
  set(commands "")
  foreach(block IN LISTS top_blocks)
    if(top_${block}_kind STREQUAL "items" AND top_${block}_title STREQUAL "Subcommands")
      foreach(item IN LISTS top_${block}_items)
        list(APPEND commands "${top_${block}_${item}_name}")
      endforeach()
    endif()
  endforeach()
  if(NOT commands)
    message(FATAL_ERROR "${exe} --help lists no subcommands")
  endif()
  set(${out} "${commands}" PARENT_SCOPE)
endfunction()

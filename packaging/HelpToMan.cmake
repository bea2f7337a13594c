# Writes the manual pages of the tool from its help texts:
#   cmake -DVTXSS=<tool> -DOUT=<folder> -DVERSION=<x.y.z> -P HelpToMan.cmake
# vtxss.1 from `vtxss --help` and vtxss-COMMAND.1 from `vtxss COMMAND --help`
# for every subcommand the top-level help lists. The help text is the one
# source: its first paragraphs become DESCRIPTION, its option lists OPTIONS
# (and ARGUMENTS, COMMANDS), the paragraphs after them NOTES, the
# "Exit status:" paragraph EXIT STATUS.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/HelpText.cmake)

foreach(var VTXSS OUT VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "HelpToMan.cmake needs -D${var}=...")
  endif()
endforeach()

# Text as roff: backslashes and hyphens escaped, a leading dot or quote kept
# from being read as a request.
function(roff out text)
  vtx_help_plain(text "${text}")
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# An item's name column as roff: option names bold, the placeholder (or a
# positional's name) italic.
function(roff_item_name out column title)
  if(title STREQUAL "Options")
    vtx_help_option_names(names takes_value "${column}")
    set(text "")
    foreach(name IN LISTS names)
      roff(name "${name}")
      if(text)
        string(APPEND text ", ")
      endif()
      string(APPEND text "\\fB${name}\\fR")
    endforeach()
    if(takes_value AND column MATCHES "^[^ ]+ +(.*)$")
      roff(placeholder "${CMAKE_MATCH_1}")
      string(APPEND text " \\fI${placeholder}\\fR")
    endif()
  elseif(title STREQUAL "Subcommands")
    roff(name "${column}")
    set(text "\\fB${name}\\fR")
  else()
    roff(name "${column}")
    set(text "\\fI${name}\\fR")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# write_page(file page_name summary help_var see_also extra_sections):
# help_var names the variable holding the help text's lines.
function(write_page file name summary help_var see_also extra)
  vtx_help_blocks(h ${help_var})
  string(TOUPPER "${name}" upper)
  roff(upper "${upper}")
  roff(roff_name "${name}")
  roff(summary "${summary}")
  set(page ".TH ${upper} 1 \"\" \"vtxss ${VERSION}\" \"User Commands\"\n")
  string(APPEND page ".SH NAME\n${roff_name} \\- ${summary}\n")

  # SYNOPSIS: the usage line, the command words bold.
  set(usage "${h_usage}")
  set(words "vtxss")
  if(name MATCHES "^vtxss-(.+)$")
    set(words "vtxss ${CMAKE_MATCH_1}")
  endif()
  string(LENGTH "${words}" n)
  string(SUBSTRING "${usage}" ${n} -1 rest)
  string(STRIP "${rest}" rest)
  roff(words "${words}")
  roff(rest "${rest}")
  string(APPEND page ".SH SYNOPSIS\n\\fB${words}\\fR ${rest}\n")

  set(section "DESCRIPTION")
  set(written "")
  set(exit_status "")
  foreach(block IN LISTS h_blocks)
    if(h_${block}_kind STREQUAL "items")
      set(title "${h_${block}_title}")
      if(title STREQUAL "Positionals")
        set(heading "ARGUMENTS")
      elseif(title STREQUAL "Subcommands")
        set(heading "COMMANDS")
      else()
        string(TOUPPER "${title}" heading)
      endif()
      string(APPEND page ".SH ${heading}\n")
      foreach(item IN LISTS h_${block}_items)
        roff_item_name(item_name "${h_${block}_${item}_name}" "${title}")
        roff(desc "${h_${block}_${item}_desc}")
        string(APPEND page ".TP\n${item_name}\n${desc}\n")
      endforeach()
      set(section "NOTES")
    elseif(h_${block}_text MATCHES "^Exit status: *(.*)$")
      roff(text "${CMAKE_MATCH_1}")
      set(exit_status "${text}")
    else()
      roff(text "${h_${block}_text}")
      if(NOT section IN_LIST written)
        string(APPEND page ".SH ${section}\n")
        list(APPEND written "${section}")
      else()
        string(APPEND page ".PP\n")
      endif()
      string(APPEND page "${text}\n")
    endif()
  endforeach()
  if(exit_status)
    string(APPEND page ".SH EXIT STATUS\n${exit_status}\n")
  endif()
  string(APPEND page "${extra}")
  string(APPEND page ".SH SEE ALSO\n${see_also}")
  file(WRITE "${file}.new" "${page}")
  file(COPY_FILE "${file}.new" "${file}" ONLY_IF_DIFFERENT)
  file(REMOVE "${file}.new")
endfunction()

file(MAKE_DIRECTORY "${OUT}")
vtx_help_run(top_lines "${VTXSS}")
vtx_help_blocks(top top_lines)

# The tool's summary: its first paragraph up to the first colon or full stop.
list(GET top_blocks 0 first)
string(REGEX REPLACE "[:.].*$" "" tool_summary "${top_${first}_text}")
string(TOLOWER "${tool_summary}" tool_summary)

set(command_pages "")
foreach(block IN LISTS top_blocks)
  if(top_${block}_kind STREQUAL "items" AND top_${block}_title STREQUAL "Subcommands")
    foreach(item IN LISTS top_${block}_items)
      set(command "${top_${block}_${item}_name}")
      list(APPEND commands "${command}")
      set(summary_${command} "${top_${block}_${item}_desc}")
      string(APPEND command_pages ".BR vtxss\\-${command} (1),\n")
    endforeach()
  endif()
endforeach()

set(top_extra [=[
.SH ENVIRONMENT
.TP
.B VTX_LIBRARY
the library folder when \fB\-\-lib\fR is not given
.TP
.B VTX_INSTALL
the installation folder (language texts, print\-settings sets) when \fB\-\-install\fR is not given
.SH FILES
.TP
.I share/vtxss/library
beside the installed program's folder: the shipped sample library, the library folder when neither \fB\-\-lib\fR nor \fBVTX_LIBRARY\fR names one
.TP
.I share/vtxss/install
likewise the installation folder
.TP
.I share/doc/vtxss
the documentation: a page per command, the file formats, the engines
]=])
string(REGEX REPLACE ",\n$" "\n" top_see_also "${command_pages}")
write_page("${OUT}/vtxss.1" "vtxss" "${tool_summary}" top_lines "${top_see_also}" "${top_extra}")

set(pages "${OUT}/vtxss.1")
foreach(command IN LISTS commands)
  vtx_help_run(command_lines "${VTXSS}" ${command})
  write_page("${OUT}/vtxss-${command}.1" "vtxss-${command}" "${summary_${command}}" command_lines
             ".BR vtxss (1)\n" "")
  list(APPEND pages "${OUT}/vtxss-${command}.1")
endforeach()

# Pages of commands the tool no longer has go.
file(GLOB old_pages "${OUT}/*.1")
list(REMOVE_ITEM old_pages ${pages})
if(old_pages)
  file(REMOVE ${old_pages})
endif()

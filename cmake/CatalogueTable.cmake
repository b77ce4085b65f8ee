# Turns the translation catalogues (Qt Linguist .ts files) into the C++ table of
# language/Catalogue.h, for the programs built without Qt:
#   cmake -DOUTPUT=<file.cpp> -DCATALOGUES=<a.ts;b.ts> -P CatalogueTable.cmake
# It is also the build's check of the catalogues: an entry that is not translated yet
# (type="unfinished") or whose text the code no longer has (type="vanished" or "obsolete") stops
# the build, naming it. The table keeps the entries whose translation differs from the source
# text and that carry no disambiguation; every other text reads the same in English.

cmake_minimum_required(VERSION 3.25)

function(xml_text escaped out)
  if(escaped MATCHES "&#")
    message(FATAL_ERROR "${catalogue}: character references are not supported: ${escaped}")
  endif()
  string(REPLACE "&lt;" "<" text "${escaped}")
  string(REPLACE "&gt;" ">" text "${text}")
  string(REPLACE "&quot;" "\"" text "${text}")
  string(REPLACE "&apos;" "'" text "${text}")
  string(REPLACE "&amp;" "&" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(cpp_literal text out)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\n" "\\n" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

# take_element(<variable holding the text> <tag> <out>): the first <tag ...>...</tag> of the text
# into <out> (empty when there is none) and the text after it back into the variable.
function(take_element rest_var tag out)
  set(rest "${${rest_var}}")
  string(FIND "${rest}" "<${tag}>" open)
  string(FIND "${rest}" "<${tag} " open_attributes)
  if(open EQUAL -1 OR (NOT open_attributes EQUAL -1 AND open_attributes LESS open))
    set(open ${open_attributes})
  endif()
  if(open EQUAL -1)
    set(${out} "" PARENT_SCOPE)
    set(${rest_var} "" PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${rest}" ${open} -1 rest)
  string(FIND "${rest}" "</${tag}>" close)
  if(close EQUAL -1)
    message(FATAL_ERROR "${catalogue}: <${tag}> is not closed")
  endif()
  string(LENGTH "</${tag}>" close_length)
  math(EXPR end "${close} + ${close_length}")
  string(SUBSTRING "${rest}" 0 ${end} element)
  string(SUBSTRING "${rest}" ${end} -1 rest)
  set(${out} "${element}" PARENT_SCOPE)
  set(${rest_var} "${rest}" PARENT_SCOPE)
endfunction()

set(entries "")
set(languages "")
set(entry_count 0)
foreach(catalogue IN LISTS CATALOGUES)
  file(READ "${catalogue}" xml)
  if(NOT xml MATCHES "<TS[^>]* language=\"([A-Za-z_]+)\"")
    message(FATAL_ERROR "${catalogue}: no language in its <TS> element")
  endif()
  set(language "${CMAKE_MATCH_1}")
  string(APPEND languages "    \"${language}\",\n")
  set(problems "")
  while(TRUE)
    take_element(xml context context_xml)
    if(context_xml STREQUAL "")
      break()
    endif()
    if(NOT context_xml MATCHES "<name>([^<]*)</name>")
      message(FATAL_ERROR "${catalogue}: a context without a name")
    endif()
    xml_text("${CMAKE_MATCH_1}" context)
    while(TRUE)
      take_element(context_xml message message_xml)
      if(message_xml STREQUAL "")
        break()
      endif()
      if(NOT message_xml MATCHES "<source>([^<]*)</source>")
        message(FATAL_ERROR "${catalogue}: a message of ${context} without a source text")
      endif()
      xml_text("${CMAKE_MATCH_1}" source)
      if(message_xml MATCHES "<translation[^>]*type=\"(unfinished|vanished|obsolete)\"")
        string(APPEND problems "\n  ${context}: \"${source}\" is ${CMAKE_MATCH_1}")
        continue()
      endif()
      if(message_xml MATCHES "<comment>" OR message_xml MATCHES "numerus=\"yes\"")
        continue()
      endif()
      if(message_xml MATCHES "<translation>([^<]*)</translation>")
        xml_text("${CMAKE_MATCH_1}" translation)
      else()
        set(translation "")
      endif()
      if(translation STREQUAL source OR translation STREQUAL "")
        continue()
      endif()
      cpp_literal("${context}" context_literal)
      cpp_literal("${source}" source_literal)
      cpp_literal("${translation}" translation_literal)
      string(APPEND entries "    CatalogueEntry{\"${language}\", ${context_literal}, "
                            "${source_literal},\n                   ${translation_literal}},\n")
      math(EXPR entry_count "${entry_count} + 1")
    endwhile()
  endwhile()
  if(NOT problems STREQUAL "")
    message(FATAL_ERROR
      "${catalogue} is not complete:${problems}\n"
      "Translate the unfinished texts (Qt Linguist) and drop the others (the quavelo_lupdate "
      "target updates the catalogue from the code).")
  endif()
endforeach()
list(LENGTH CATALOGUES language_count)

set(table "// Generated from the translation catalogues by cmake/CatalogueTable.cmake; not edited.

#include <array>

#include \"language/Catalogue.h\"

namespace quavelo {

namespace {

constexpr std::array<CatalogueEntry, ${entry_count}> kEntries{
${entries}};

constexpr std::array<std::string_view, ${language_count}> kLanguages{
${languages}};

}  // namespace

std::span<const CatalogueEntry> CatalogueEntries() { return kEntries; }

std::span<const std::string_view> CatalogueLanguages() { return kLanguages; }

}  // namespace quavelo
")
file(WRITE "${OUTPUT}" "${table}")

# Publishes every template with velmora-cli and writes the samples gallery
# (index.html) around them, so the samples always show what the program
# makes of the templates today.
#
# cmake -DCLI=velmora-cli -DRUNTIME=jsmenu0.js -DTEMPLATES=dir -DCATALOG=catalog.txt
#       -DOUT=samples-dir -DWORK=scratch-dir -P make_gallery.cmake
#
# Any template that does not publish cleanly (an error, or a warning such as a
# missing image) stops the build with the template's name and the tool's words.

cmake_minimum_required(VERSION 3.25)

foreach(var CLI RUNTIME TEMPLATES CATALOG OUT WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make_gallery.cmake: -D${var}=... is required")
  endif()
endforeach()

# Text for HTML: the three characters that would start markup.
function(html_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# --- The catalog ------------------------------------------------------------
file(STRINGS "${CATALOG}" catalog_lines ENCODING UTF-8)
set(entries "")
set(line_number 0)
foreach(line IN LISTS catalog_lines)
  math(EXPR line_number "${line_number} + 1")
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT line MATCHES "^([^|]+)\\|([^|]+)\\|([^|]+)\\|([^|]+)\\|([^|]+)$")
    message(FATAL_ERROR "${CATALOG}:${line_number}: expected five fields separated by \"|\"")
  endif()
  # Later matches overwrite CMAKE_MATCH_n: take all five first.
  set(file "${CMAKE_MATCH_1}")
  set(menu "${CMAKE_MATCH_2}")
  set(height "${CMAKE_MATCH_3}")
  set(title "${CMAKE_MATCH_4}")
  set(description "${CMAKE_MATCH_5}")
  if(NOT file MATCHES "^[A-Za-z0-9_]+\\.velm$")
    message(FATAL_ERROR "${CATALOG}:${line_number}: \"${file}\" is not a plain template file name")
  endif()
  if(NOT EXISTS "${TEMPLATES}/${file}")
    message(FATAL_ERROR "${CATALOG}:${line_number}: there is no template ${TEMPLATES}/${file}")
  endif()
  if(NOT menu MATCHES "^[A-Za-z][A-Za-z0-9_]*$")
    message(FATAL_ERROR "${CATALOG}:${line_number}: \"${menu}\" is not a menu name (a letter, then letters, digits or _)")
  endif()
  if(NOT height MATCHES "^[1-9][0-9]*$")
    message(FATAL_ERROR "${CATALOG}:${line_number}: the frame height \"${height}\" is not a number of pixels")
  endif()
  string(REGEX REPLACE "\\.velm$" "" base "${file}")
  if(base IN_LIST entries)
    message(FATAL_ERROR "${CATALOG}:${line_number}: ${file} is listed twice")
  endif()
  list(APPEND entries "${base}")
  set(menu_${base} "${menu}")
  set(height_${base} "${height}")
  set(title_${base} "${title}")
  set(description_${base} "${description}")
endforeach()

# Every template belongs in the gallery.
file(GLOB template_files RELATIVE "${TEMPLATES}" "${TEMPLATES}/*.velm")
foreach(file IN LISTS template_files)
  string(REGEX REPLACE "\\.velm$" "" base "${file}")
  if(NOT base IN_LIST entries)
    message(FATAL_ERROR "${TEMPLATES}/${file} has no line in ${CATALOG}: add its menu name, frame height, title and description")
  endif()
endforeach()

# --- Publishing ---------------------------------------------------------------
# A program folder of our own, so publishing never touches the generated files
# or the preview folder of a designer running from the build folder.
file(REMOVE_RECURSE "${WORK}" "${OUT}")
file(MAKE_DIRECTORY "${WORK}" "${OUT}")
file(COPY "${RUNTIME}" DESTINATION "${WORK}")

foreach(base IN LISTS entries)
  execute_process(
    COMMAND "${CLI}" publish "${TEMPLATES}/${base}.velm" --to "${OUT}/${base}" --menu-name "${menu_${base}}"
            --home "${WORK}"
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE complaints)
  if(NOT result EQUAL 0 OR NOT complaints STREQUAL "")
    message(FATAL_ERROR "templates/${base}.velm does not publish cleanly:\n${complaints}")
  endif()
  if(NOT EXISTS "${OUT}/${base}/${base}.html")
    message(FATAL_ERROR "templates/${base}.velm: velmora-cli wrote no page ${OUT}/${base}/${base}.html")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")

# --- The gallery page -----------------------------------------------------------
set(page [=[<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Velmora samples</title>
<style>
body { margin: 0; font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 14px; color: #2A3440; background: #EEF1F4; }
.page { max-width: 960px; margin: 0 auto; padding: 24px 20px 40px; }
h1 { font-size: 26px; margin: 0 0 6px; color: #1F3A5F; }
.lead { margin: 0 0 8px; line-height: 1.5; }
.contents { margin: 0 0 24px; line-height: 1.8; }
.contents a { margin-right: 14px; }
.sample { background: #FFFFFF; border: 1px solid #D5DBE1; border-radius: 6px; padding: 16px 20px 12px; margin: 0 0 22px; }
.sample h2 { font-size: 18px; margin: 0 0 4px; color: #1F3A5F; }
.sample p { margin: 0 0 10px; line-height: 1.5; }
.sample iframe { display: block; width: 100%; border: 1px solid #E3E7EB; background: #FFFFFF; }
.files { font-size: 12px; color: #5B6B7B; margin: 8px 0 0 !important; }
a { color: #1A73C8; }
code { font-family: "DejaVu Sans Mono", Consolas, monospace; font-size: 12px; }
</style>
</head>
<body>
<div class="page">
<h1>Velmora samples</h1>
<p class="lead">Every menu on this page is live: it was published by <code>velmora-cli</code> from one of the
templates that come with Velmora, with the runtime script of this installation. Point at an item to open its
submenu, click an item to see its clicked look, or move through a menu with the Tab and arrow keys. The links of
the samples lead to placeholder anchors.</p>
<p class="lead">To start your own menu from one of them, choose <b>File &gt; Templates</b> in Velmora and pick the
template named under the sample, then save your design under a name of your own.</p>
<p class="contents">]=])
foreach(base IN LISTS entries)
  html_escape("${title_${base}}" title)
  string(APPEND page "<a href=\"#${base}\">${title}</a>\n")
endforeach()
string(APPEND page "</p>\n")

foreach(base IN LISTS entries)
  html_escape("${title_${base}}" title)
  html_escape("${description_${base}}" description)
  string(APPEND page "
<div class=\"sample\" id=\"${base}\">
<h2>${title}</h2>
<p>${description}</p>
<iframe src=\"${base}/${base}.html\" height=\"${height_${base}}\" title=\"${title} sample\"></iframe>
<p class=\"files\">Template <code>templates/${base}.velm</code> &middot;
<a href=\"${base}/${base}.html\">open the page on its own</a> &middot;
<a href=\"${base}/${base}_PublishReport.txt\">publish report</a></p>
</div>
")
endforeach()
string(APPEND page "</div>\n</body>\n</html>\n")

# The catalog goes along: the template chooser shows its descriptions.
file(COPY "${CATALOG}" DESTINATION "${OUT}")

# Written last and renamed into place: a failed run leaves no index behind, so
# the next build tries again.
file(WRITE "${OUT}/index.html.tmp" "${page}")
file(RENAME "${OUT}/index.html.tmp" "${OUT}/index.html")

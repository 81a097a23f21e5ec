# cmake -DCLI=zerin-cli -DOUT=zerin-cli.1 -DVERSION=x.y -P ManPage.cmake
# The manual page of zerin-cli: its help under the usual headings, as written.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${CLI} --help
  OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed: ${status}")
endif()
# roff: a backslash is written \e, a line starting with a dot or an apostrophe is
# protected by \&.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(REGEX REPLACE "^Usage: [^\n]*\n" "" body "${help}")
file(WRITE ${OUT} ".TH ZERIN-CLI 1 \"\" \"Zerin ${VERSION}\" \"User Commands\"
.SH NAME
zerin-cli \\- check, simulate, analyse and export condition/event nets
.SH SYNOPSIS
.B zerin-cli
.I COMMAND
[\\fIARGUMENTS\\fR]
.SH DESCRIPTION
.nf
${body}.fi
.SH SEE ALSO
.BR zerin (1)
")

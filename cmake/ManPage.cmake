# cmake -DS16CHECK=bin -DHELP2MAN=prog -DOUT=s16check.1 -P ManPage.cmake
# The man page of s16check, made by help2man from its --help and --version,
# with the help of each command and the exit status, environment and files.
set(include "${OUT}.h2m")
set(text "[COMMANDS]\n")
foreach(command check design section)
  execute_process(COMMAND ${S16CHECK} ${command} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${S16CHECK} ${command} --help failed (${status})")
  endif()
  # As preformatted roff: the program's name as typed, backslashes escaped,
  # no line read as a request.
  string(REPLACE "${S16CHECK}" "s16check" help "${help}")
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND text ".SS ${command}\n.nf\n${help}.fi\n")
endforeach()
string(APPEND text "[EXIT STATUS]
.TP
0
every member passes (design: every member found a section)
.TP
1
at least one member fails a check (design: some member has no section within the limits)
.TP
2
a file could not be read, a member could not be checked, or the command line is wrong
[ENVIRONMENT]
.TP
S16_SECTION_CATALOG
the section catalogue folder when --catalog is not given
.TP
NO_COLOR
no colours in the text output
[FILES]
.TP
share/s16check/member.schema.json
under the installation prefix: the JSON Schema of member files, for editors (\"$schema\" in a member file, or VS Code's json.schemas)
.TP
share/bash-completion/completions/s16check
under the installation prefix: the bash completion
")
file(WRITE "${include}" "${text}")
execute_process(COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section 1
                        --name "check structural steel members to CSA S16-09 / CSA S16-14"
                        --include "${include}" --output "${OUT}" ${S16CHECK}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed (${status})")
endif()

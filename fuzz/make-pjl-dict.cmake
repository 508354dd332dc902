# Writes a libFuzzer dictionary for the command file and the PJL header: the
# row and command names and template parameters of the sample model's
# command file, the names the render core's PJL code looks for (its quoted
# words), and the pieces of the template syntax.
#   -DMODEL=<model folder> -DPJL=<render core's pjl folder> -DOUT=<dictionary>
set(words "\"%s{\"" "\"%d{\"" "\"DRV(\"" "\"API(\"" "\",UTF8,\"" "\",,DES}\"" "\",,AES}\""
          "\"@PJL SET \"" "\"\\x0D\\x0A\"")
file(STRINGS ${MODEL}/VELDRANP.txt lines REGEX "^ *(section|row|command|pair) ")
foreach(line ${lines})
  string(REGEX MATCHALL "\"[A-Za-z0-9_]+\"" names "${line}")
  list(APPEND words ${names})
  string(REGEX MATCHALL "(DRV|API)\\([A-Za-z0-9_]+\\)" params "${line}")
  foreach(param ${params})
    list(APPEND words "\"${param}\"")
  endforeach()
endforeach()
file(GLOB sources ${PJL}/*.cpp)
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "\"[A-Za-z][A-Za-z0-9_]+\"")
  foreach(line ${lines})
    string(REGEX MATCHALL "\"[A-Za-z][A-Za-z0-9_]+\"" names "${line}")
    list(APPEND words ${names})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES words)
list(SORT words)
string(REPLACE ";" "\n" content "${words}")
file(WRITE ${OUT} "# Names and template pieces of the command file and the PJL header\n${content}\n")

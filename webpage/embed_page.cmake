# Writes OUTPUT, a C++ source that holds each file of FILES (a list of
# name=path pairs joined by "|") as a char array of that name, ended by a
# zero byte.
string(REPLACE "|" ";" FILES "${FILES}")
set(source "// Generated from webpage/page/ at build time.\n#include \"webpage/page_template.h\"\n\nnamespace qb {\n")
foreach(pair ${FILES})
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 name)
  list(GET parts 1 path)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
  string(APPEND source "\nconst char ${name}[] = {\n${bytes}0};\n")
endforeach()
string(APPEND source "\n}  // namespace qb\n")
file(WRITE "${OUTPUT}.new" "${source}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")

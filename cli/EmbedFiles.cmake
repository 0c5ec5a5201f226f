# Writes a C++ source that holds files as byte arrays, each returned by a
# function of namespace rollpath::cli.
#   cmake -DOUTPUT=file.cpp -DHEADER=cli/SampleData.h -DNAMES="Fn1;Fn2" -DFILES="a;b" -P EmbedFiles.cmake
set(source "// Generated from the repository's samples/ files; do not edit.\n#include \"${HEADER}\"\n\nnamespace rollpath::cli {\n")
foreach(name file IN ZIP_LISTS NAMES FILES)
    file(READ "${file}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
    string(APPEND source "\nnamespace {\nconst unsigned char k${name}[] = {\n    ${bytes}};\n}  // namespace\n")
    string(APPEND source "\nstd::string_view ${name}() {\n    return {reinterpret_cast<const char*>(k${name}), sizeof k${name}};\n}\n")
endforeach()
string(APPEND source "\n}  // namespace rollpath::cli\n")
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")

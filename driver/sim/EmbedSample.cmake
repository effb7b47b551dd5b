# Writes a C++ source that holds the bytes of INPUT as the bundled sample
# environment, so the daemon runs from the build tree without arguments.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
     "// Generated from ${INPUT}; do not edit.\n"
     "#include <string_view>\n"
     "namespace corvane::sim {\n"
     "namespace {\nconst char kSample[] = {\n${bytes}0};\n}  // namespace\n"
     "std::string_view BundledSampleEnvironment() {\n"
     "    return {kSample, sizeof kSample - 1};\n}\n"
     "}  // namespace corvane::sim\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")

# Writes OUT with the program's version, `git describe --always --dirty` of the source tree at
# build time ("unknown" outside a git checkout). The file changes only when the version does.
execute_process(COMMAND git describe --always --dirty --tags
                WORKING_DIRECTORY ${DIR} OUTPUT_VARIABLE version ERROR_QUIET
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR version STREQUAL "")
  set(version "unknown")
endif()
file(WRITE ${OUT}.tmp "// Generated at build time. Do not edit.\n#include \"toolkit/core/uxversion.h\"\n\nconst char* uxversion_program() { return \"${version}\"; }\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)

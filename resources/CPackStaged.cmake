# SPDX-License-Identifier: MIT
# Run by CPack once the files to pack are staged: whatever would differ from one build of a
# commit to the next is fixed to the commit. Every file and folder takes the commit's date,
# and the archive writers take it from SOURCE_DATE_EPOCH for the entries they add themselves.
# The date is the one SOURCE_DATE_EPOCH gives, as Debian's reproducible builds set it, or else
# the date of the commit checked out now.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(date "$ENV{SOURCE_DATE_EPOCH}")
else()
    execute_process(COMMAND git -C "${CPACK_TREVIKA_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT date MATCHES "^[0-9]+$")
    set(date 0)
endif()
set(ENV{SOURCE_DATE_EPOCH} "${date}")
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d "@${date}" "${CPACK_TEMPORARY_DIRECTORY}" ${staged}
                COMMAND_ERROR_IS_FATAL ANY)

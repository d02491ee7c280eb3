# SPDX-License-Identifier: MIT
# Run by CPack once the files to pack are staged: whatever would differ from one build of a
# commit to the next is fixed to the commit. Every file and folder takes the commit's date,
# and the archive writers take it from SOURCE_DATE_EPOCH for the entries they add themselves.
set(ENV{SOURCE_DATE_EPOCH} "${CPACK_TREVIKA_SOURCE_DATE_EPOCH}")
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d "@${CPACK_TREVIKA_SOURCE_DATE_EPOCH}"
                        "${CPACK_TEMPORARY_DIRECTORY}" ${staged}
                COMMAND_ERROR_IS_FATAL ANY)

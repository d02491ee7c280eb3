# SPDX-License-Identifier: MIT
# Run by CPack after it has written a package, before it moves the package from its working
# folder to where it is handed over: records the package's SHA-256 in SHA256SUMS there, in the
# format that "sha256sum -c SHA256SUMS" checks, keeping the lines of other packages.
set(sums "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    get_filename_component(name "${package}" NAME)
    set(lines "")
    if(EXISTS "${sums}")
        file(STRINGS "${sums}" lines)
        list(FILTER lines EXCLUDE REGEX "  ${name}$")
    endif()
    file(SHA256 "${package}" hash)
    list(APPEND lines "${hash}  ${name}")
    list(SORT lines)
    list(JOIN lines "\n" text)
    file(WRITE "${sums}" "${text}\n")
endforeach()

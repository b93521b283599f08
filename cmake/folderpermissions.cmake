# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack between installing into its staging folder and packing it:
# every folder of the package becomes 0755. Nothing outside that folder is
# ever touched.
set(staging "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
if(NOT IS_ABSOLUTE "${staging}" OR NOT IS_DIRECTORY "${staging}" OR NOT staging MATCHES "/_CPack_Packages/")
    message(FATAL_ERROR "no staging folder of cpack: '${staging}'")
endif()
file(GLOB_RECURSE folders LIST_DIRECTORIES true "${staging}/*")
foreach(folder IN LISTS folders)
    if(IS_DIRECTORY "${folder}")
        file(CHMOD "${folder}" DIRECTORY_PERMISSIONS
            OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()

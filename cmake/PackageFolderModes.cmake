# Run by CPack between installing into its staging folder and packing it: gives every folder the
# mode 0755 that Debian expects, since mkdir followed whatever umask the packer has (027 would
# make the installed folders unreadable to other users, 002 group-writable).
file(CHMOD_RECURSE ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

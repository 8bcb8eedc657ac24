# PNG decoding for textures read from the pack.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
target_link_libraries(zeph_objects PUBLIC PkgConfig::PNG)

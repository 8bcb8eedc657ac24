# Glyph outlines for the text objects: FreeType, with fontconfig to find the
# installed font behind a face name.
pkg_check_modules(FREETYPE2 REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(zeph_objects PUBLIC PkgConfig::FREETYPE2 PkgConfig::FONTCONFIG)

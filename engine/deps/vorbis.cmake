# Ogg Vorbis decoding for the engine's music streams.
pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
target_link_libraries(zeph_objects PUBLIC PkgConfig::VORBISFILE)

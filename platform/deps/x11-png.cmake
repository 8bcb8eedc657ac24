# The clipboard's selection owner talks to X11 directly; it offers PNG images.
find_package(Threads REQUIRED)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
pkg_check_modules(PLATFORM_PNG REQUIRED IMPORTED_TARGET libpng)
target_link_libraries(velmora_platform PRIVATE PkgConfig::X11 PkgConfig::PLATFORM_PNG Threads::Threads)

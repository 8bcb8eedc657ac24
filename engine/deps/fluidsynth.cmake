# FluidSynth: the synthesizer the MIDI object plays through.
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
target_link_libraries(zeph_objects PUBLIC PkgConfig::FLUIDSYNTH)

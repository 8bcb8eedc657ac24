# WAV entries read through the sound-effect player: its 36 effects loaded
# from a pack, played, a loop faded, all mixed offline.
velmora_add_fuzzer(wav FuzzWav.cpp LIBS velmora_game zeph_core velmora_packwriter velmora_sampledata DICT wav.dict)

// The generated VORTEXIA artwork and sounds as Qt resources under
// ":/vortexia/" ("bitmap_<id>.bmp", "wave_12.bin" and the sounds
// "wave_<id>.bin"). Call initVortexiaArt() once before reading them from a
// program that links the resource library statically.
#pragma once

void initVortexiaArt();

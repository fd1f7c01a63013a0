// The generated VORTEXIA artwork as Qt resources under ":/vortexia/"
// ("bitmap_<id>.bmp", "wave_12.bin"). Call initVortexiaArt() once before
// reading them from a program that links the resource library statically.
#pragma once

void initVortexiaArt();

// The generated DROX artwork as Qt resources under ":/drox/"
// ("bitmap_<id>.bmp"). Call initDroxArt() once before reading them from a
// program that links the resource library statically.
#pragma once

void initDroxArt();

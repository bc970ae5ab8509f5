// The image decoder compiled into the image target itself, so the sanitizers and the
// fuzzer's coverage reach inside it; these definitions take the place of the shared library's.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

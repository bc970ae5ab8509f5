// The OBJ reader compiled into the OBJ target itself, so the sanitizers and the fuzzer's
// coverage reach inside it; these definitions take the place of the shared library's.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

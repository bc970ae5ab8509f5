// Built into the game and the GL tests of the sanitizer build only.
//
// Mesa loads its GL driver when the first context is made and unloads it when GLFW
// terminates. State the driver made once for the process is then left behind with the only
// pointer to it unmapped, and LeakSanitizer reports it from an unknown module, where no
// suppression can name it. Loading the driver at start-up and marking it never to be unloaded
// keeps that state reachable, as it is in a normal build until the process ends.

#include <dlfcn.h>

namespace
{
__attribute__((constructor)) void KeepGLDriverLoaded()
{
    dlopen(WENDLEBOX_GL_DRIVER, RTLD_NOW | RTLD_NODELETE);
}
}

#include "support/GLContext.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace test
{
namespace
{
// A context that cannot be made says why on standard error, so a failed test shows the cause.
void ReportGlfwError(int code, const char* description)
{
    std::fprintf(stderr, "GLFW error %d: %s\n", code, description);
}

GLFWwindow* OpenHiddenWindow(int width, int height)
{
    if (!glfwInit())
        return nullptr;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, "GL test", nullptr, nullptr);
    if (!window)
        glfwTerminate();
    return window;
}
}

GLContext::GLContext(int width, int height) : width(width), height(height)
{
    glfwSetErrorCallback(ReportGlfwError);
    window = OpenHiddenWindow(width, height);
    // A virtual X server busy with many parallel test programs has been seen to refuse one
    // window now and then; a second try a moment later succeeds.
    if (!window)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        window = OpenHiddenWindow(width, height);
    }
    if (!window)
        return;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
    {
        glfwDestroyWindow(window);
        window = nullptr;
        glfwTerminate();
        return;
    }
    // glewInit can leave a harmless GL_INVALID_ENUM behind on core profiles; tests that check
    // glGetError must not see it.
    while (glGetError() != GL_NO_ERROR)
    {
    }
    glViewport(0, 0, width, height);
}

GLContext::~GLContext()
{
    if (!window)
        return;
    glfwDestroyWindow(window);
    glfwTerminate();
}

std::vector<uint8_t> GLContext::readPixels() const
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::vector<uint8_t> GLContext::readPixel(int x, int y) const
{
    std::vector<uint8_t> pixel(4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

bool SavePNG(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba)
{
    if (width <= 0 || height <= 0 || rgba.size() < static_cast<size_t>(width) * height * 4)
        return false;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const size_t stride = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> topFirst(stride * height);
    for (int row = 0; row < height; ++row)
        std::copy_n(rgba.data() + stride * (height - 1 - row), stride, topFirst.data() + stride * row);
    return stbi_write_png(path.c_str(), width, height, 4, topFirst.data(), static_cast<int>(stride)) != 0;
}
}

#pragma once
// A hidden window with a current OpenGL 3.3 core context for tests that touch GL, and a PNG
// writer so that such tests can leave a picture of what they drew in the test output folder.
// Construct one GLContext at the top of a GL test; check ok() before drawing.

#include <cstdint>
#include <string>
#include <vector>

struct GLFWwindow;

namespace test
{
class GLContext
{
public:
    explicit GLContext(int width = 1280, int height = 720);
    ~GLContext();
    GLContext(const GLContext&) = delete;
    GLContext& operator=(const GLContext&) = delete;

    // False when GLFW, the window or GLEW could not be set up (no display, no driver).
    bool ok() const { return window != nullptr; }
    GLFWwindow* getWindow() const { return window; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // The default framebuffer as RGBA bytes, bottom row first (GL order).
    std::vector<uint8_t> readPixels() const;
    // One RGBA pixel; y counts from the bottom edge like glReadPixels.
    std::vector<uint8_t> readPixel(int x, int y) const;

private:
    GLFWwindow* window = nullptr;
    int width;
    int height;
};

// Writes RGBA bytes given bottom row first (as readPixels returns them) to a PNG file, the
// right way up. Returns false when the file cannot be written.
bool SavePNG(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
}

#pragma once
// A real Dear ImGui context for tests of developer windows: no settings file, a built font
// atlas, a fixed display size. Tests build frames with their drawing code, then read what the
// windows hold: whether a window was drawn, the text it logged, and where an item sits. Items
// are clicked by finding them under a swept pointer and pressing the left button there, as a
// developer would; text is typed into the field that has the focus.

#include <imgui.h>
#include <imgui_internal.h>

#include <functional>
#include <initializer_list>
#include <string>

namespace test
{
class GuiContext
{
public:
    using Draw = std::function<void()>;

    GuiContext()
    {
        context = ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(1920.0f, 1080.0f);
        unsigned char* pixels = nullptr;
        int width = 0;
        int height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    }
    ~GuiContext() { ImGui::DestroyContext(context); }
    GuiContext(const GuiContext&) = delete;
    GuiContext& operator=(const GuiContext&) = delete;

    void frame(const Draw& draw)
    {
        ImGui::GetIO().DeltaTime = 1.0f / 60.0f;
        ImGui::NewFrame();
        draw();
        ImGui::Render();
    }

    // Drawn in the last frame.
    static bool shown(const char* windowName)
    {
        ImGuiWindow* window = ImGui::FindWindowByName(windowName);
        return window && window->Active;
    }

    // The text the first window drawn by `draw` holds, trees and headers expanded. ImGui's
    // log stops at the end of the window it was running in, so one window is read per call.
    std::string text(const Draw& draw)
    {
        std::string captured;
        ImGuiIO& io = ImGui::GetIO();
        io.ClipboardUserData = &captured;
        io.SetClipboardTextFn = [](void* user, const char* text) { static_cast<std::string*>(user)->append(text); };
        io.DeltaTime = 1.0f / 60.0f;
        ImGui::NewFrame();
        ImGui::LogToClipboard(16);
        draw();
        ImGui::LogFinish();
        ImGui::Render();
        io.SetClipboardTextFn = nullptr;
        io.ClipboardUserData = nullptr;
        return captured;
    }

    // The id of an item reached through a window and the labels of the trees, menus or
    // pushed ids that enclose it.
    static ImGuiID idOf(const char* windowName, std::initializer_list<std::string> path)
    {
        ImGuiWindow* window = ImGui::FindWindowByName(windowName);
        ImGuiID seed = window ? window->ID : 0;
        for (const std::string& part : path)
            seed = ImHashStr(part.c_str(), 0, seed);
        return seed;
    }

    // Opens a tree node or collapsing header as a click on it would.
    static void openTree(const char* windowName, std::initializer_list<std::string> path)
    {
        if (ImGuiWindow* window = ImGui::FindWindowByName(windowName))
            window->StateStorage.SetInt(idOf(windowName, path), 1);
    }

    // Sweeps the pointer over the window until the item (named by the labels that lead to it)
    // is under it; false when it is not found (not drawn, or hidden).
    bool hover(const char* windowName, std::initializer_list<std::string> path, const Draw& draw)
    {
        // A new window settles its place and size over its first frames.
        frame(draw);
        frame(draw);
        ImGuiWindow* window = ImGui::FindWindowByName(windowName);
        if (!window || !window->Active)
            return false;
        const ImGuiID id = idOf(windowName, path);
        const ImVec2 origin = window->Pos;
        const ImVec2 size = window->Size;
        for (float x = 12.0f; x < size.x; x += 24.0f)
            for (float y = 2.0f; y < size.y; y += 4.0f)
                if (hoversAt(ImVec2(origin.x + x, origin.y + y), id, draw))
                    return true;
        return false;
    }

    bool click(const char* windowName, std::initializer_list<std::string> path, const Draw& draw)
    {
        if (!hover(windowName, path, draw))
            return false;
        ImGuiIO& io = ImGui::GetIO();
        io.MouseDown[0] = true;
        frame(draw);
        io.MouseDown[0] = false;
        frame(draw);
        return true;
    }

    // Into the field that has the keyboard focus, one frame.
    void type(const char* text, const Draw& draw)
    {
        ImGui::GetIO().AddInputCharactersUTF8(text);
        frame(draw);
    }

    // Presses and releases the left button where nothing is, so the focused field lets go.
    void clickNowhere(const Draw& draw)
    {
        ImGuiIO& io = ImGui::GetIO();
        io.MousePos = ImVec2(io.DisplaySize.x - 2.0f, io.DisplaySize.y - 2.0f);
        io.MouseDown[0] = true;
        frame(draw);
        io.MouseDown[0] = false;
        frame(draw);
    }

private:
    bool hoversAt(ImVec2 position, ImGuiID id, const Draw& draw)
    {
        ImGui::GetIO().MousePos = position;
        frame(draw);
        return GImGui->HoveredId == id;
    }

    ImGuiContext* context = nullptr;
};
}

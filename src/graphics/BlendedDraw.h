#pragma once
// A draw record queued for the blended pass, with its mesh and its distance from the camera
// at queue time. The pass draws the farthest first so nearer translucent objects blend over
// farther ones.

#include "graphics/DrawData.h"

#include <string>

class Mesh;

class BlendedDraw : public DrawData
{
public:
    // Measures the distance from the record's graphics system's current camera to the mesh
    // composed with the record's transform.
    BlendedDraw(Mesh* mesh, DrawData record);
    // The queuing path of Mesh::draw, which has already resolved the graphics system and
    // composed the world transform: the record is copied once, the context name and depth
    // are taken from system, as the constructor above does.
    BlendedDraw(Mesh* mesh, const DrawData& record, GraphicsSystem* system, const glm::vec3& objectPosition);

    std::string getContextName() const { return contextName; }
    // Draws at once; never queues again.
    void draw();

    Mesh* getMesh() const { return mesh; }
    float getDepth() const { return depth; }

private:
    Mesh* mesh;
    float depth = 0.0f;
};

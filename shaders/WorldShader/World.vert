#version 330 core
// World-space meshes: the model, view and projection matrices place each vertex.

layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec2 aTexCoord;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec4 aColour;

uniform mat4 projection;
uniform mat4 view;
uniform mat4 model;

out vec2 vTexCoord;

void main()
{
    vTexCoord = aTexCoord;
    gl_Position = projection * view * model * vec4(aPosition, 1.0);
}

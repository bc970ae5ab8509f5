#version 330 core
// Screen-space quads in window pixels (y down). The texture is flipped vertically so that
// images read the right way up under the y-down projection.

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
    vTexCoord = vec2(aTexCoord.x, 1.0 - aTexCoord.y);
    gl_Position = projection * view * model * vec4(aPosition, 1.0);
}

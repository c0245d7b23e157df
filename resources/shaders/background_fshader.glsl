#version 130
// The background picture, panned by the direction the camera looks from (the
// vertex shader maps the coordinates).

in vec2 ftexCoord;

uniform sampler2D colorTexture;

out vec4 fragColor;

void main()
{
    fragColor = texture(colorTexture, ftexCoord);
}

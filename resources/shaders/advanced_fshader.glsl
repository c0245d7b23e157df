#version 130
// The lit colour plus the material's texture (opacity 0 when it has none).

in vec4 inoutColor;
in vec2 ftexCoord;

uniform sampler2D colorTexture;
uniform float textureOpacity;

out vec4 fragColor;

void main()
{
    // (Without a texture the term is zero: skip the lookup.)
    fragColor = inoutColor;
    if (textureOpacity != 0.0)
        fragColor += texture(colorTexture, ftexCoord) * textureOpacity;
}

#version 130
// The background picture, panned by the direction the camera looks from.

in vec2 ftexCoord;

uniform sampler2D colorTexture;
uniform mat4 view;

out vec4 fragColor;

const float PI = 3.14159265;

void main()
{
    vec3 dir = vec3(view[0][2], view[1][2], view[2][2]);
    float rotation = atan(dir.x, dir.z);
    float tilt = atan(dir.x, dir.y);
    vec2 size = vec2(textureSize(colorTexture, 0));
    float aspect = size.x / size.y;
    fragColor = texture(colorTexture, vec2(ftexCoord.x / aspect - rotation / (2.0 * PI) * aspect,
                                           ftexCoord.y + tilt / (2.0 * PI)));
}

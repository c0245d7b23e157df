#version 130
// The background square, already in clip space. The picture's coordinates
// are an affine map of the square's (worked out once per frame from the
// camera direction), so they are computed here, per corner, and the
// fragment shader only looks the picture up.

in vec4 vPosition;
in vec2 vcoordText;

// (scale x, offset x, scale y, offset y)
uniform vec4 pictureMap;

out vec2 ftexCoord;

void main()
{
    gl_Position = vPosition;
    ftexCoord = vec2(vcoordText.x * pictureMap.x + pictureMap.y, vcoordText.y * pictureMap.z + pictureMap.w);
}

#version 130
// Per-vertex Phong lighting of the robot parts and the floor. With select set,
// the flat diffuse colour alone (the part's identification colour, for picking).

in vec4 vPosition;
in vec3 vNormal;
in vec2 vcoordText;

uniform mat4 model;
uniform mat4 view;
uniform mat4 projection;
uniform mat3 normalMatrix;
uniform vec4 ambientProduct;
uniform vec4 diffuseProduct;
uniform vec4 specularProduct;
uniform vec4 lightPosition;
uniform int select;
uniform float shininess;

out vec4 inoutColor;
out vec2 ftexCoord;

void main()
{
    vec4 eyePosition = view * model * vPosition;
    vec3 N = normalize(mat3(view) * normalMatrix * vNormal);
    vec3 L = normalize(lightPosition.xyz - eyePosition.xyz);
    vec3 E = normalize(-eyePosition.xyz);
    float NL = dot(N, L);
    vec3 R = normalize(2.0 * NL * N - L);
    float Kd = max(NL, 0.0);
    float Ks = NL < 0.0 ? 0.0 : pow(max(dot(R, E), 0.0), shininess);
    if (select == 0)
        inoutColor = vec4((ambientProduct + Kd * diffuseProduct + Ks * specularProduct).rgb, 1.0);
    else
        inoutColor = vec4(diffuseProduct.rgb, 1.0);
    gl_Position = projection * eyePosition;
    ftexCoord = vcoordText;
}

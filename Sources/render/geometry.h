// The geometry stage: the render and physics matrices, the camera, vertex
// and face normals, the light, the fast square root and the pair sort.
//
// Every matrix operation multiplies its new matrix in front (M = Op x M),
// so for row vectors the newest operation acts on a point first.
#pragma once

#include <climits>

#include "render/render_state.h"

void LoadIdentityRender();
void LoadIdentityPhys();
void CopyMatrix(Matrix4 dst, const Matrix4 src);
void MatrixSetTranslation(float x, float y, float z);
void MatrixScale(float sx, float sy, float sz);
// Rx(ax), Rz(az), Ry(ay) multiplied in in this order, each only when its
// angle is not exactly 0.
void MatrixRotateXZY(float ax, float ay, float az);
// Ry(ay), Rz(az), Rx(ax) multiplied in in this order, each only when its
// angle is not exactly 0.
void MatrixRotateYZX(float ax, float ay, float az);
void PhysMatrixRotateYZX(float ax, float ay, float az);
void MatrixMultiplyRender();   // RenderMatrix = RenderOperand x RenderMatrix
void MatrixMultiplyPhys();     // PhysMatrix = PhysOperand x PhysMatrix

// Camera-space x, y, z of every vertex of the object into CameraVertices:
// ((v x R) + T) x V, R and T from the render matrix, V the view's rotation.
void TransformObjectVertices(int object);
// n x (3 x 3 part of the render matrix) for every vertex into RotatedNormals.
void RotateObjectNormals(int object);
// Unit face normals (A - B) x (A - C) by triangle number within the object.
void ComputeFaceNormals(int object);
// Each vertex's normal: the average of the face normals of the triangles
// that use it, made unit length.  Only objects loaded with normals.
void ComputeVertexNormals(int object);

void SetupLightDirection();
void BuildLightClampTable();
void BuildSqrtTable();
// Table-driven square root: 7 mantissa bits of the argument in, about 1 part
// in 256 out.  0 (and anything not above 0) gives 0.
float FastSqrt(float value);

// The back-face determinant of three camera-space corners: the triangle
// faces the viewer when it is below 0.
inline float FaceDeterminant(const float* a, const float* b, const float* c) {
    return (a[0] * b[2] - a[2] * b[0]) * c[1] + (a[2] * b[1] - a[1] * b[2]) * c[0] +
           (a[1] * b[0] - a[0] * b[1]) * c[2];
}

// Float to the nearest integer (ties to even, as the processor rounds),
// saturating; NaN gives 0.  No conversion of the drawing path is left to
// the undefined behaviour of an out-of-range cast.
inline int RoundToInt(float value) {
    if (!(value > -2147483648.0f))
        return value != value ? 0 : INT_MIN;
    if (!(value < 2147483648.0f))
        return INT_MAX;
    double rounded = (double)value + 6755399441055744.0;   // 1.5 x 2^52 leaves no fraction bits
    rounded -= 6755399441055744.0;
    return (int)rounded;
}

// LightClampTable at the light value, the index saturated to the table.
inline int ClampLight(int value) {
    int index = value + 512;
    index = index < 0 ? 0 : index > 2047 ? 2047 : index;
    return LightClampTable[index];
}

#include "render/geometry.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "render/objects.h"

Matrix4 RenderMatrix, PhysMatrix;
Matrix4 RenderOperand, PhysOperand;
Matrix4 ViewMatrix;

CameraVertex CameraVertices[VERTEX_POOL_SIZE];
float RotatedNormals[VERTEX_POOL_SIZE * 3];
// Face normals by triangle number within one object: sized for the largest
// object the pool can hold.
float FaceNormalX[TRIANGLE_POOL_SIZE], FaceNormalY[TRIANGLE_POOL_SIZE], FaceNormalZ[TRIANGLE_POOL_SIZE];

float LightDirection[3];
float FixedLightVector[3];
int SpriteColour;
int LightClampTable[2048];
int SqrtTable[256];

// ---------------------------------------------------------------------------
// Matrices.

static void SetIdentity(Matrix4 m) {
    memset(m, 0, sizeof(Matrix4));
    m[0][0] = m[1][1] = m[2][2] = m[3][3] = 1.0f;
}

void LoadIdentityRender() { SetIdentity(RenderMatrix); }
void LoadIdentityPhys() { SetIdentity(PhysMatrix); }
void CopyMatrix(Matrix4 dst, const Matrix4 src) { memcpy(dst, src, sizeof(Matrix4)); }

void MatrixSetTranslation(float x, float y, float z) {
    RenderMatrix[3][0] = x;
    RenderMatrix[3][1] = y;
    RenderMatrix[3][2] = z;
}

// m = op x m
static void MultiplyInFront(Matrix4 m, const Matrix4 op) {
    Matrix4 result;
    for (int i = 0; i < 4; i++) {
        for (int j = 0; j < 4; j++)
            result[i][j] = op[i][0] * m[0][j] + op[i][1] * m[1][j] + op[i][2] * m[2][j] + op[i][3] * m[3][j];
    }
    memcpy(m, result, sizeof(Matrix4));
}

void MatrixMultiplyRender() { MultiplyInFront(RenderMatrix, RenderOperand); }
void MatrixMultiplyPhys() { MultiplyInFront(PhysMatrix, PhysOperand); }

void MatrixScale(float sx, float sy, float sz) {
    SetIdentity(RenderOperand);
    RenderOperand[0][0] = sx;
    RenderOperand[1][1] = sy;
    RenderOperand[2][2] = sz;
    MatrixMultiplyRender();
}

// The operand becomes the rotation about one axis; an angle of exactly 0
// multiplies nothing.
static void RotateX(Matrix4 m, Matrix4 op, float a) {
    if (a == 0.0f)
        return;
    const float c = std::cos(a), s = std::sin(a);
    SetIdentity(op);
    op[1][1] = c;
    op[1][2] = s;
    op[2][1] = -s;
    op[2][2] = c;
    MultiplyInFront(m, op);
}

static void RotateY(Matrix4 m, Matrix4 op, float a) {
    if (a == 0.0f)
        return;
    const float c = std::cos(a), s = std::sin(a);
    SetIdentity(op);
    op[0][0] = c;
    op[0][2] = -s;
    op[2][0] = s;
    op[2][2] = c;
    MultiplyInFront(m, op);
}

static void RotateZ(Matrix4 m, Matrix4 op, float a) {
    if (a == 0.0f)
        return;
    const float c = std::cos(a), s = std::sin(a);
    SetIdentity(op);
    op[0][0] = c;
    op[0][1] = s;
    op[1][0] = -s;
    op[1][1] = c;
    MultiplyInFront(m, op);
}

void MatrixRotateXZY(float ax, float ay, float az) {
    RotateX(RenderMatrix, RenderOperand, ax);
    RotateZ(RenderMatrix, RenderOperand, az);
    RotateY(RenderMatrix, RenderOperand, ay);
}

void MatrixRotateYZX(float ax, float ay, float az) {
    RotateY(RenderMatrix, RenderOperand, ay);
    RotateZ(RenderMatrix, RenderOperand, az);
    RotateX(RenderMatrix, RenderOperand, ax);
}

void PhysMatrixRotateYZX(float ax, float ay, float az) {
    RotateY(PhysMatrix, PhysOperand, ay);
    RotateZ(PhysMatrix, PhysOperand, az);
    RotateX(PhysMatrix, PhysOperand, ax);
}

// ---------------------------------------------------------------------------
// Objects into camera space.

void TransformObjectVertices(int object) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span))
        return;
    // Combine once: the object's rotation then the view's, and the
    // translation turned by the view.
    float m[4][3];
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 3; c++)
            m[r][c] = RenderMatrix[r][0] * ViewMatrix[0][c] + RenderMatrix[r][1] * ViewMatrix[1][c] +
                      RenderMatrix[r][2] * ViewMatrix[2][c];
    }
    const ObjectVertex* in = &VertexPool[span.firstVertex];
    CameraVertex* out = CameraVertices;
    for (int i = 0; i < span.vertexCount; i++) {
        const float x = in[i].x, y = in[i].y, z = in[i].z;
        out[i].x = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
        out[i].y = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
        out[i].z = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2];
    }
}

void RotateObjectNormals(int object) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span))
        return;
    if (!span.lit) {
        memset(RotatedNormals, 0, (size_t)span.vertexCount * 3 * sizeof(float));
        return;
    }
    const float* n = &VertexNormals[span.normalsStart];
    const Matrix4& m = RenderMatrix;
    for (int i = 0; i < span.vertexCount * 3; i += 3) {
        const float x = n[i], y = n[i + 1], z = n[i + 2];
        RotatedNormals[i] = x * m[0][0] + y * m[1][0] + z * m[2][0];
        RotatedNormals[i + 1] = x * m[0][1] + y * m[1][1] + z * m[2][1];
        RotatedNormals[i + 2] = x * m[0][2] + y * m[1][2] + z * m[2][2];
    }
}

// A triangle's corners must lie in its object; a bad one keeps a zero normal.
static int TriangleCorners(const ObjectSpan& span, int t, int corners[3]) {
    const ObjectTriangle& tri = TrianglePool[span.firstTriangle + t];
    for (int k = 0; k < 3; k++) {
        corners[k] = (int)(tri.corner[k] & 0xFFFF);
        if (corners[k] < span.firstVertex || corners[k] >= span.firstVertex + span.vertexCount)
            return 0;
    }
    return 1;
}

void ComputeFaceNormals(int object) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span))
        return;
    for (int t = 0; t < span.triangleCount; t++) {
        int corners[3];
        float x = 0.0f, y = 0.0f, z = 0.0f;
        if (TriangleCorners(span, t, corners)) {
            const ObjectVertex& A = VertexPool[corners[0]];
            const ObjectVertex& B = VertexPool[corners[1]];
            const ObjectVertex& C = VertexPool[corners[2]];
            x = (A.y - B.y) * (A.z - C.z) - (A.z - B.z) * (A.y - C.y);
            y = (A.x - C.x) * (A.z - B.z) - (A.x - B.x) * (A.z - C.z);
            z = (A.x - B.x) * (A.y - C.y) - (A.x - C.x) * (A.y - B.y);
            float length = FastSqrt(x * x + y * y + z * z);
            if (length == 0.0f)
                length = 1.0f;
            x /= length;
            y /= length;
            z /= length;
        }
        FaceNormalX[t] = x;
        FaceNormalY[t] = y;
        FaceNormalZ[t] = z;
    }
}

void ComputeVertexNormals(int object) {
    ObjectSpan span;
    if (!GetObjectSpan(object, &span) || !span.lit)
        return;
    ComputeFaceNormals(object);

    // Summed in triangle order per vertex, each triangle once however many
    // of its corners name the vertex.
    static float sumX[VERTEX_POOL_SIZE], sumY[VERTEX_POOL_SIZE], sumZ[VERTEX_POOL_SIZE];
    static int uses[VERTEX_POOL_SIZE];
    for (int i = 0; i < span.vertexCount; i++) {
        sumX[i] = sumY[i] = sumZ[i] = 0.0f;
        uses[i] = 0;
    }
    for (int t = 0; t < span.triangleCount; t++) {
        int corners[3];
        if (!TriangleCorners(span, t, corners))
            continue;
        for (int k = 0; k < 3; k++) {
            if ((k >= 1 && corners[k] == corners[0]) || (k == 2 && corners[2] == corners[1]))
                continue;
            const int i = corners[k] - span.firstVertex;
            sumX[i] += FaceNormalX[t];
            sumY[i] += FaceNormalY[t];
            sumZ[i] += FaceNormalZ[t];
            uses[i]++;
        }
    }
    for (int i = 0; i < span.vertexCount; i++) {
        if (uses[i] == 0)
            continue;
        const float x = sumX[i] / (float)uses[i], y = sumY[i] / (float)uses[i], z = sumZ[i] / (float)uses[i];
        float length = FastSqrt(x * x + y * y + z * z);
        if (length == 0.0f)
            length = 1.0f;
        float* n = &VertexNormals[span.normalsStart + i * 3];
        n[0] = x / length;
        n[1] = y / length;
        n[2] = z / length;
    }
}

// ---------------------------------------------------------------------------
// Light and tables.

void SetupLightDirection() {
    const float length = FastSqrt((float)(1.85 * 1.85 + 0.65 * 0.65));
    LightDirection[0] = (float)(1.85 / length);
    LightDirection[1] = (float)(-0.65 / length);
    LightDirection[2] = 0.0f;
}

void BuildLightClampTable() {
    for (int i = 0; i < 2048; i++) {
        const int v = i - 512;
        LightClampTable[i] = v < 60 ? 60 : v > 255 ? 255 : v;
    }
}

// Entry i: the 23 mantissa bits of sqrt(1 + i/128), and from 128 on of
// sqrt(2 (1 + (i - 128)/128)) for arguments with an odd exponent.
void BuildSqrtTable() {
    for (int i = 0; i < 256; i++) {
        const double root = i < 128 ? std::sqrt(1.0 + i / 128.0) : std::sqrt(2.0 * (1.0 + (i - 128) / 128.0));
        SqrtTable[i] = (int)(std::bit_cast<uint32_t>((float)root) & 0x7FFFFF);
    }
}

float FastSqrt(float value) {
    if (!(value > 0.0f))
        return 0.0f;
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    const int e = (int)(bits >> 23) - 127;
    const int index = (int)(bits >> 16 & 0x7F) + (e & 1 ? 128 : 0);
    const uint32_t exponent = (uint32_t)((e >> 1) + 127);
    return std::bit_cast<float>(exponent << 23 | (uint32_t)SqrtTable[index]);
}

// The root and the clamp are pure functions of their tables: fill them before
// anything can ask, so code that runs without the start-up (tools, tests of
// other subsystems) gets the same answers.  Start-up builds them again.
static const int TablesBuiltEarly = (BuildSqrtTable(), BuildLightClampTable(), 1);

// quorvix-objdump: prints what a 3D object holds, for a person checking data.
//
//   quorvix-objdump [--game GAMEDIR] [-o OUTFILE] PATH.ver
//
// PATH names the object's .ver file; the .tri, .inf and .nor beside it are
// read too.  It is a host path or a game path ("3d\Cars\Vondel\INTERIOR.ver"),
// looked up in the data archives and then the plain folders of GAMEDIR (the
// current folder by default), as the game reads it.  Prints the counts, the
// bounds, the texture numbers and any fault the game's loader would refuse
// the object for.  Exit status: 0 a sound object, 1 a faulty one, 2 when the
// files cannot be read or the usage is wrong.

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "frame/fileio.h"
#include "frame/vfs.h"
#include "platform/plat_file.h"
#include "render/object_files.h"
#include "render/objects.h"

static ObjectVertex Vertices[VERTEX_POOL_SIZE];
static ObjectTriangle Triangles[TRIANGLE_POOL_SIZE];
static ObjectNormal Normals[VERTEX_POOL_SIZE];

static void Usage() { fprintf(stderr, "usage: quorvix-objdump [--game GAMEDIR] [-o OUTFILE] PATH.ver\n"); }

// Bytes read, 0 when the file is missing, empty or larger than the buffer.
static int ReadObjectFile(const std::string& path, void* buffer, int capacity) {
    return ReadWholeFile(path.c_str(), buffer, capacity) > 0 ? LastFileSize : 0;
}

static int Dump(const std::string& base, FILE* out) {
    const int verBytes = ReadObjectFile(base + ".ver", Vertices, sizeof Vertices);
    const int triBytes = ReadObjectFile(base + ".tri", Triangles, sizeof Triangles);
    unsigned char infImage[12] = {};
    const int infBytes = ReadObjectFile(base + ".inf", infImage, sizeof infImage);
    const int norBytes = ReadObjectFile(base + ".nor", Normals, sizeof Normals);
    if (verBytes == 0 && triBytes == 0 && infBytes == 0) {
        fprintf(stderr, "quorvix-objdump: cannot read %s.ver, .tri or .inf (missing, or too large for the pools)\n",
                base.c_str());
        return 2;
    }

    int problems = 0;
    auto problem = [&](const char* text, long a = 0, long b = 0) {
        fprintf(out, "problem  ");
        fprintf(out, text, a, b);
        fprintf(out, "\n");
        problems++;
    };

    const int vertices = verBytes / (int)sizeof(ObjectVertex);
    const int triangles = triBytes / (int)sizeof(ObjectTriangle);
    ObjectInfo info = {0, 0};
    if (infBytes >= (int)sizeof info)
        memcpy(&info, infImage, sizeof info);

    fprintf(out, "object   %s\n", base.c_str());
    fprintf(out, "files    .ver %d bytes  .tri %d bytes  .inf %d bytes  .nor %d bytes\n", verBytes, triBytes, infBytes,
            norBytes);
    fprintf(out, "counts   vertices %d  triangles %d  (.inf says %d, %d)\n", vertices, triangles, info.vertexCount,
            info.triangleCount);

    if (infBytes != 8 && infBytes != 12)
        problem(".inf is %ld bytes, not 8 (or 12 after the authoring re-save)", infBytes);
    if (infBytes == 12)
        fprintf(out, "note     12-byte .inf: already processed by the authoring re-save\n");
    if (verBytes % (int)sizeof(ObjectVertex) != 0)
        problem(".ver is %ld bytes, not a whole number of 20-byte vertices", verBytes);
    if (triBytes % (int)sizeof(ObjectTriangle) != 0)
        problem(".tri is %ld bytes, not a whole number of 16-byte triangles", triBytes);
    if (info.vertexCount != vertices || info.triangleCount != triangles)
        problem("the .inf counts disagree with the file sizes (the game loads the object empty)");
    if (norBytes != 0 && norBytes != vertices * (int)sizeof(ObjectNormal))
        problem(".nor holds %ld bytes for %ld vertices (the game draws the object unlit)", norBytes, vertices);

    if (vertices > 0) {
        float low[5], high[5];
        for (int c = 0; c < 5; c++)
            low[c] = high[c] = (&Vertices[0].x)[c];
        int notFinite = 0;
        for (int i = 0; i < vertices; i++) {
            for (int c = 0; c < 5; c++) {
                const float value = (&Vertices[i].x)[c];
                if (!std::isfinite(value)) {
                    notFinite++;
                    continue;
                }
                low[c] = value < low[c] ? value : low[c];
                high[c] = value > high[c] ? value : high[c];
            }
        }
        fprintf(out, "bounds   x %g .. %g  y %g .. %g  z %g .. %g\n", low[0], high[0], low[1], high[1], low[2],
                high[2]);
        fprintf(out, "uv       u %g .. %g  v %g .. %g\n", low[3], high[3], low[4], high[4]);
        if (notFinite)
            problem("%ld vertex values are not finite numbers", notFinite);
    }

    std::map<int, int> textures;
    int twoSided = 0, badCorners = 0;
    for (int t = 0; t < triangles; t++) {
        textures[(int)(Triangles[t].texture & 0xFFFF)]++;
        if (Triangles[t].texture >> 16)
            twoSided++;
        for (uint32_t corner : Triangles[t].corner) {
            if ((int)(corner & 0xFFFF) >= vertices || (int)(corner >> 16) >= vertices)
                badCorners++;
        }
    }
    fprintf(out, "textures");
    for (const auto& [number, count] : textures)
        fprintf(out, " %d x%d", number, count);
    fprintf(out, "\n");
    fprintf(out, "two-sided %d\n", twoSided);
    if (badCorners)
        problem("%ld corners name a vertex past the object's %ld vertices", badCorners, vertices);

    fprintf(out, "status   %s\n", problems ? "faulty" : "ok");
    return problems ? 1 : 0;
}

int main(int argc, char** argv) {
    const char* gameDir = nullptr;
    const char* outPath = nullptr;
    const char* verPath = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--game") == 0 && i + 1 < argc)
            gameDir = argv[++i];
        else if (strcmp(argv[i], "-o") == 0 && i + 1 < argc)
            outPath = argv[++i];
        else if (argv[i][0] != '-' && !verPath)
            verPath = argv[i];
        else {
            Usage();
            return 2;
        }
    }
    std::string base = verPath ? verPath : "";
    std::string extension = base.size() > 4 ? base.substr(base.size() - 4) : "";
    for (char& c : extension)
        c = (char)tolower((unsigned char)c);
    if (extension != ".ver") {
        Usage();
        return 2;
    }
    base.resize(base.size() - 4);

    if (gameDir && !PlatSetCurrentDir(gameDir)) {
        fprintf(stderr, "quorvix-objdump: no folder %s\n", gameDir);
        return 2;
    }
    VfsScanArchives();
    FILE* out = stdout;
    if (outPath && !(out = fopen(outPath, "w"))) {
        fprintf(stderr, "quorvix-objdump: cannot write %s\n", outPath);
        return 2;
    }
    const int status = Dump(base, out);
    if (out != stdout)
        fclose(out);
    return status;
}

// The fuzz target carries its own stb_image with every decoder a picture in rich
// text may use, so the reader's picture paths are fuzzed without the whole toolkit.

#pragma GCC diagnostic ignored "-Wunused-function"
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

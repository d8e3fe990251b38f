/* A plain C host that knows the image library from its header alone: prints the size and the
 * first pixel of the picture named on the command line, or the error code. */
#include "VelomiraIS.h"

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2 || IS40_Initialize() != 1) return 2;
    IS40_SOURCE source = IS40_OpenFileSource(argv[1]);
    int32_t width = 0, height = 0;
    uint8_t* pixels = source ? IS40_ReadImage(source, &width, &height, 0, 0) : NULL;
    IS40_CloseSource(source);
    if (pixels == NULL) {
        printf("error %d\n", IS40_GetLastError());
        return 1;
    }
    printf("%dx%d %d,%d,%d\n", width, height, pixels[0], pixels[1], pixels[2]);
    free(pixels);
    return 0;
}

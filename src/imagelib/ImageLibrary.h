#pragma once

#include "VelomiraIS.h"
#include "VelomiraISE.h"

#include <QString>
#include <QStringList>

// Every function the program calls in the two image libraries, by library.
#define VELOMIRA_IS_FUNCTIONS(X)                                                                             \
    X(IS40_Initialize)                                                                                       \
    X(IS40_GetVersion) X(IS40_GetLastError) X(IS40_OpenFileSource) X(IS40_CloseSource) X(IS40_ReadImage)     \
        X(IS40_ReadImageSize) X(IS40_ReadImageResized) X(IS40_OpenFileDest) X(IS40_WriteBMP)                 \
            X(IS40_CloseDest) X(IS40_ResizeImage) X(IS40_ResizeImagePart) X(IS40_CropImage)                  \
                X(IS40_FillSolidRect) X(IS40_OverlayImage) X(IS40_GetTextLineSize2)                          \
                    X(IS40_SetTextTransparency) X(IS40_DrawSmoothTextOnRGB2) X(IS40_QuickRotateImageInPlace) \
                        X(IS40_ImageToGrayScale8Bit) X(IS40_AlphaBlendRGB)                                   \
                            X(IS40_FillTransparentRectOnImage) X(IS40_DrawLineOnImage)                       \
                                X(IS40_EXIFCreateReader) X(IS40_EXIFGetString) X(IS40_EXIFDestroyReader)     \
                                    X(IS40_IPTCInitialize) X(IS40_IPTCGetTagList) X(IS40_IPTCGetTag)         \
                                        X(IS40_IPTCRelease)
#define VELOMIRA_ISE_FUNCTIONS(X) X(ISE40_Initialize) X(ISE40_GetVersion) X(ISE40_SeamCarve)

struct ImageLibraryFunctions {
#define VELOMIRA_DECLARE_POINTER(name) decltype(&::name) name = nullptr;
    VELOMIRA_IS_FUNCTIONS(VELOMIRA_DECLARE_POINTER)
    VELOMIRA_ISE_FUNCTIONS(VELOMIRA_DECLARE_POINTER)
#undef VELOMIRA_DECLARE_POINTER
};

// The image libraries libVelomiraIS.so and libVelomiraISE.so, loaded at run time. They stay loaded
// until the process ends.
class ImageLibrary {
public:
    static constexpr const char* kBaseFile = "libVelomiraIS.so";
    static constexpr const char* kEffectsFile = "libVelomiraISE.so";

    // Loads and initialises the base library, then the effects library, each from the first of
    // `folders` that holds it. Returns an empty string on success, else the message for the user
    // naming the library that could not be loaded or initialised.
    QString load(const QStringList& folders);

    bool loaded() const { return loaded_; }
    const ImageLibraryFunctions& fn() const { return fn_; }

private:
    ImageLibraryFunctions fn_;
    bool loaded_ = false;
};

// The program's one instance.
ImageLibrary& Library();

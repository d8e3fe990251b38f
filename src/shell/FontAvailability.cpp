#include "shell/FontAvailability.h"

#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

// Whether `name` is one of the strongly bound family names of `pattern`.
bool HasStrongFamily(const FcPattern* pattern, const FcChar8* name) {
    FcValue value;
    FcValueBinding binding;
    for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i)
        if (value.type == FcTypeString && binding == FcValueBindingStrong &&
            FcStrCmpIgnoreCase(value.u.s, name) == 0)
            return true;
    return false;
}

} // namespace

// After substitution the family asked for is bound strongly, and so are the faces that rules with
// binding="same" add to it (the metric aliases); generic fallbacks such as sans-serif and the faces
// preferred for them are bound weakly. The family is installed when the best match carries one of
// the strongly bound names.
QString InstalledFace(const QString& family) {
    const QByteArray name = family.toUtf8();
    const Pattern request(FcPatternCreate(), FcPatternDestroy);
    if (!request ||
        !FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.data())) ||
        !FcConfigSubstitute(nullptr, request.get(), FcMatchPattern))
        return {};
    FcDefaultSubstitute(request.get());
    FcResult result;
    const Pattern match(FcFontMatch(nullptr, request.get(), &result), FcPatternDestroy);
    FcChar8* face = nullptr;
    for (int i = 0; match && FcPatternGetString(match.get(), FC_FAMILY, i, &face) == FcResultMatch; ++i)
        if (HasStrongFamily(request.get(), face))
            return QString::fromUtf8(reinterpret_cast<const char*>(face));
    return {};
}

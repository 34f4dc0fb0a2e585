// The image windows' options: the application's once handed over, else a
// set of defaults of their own.
#include "ImageWindowOptions.h"

#include "../settings/Settings.h"

#include <optional>

namespace {

std::optional<ImageWindowOptions> g_used;

}  // namespace

void UseImageWindowOptions(const ImageWindowOptions& options)
{
    g_used.emplace(options);
}

const ImageWindowOptions& ImageOptions()
{
    if (!g_used) {
        static Options defaults = DefaultOptions(SystemDefaults());
        g_used.emplace(ImageWindowOptions{defaults.session, defaults.capture.sendTo, defaults.files, defaults.format,
                                          defaults.frame, defaults.blackWhite, nullptr});
    }
    return *g_used;
}

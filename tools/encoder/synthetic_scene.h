// Synthetic Mars views for sample pictures: a cratered planet disc with limb
// darkening and a terminator, or a close-up of a cratered plain under a low
// sun. Everything follows from the seed, so a scene is the same on every run.
#pragma once

#include <cstdint>

#include "state/grey_image.h"

namespace orbalux::encoder {

enum class SceneKind { PlanetDisc, CrateredPlain };

struct ScenePlan {
    SceneKind kind = SceneKind::PlanetDisc;
    int width = 945;
    int height = 702;
    double pixelAspect = 1.0;  // shown width of a pixel over its height (6 for the narrow lines)
    std::uint32_t seed = 1;
};

GreyImage RenderScene(const ScenePlan& plan);

// Sprinkles `count` single-pixel bright and dark specks, as transmission
// noise leaves them.
void AddSpeckles(GreyImage& image, int count, std::uint32_t seed);

}  // namespace orbalux::encoder

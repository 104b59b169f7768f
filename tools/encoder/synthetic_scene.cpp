#include "tools/encoder/synthetic_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace orbalux::encoder {

namespace {

class SceneRandom {
public:
    explicit SceneRandom(std::uint32_t seed) : state_(0x853C49E6748FEA9BULL ^ seed) {}
    double Uniform() {  // [0, 1)
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
    }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

private:
    std::uint64_t state_;
};

// Smooth value noise on a square lattice, a few octaves: albedo patches.
class AlbedoNoise {
public:
    explicit AlbedoNoise(SceneRandom& random) : lattice_(kSize * kSize) {
        for (double& v : lattice_) v = random.Uniform();
    }
    double At(double u, double v) const {
        double sum = 0, weight = 0, amplitude = 1, frequency = 3;
        for (int octave = 0; octave < 5; ++octave) {
            sum += amplitude * Lattice(u * frequency + 17.0 * octave, v * frequency);
            weight += amplitude;
            amplitude *= 0.5;
            frequency *= 2.1;
        }
        return sum / weight;
    }

private:
    static constexpr int kSize = 64;
    double Node(int i, int j) const {
        return lattice_[static_cast<std::size_t>(((j % kSize + kSize) % kSize) * kSize + (i % kSize + kSize) % kSize)];
    }
    double Lattice(double x, double y) const {
        const double fx = std::floor(x), fy = std::floor(y);
        const int i = static_cast<int>(fx), j = static_cast<int>(fy);
        const double sx = (x - fx) * (x - fx) * (3 - 2 * (x - fx));
        const double sy = (y - fy) * (y - fy) * (3 - 2 * (y - fy));
        const double top = Node(i, j) + (Node(i + 1, j) - Node(i, j)) * sx;
        const double bottom = Node(i, j + 1) + (Node(i + 1, j + 1) - Node(i, j + 1)) * sx;
        return top + (bottom - top) * sy;
    }
    std::vector<double> lattice_;
};

// Surface slopes (dh/du, dh/dv) of a field of bowl craters with raised rims,
// in shown coordinates (picture height = 1).
struct SlopeField {
    int width, height;
    double pixelAspect;
    std::vector<double> du, dv;

    SlopeField(int w, int h, double aspect)
        : width(w), height(h), pixelAspect(aspect),
          du(static_cast<std::size_t>(w) * h, 0.0), dv(static_cast<std::size_t>(w) * h, 0.0) {}

    void AddCrater(double cu, double cv, double radius) {
        const double reach = radius * 1.6;
        const int y0 = std::max(0, static_cast<int>((cv - reach) * height));
        const int y1 = std::min(height - 1, static_cast<int>((cv + reach) * height) + 1);
        const int x0 = std::max(0, static_cast<int>((cu - reach) * height / pixelAspect));
        const int x1 = std::min(width - 1, static_cast<int>((cu + reach) * height / pixelAspect) + 1);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double u = (x + 0.5) * pixelAspect / height, v = (y + 0.5) / height;
                const double dist = std::hypot(u - cu, v - cv);
                if (dist >= reach || dist < 1e-9) continue;
                const double t = dist / radius;
                // bowl: depth 0.25 r, parabolic; rim: a low ring of height 0.035 r
                double slope = t < 1.0 ? 0.5 * t : 0.0;
                const double ring = (t - 1.0) / 0.18;
                slope += -0.07 / 0.18 * ring * std::exp(-ring * ring);
                const std::size_t k = static_cast<std::size_t>(y) * width + x;
                du[k] += slope * (u - cu) / dist;
                dv[k] += slope * (v - cv) / dist;
            }
        }
    }
};

void ScatterCraters(SlopeField& field, SceneRandom& random, int count, double minRadius, double maxRadius) {
    const double shownWidth = field.width * field.pixelAspect / field.height;
    for (int i = 0; i < count; ++i) {
        // Many small craters, few large ones.
        const double r = std::min(maxRadius, minRadius * std::pow(1.0 - random.Uniform(), -1.0 / 1.6));
        field.AddCrater(random.Range(0, shownWidth), random.Range(0, 1), r);
    }
}

std::uint8_t ToGrey(double level) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(level), 0L, 255L));
}

// Small dark dots in a regular grid, like the camera's reseau marks.
void AddReseau(GreyImage& image, double pixelAspect) {
    const double stepV = 1.0 / 7;
    const double shownWidth = image.width * pixelAspect / image.height;
    for (double v = stepV / 2; v < 1.0; v += stepV) {
        for (double u = stepV / 2; u < shownWidth; u += stepV) {
            const int cx = static_cast<int>(u * image.height / pixelAspect);
            const int cy = static_cast<int>(v * image.height);
            for (int d = -2; d <= 2; ++d) {
                const int arm = std::max(0, static_cast<int>(2 / pixelAspect));
                if (cy + d >= 0 && cy + d < image.height && cx < image.width) image.At(cx, cy + d) /= 3;
                for (int a = -arm; a <= arm; ++a) {
                    if (cx + a >= 0 && cx + a < image.width && cy < image.height) image.At(cx + a, cy) /= 3;
                }
            }
        }
    }
}

GreyImage RenderPlanet(const ScenePlan& plan, SceneRandom& random) {
    const double shownWidth = plan.width * plan.pixelAspect / plan.height;
    const double cu = shownWidth * random.Range(0.45, 0.55), cv = random.Range(0.45, 0.55);
    const double radius = 0.42 * std::min(1.0, shownWidth);
    const double phase = random.Range(0.6, 1.1);  // sun angle from the line of sight
    const double sun[3] = {std::sin(phase), -0.15, std::cos(phase)};
    const double sunNorm = std::hypot(sun[0], sun[1], sun[2]);

    SlopeField slopes(plan.width, plan.height, plan.pixelAspect);
    ScatterCraters(slopes, random, 220, 0.004, 0.07);
    AlbedoNoise albedo(random);

    GreyImage image(plan.width, plan.height);
    for (int y = 0; y < plan.height; ++y) {
        for (int x = 0; x < plan.width; ++x) {
            const double u = (x + 0.5) * plan.pixelAspect / plan.height, v = (y + 0.5) / plan.height;
            const double nx = (u - cu) / radius, ny = (v - cv) / radius;
            const double rr = nx * nx + ny * ny;
            double level = 6 + 3 * random.Uniform();  // dark sky with a little noise
            if (rr < 1.0) {
                const std::size_t k = static_cast<std::size_t>(y) * plan.width + x;
                const double mu = std::sqrt(1.0 - rr);  // cosine of the viewing angle
                // Crater slopes tilt the local normal, foreshortened towards the limb.
                double n[3] = {nx - 1.2 * slopes.du[k] * mu, ny - 1.2 * slopes.dv[k] * mu, mu};
                const double nn = std::hypot(n[0], n[1], n[2]);
                const double mu0 = (n[0] * sun[0] + n[1] * sun[1] + n[2] * sun[2]) / (nn * sunNorm);
                if (mu0 > 0) {
                    const double a = 0.55 + 0.6 * albedo.At(u * 2.5, v * 2.5) - 0.25 * (albedo.At(u, v) > 0.62);
                    // Minnaert law: limb darkening with k = 0.75
                    level += 235 * a * std::pow(mu0, 0.75) * std::pow(mu, -0.25) * 0.8;
                }
            }
            image.At(x, y) = ToGrey(level);
        }
    }
    AddReseau(image, plan.pixelAspect);
    return image;
}

GreyImage RenderPlain(const ScenePlan& plan, SceneRandom& random) {
    SlopeField slopes(plan.width, plan.height, plan.pixelAspect);
    ScatterCraters(slopes, random, 320, 0.005, 0.2);
    AlbedoNoise albedo(random);
    const double sunAzimuth = random.Range(0, 2 * std::numbers::pi);
    const double su = std::cos(sunAzimuth), sv = std::sin(sunAzimuth);

    GreyImage image(plan.width, plan.height);
    for (int y = 0; y < plan.height; ++y) {
        for (int x = 0; x < plan.width; ++x) {
            const double u = (x + 0.5) * plan.pixelAspect / plan.height, v = (y + 0.5) / plan.height;
            const std::size_t k = static_cast<std::size_t>(y) * plan.width + x;
            const double tilt = -(slopes.du[k] * su + slopes.dv[k] * sv);  // low sun: slope facing it is bright
            const double a = 0.7 + 0.5 * albedo.At(u * 1.5, v * 1.5);
            image.At(x, y) = ToGrey(110 * a * (1.0 + 1.4 * tilt) + 4 * random.Uniform());
        }
    }
    AddReseau(image, plan.pixelAspect);
    return image;
}

}  // namespace

GreyImage RenderScene(const ScenePlan& plan) {
    SceneRandom random(plan.seed);
    return plan.kind == SceneKind::PlanetDisc ? RenderPlanet(plan, random) : RenderPlain(plan, random);
}

void AddSpeckles(GreyImage& image, int count, std::uint32_t seed) {
    if (image.pixels.empty()) return;
    SceneRandom random(seed ^ 0x5EC4u);
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(random.Uniform() * image.width);
        const int y = static_cast<int>(random.Uniform() * image.height);
        image.At(x, y) = random.Uniform() < 0.6 ? 255 : 0;
    }
}

}  // namespace orbalux::encoder

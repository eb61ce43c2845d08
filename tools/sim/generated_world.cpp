#include "tools/sim/dry_run.h"

#include "config/text.h"

#include <random>

namespace {

constexpr float length = 3000;
constexpr float halfWidth = 400;
// The palm beach lies between these distances south of the road.
constexpr float beachNear = 25, beachFar = 75;

const char* const trees[] = {"prop_tree_pine_01", "prop_tree_pine_02",    "prop_tree_birch_02",
                             "prop_tree_oak_01",  "prop_tree_cedar_s_01", "prop_w_r_cedar_01"};
const char* const palms[] = {"prop_palm_med_01a", "prop_palm_fan_03_b", "prop_palm_huge_01a"};
const char* const unlisted[] = {"prop_bench_01a", "prop_rock_4_c", "prop_bush_lrg_04b",
                                "prop_streetlight_01", "prop_fence_log_02"};

PlacedObject place(const char* model, float x, float y, float z) {
    return PlacedObject{model, nameHash(model), x, y, z};
}

} // namespace

Country generateCountry(std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<float> along(0, length), across(-halfWidth, halfWidth);
    std::uniform_real_distribution<float> ground(0, 12), unit(0, 1);
    std::normal_distribution<float> spread(0, 35);
    const auto pick = [&](const auto& models) {
        return models[std::uniform_int_distribution<std::size_t>(0, std::size(models) - 1)(random)];
    };
    Country country;
    auto& objects = country.objects;
    for (int i = 0; i < 1800; ++i) { // open land: scattered trees and everything else
        objects.push_back(place(pick(trees), along(random), across(random), ground(random)));
    }
    for (int i = 0; i < 1500; ++i) {
        objects.push_back(place(pick(unlisted), along(random), across(random), ground(random)));
    }
    for (int grove = 0; grove < 6; ++grove) { // woods by the road
        const float x = 200 + 500 * static_cast<float>(grove) + along(random) / 20;
        const float y = across(random) / 3;
        for (int i = 0; i < 280; ++i) {
            objects.push_back(
                place(pick(trees), x + spread(random), y + spread(random), ground(random)));
        }
    }
    for (int i = 0; i < 400; ++i) { // a palm beach along the far end of the road
        const float x = length - 600 + 600 * unit(random);
        objects.push_back(
            place(pick(palms), x, -(beachNear + (beachFar - beachNear) * unit(random)), 1));
    }
    // Across the country on one side of the road, and back on the other.
    country.route = {{0, -15}, {length, -15}, {length, 15}, {0, 15}};
    return country;
}

#include "config/config_format.h"

#include <iterator>
#include <string_view>

namespace {

// The trees and palms that get shields unless the player edits the file.
constexpr std::string_view defaultModels[] = {
    "prop_rio_del_01",           "prop_rus_olive",
    "prop_rus_olive_wint",       "prop_s_pine_dead_01",
    "prop_tree_birch_01",        "prop_tree_birch_02",
    "prop_tree_birch_03",        "prop_tree_birch_03b",
    "prop_tree_birch_04",        "prop_tree_cedar_02",
    "prop_tree_cedar_03",        "prop_tree_cedar_04",
    "prop_tree_cedar_s_01",      "prop_tree_cedar_s_02",
    "prop_tree_cedar_s_04",      "prop_tree_cedar_s_05",
    "prop_tree_cedar_s_06",      "prop_tree_cypress_01",
    "prop_tree_eng_oak_01",      "prop_tree_eng_oak_creator",
    "prop_tree_eucalip_01",      "prop_tree_fallen_pine_01",
    "prop_tree_jacada_01",       "prop_tree_jacada_02",
    "prop_tree_lficus_02",       "prop_tree_lficus_03",
    "prop_tree_lficus_05",       "prop_tree_lficus_06",
    "prop_tree_maple_02",        "prop_tree_maple_03",
    "prop_tree_mquite_01",       "prop_tree_oak_01",
    "prop_tree_olive_01",        "prop_tree_olive_creator",
    "prop_tree_pine_01",         "prop_tree_pine_02",
    "prop_tree_stump_01",        "prop_w_r_cedar_01",
    "prop_w_r_cedar_dead",       "test_tree_cedar_trunk_001",
    "test_tree_forest_trunk_01", "test_tree_forest_trunk_base_01",
    "test_tree_forest_trunk_04", "prop_veg_crop_orange",
    "prop_tree_birch_05",        "prop_palm_med_01a",
    "prop_palm_med_01b",         "prop_palm_med_01c",
    "prop_palm_med_01d",         "prop_fan_palm_01a",
    "prop_palm_fan_02_b",        "prop_palm_fan_04_a",
    "prop_palm_fan_04_b",        "prop_palm_fan_03_a",
    "prop_palm_fan_03_b",        "prop_palm_fan_03_c",
    "prop_palm_fan_03_c_graff",  "prop_palm_fan_03_d",
    "prop_palm_fan_03_d_graff",  "prop_palm_fan_04_c",
    "prop_palm_fan_04_d",        "prop_palm_huge_01a",
    "prop_palm_huge_01b",        "prop_veg_crop_tr_01",
    "prop_veg_crop_tr_02",       "prop_palm_sm_01a",
    "prop_palm_sm_01d",          "prop_palm_sm_01e",
    "prop_palm_sm_01f",          "prop_palm_fan_02_a",
};
// Players get exactly these; a name lost in an edit must not go unnoticed.
static_assert(std::size(defaultModels) == 70);

// Text-mode line end, written out so that both builds write the same bytes.
constexpr std::string_view lineEnd = "\r\n";

} // namespace

std::span<const std::string_view> defaultModelNames() {
    return defaultModels;
}

std::string defaultConfigText() {
    std::string text;
    for (const std::string_view line :
         {"[Settings]", "scanRadius=100", "debug=false", "", "[BLOCK_PROPS]"}) {
        text.append(line).append(lineEnd);
    }
    for (const std::string_view model : defaultModels) {
        text.append(model).append("=8.0,20.0").append(lineEnd);
    }
    return text;
}

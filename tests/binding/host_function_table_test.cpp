// The host function table against the host's documented list of functions: the names in their order
// (entry i belongs to the i-th name), and which functions belong to the families that are not plain
// and which give floating-point results. (The build refuses a table with the wrong counts before
// this runs.)
#include <set>
#include <string>

#include "binding_modules.h"

namespace {

// FNV-1a over the 500 names in the documented order, joined by line feeds. Any name misspelt,
// missing, added or moved changes it.
std::uint64_t digestOfNames() {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        std::string name = kHostFunctions[i].name;
        if (i > 0) name.insert(name.begin(), '\n');
        for (const unsigned char c : name) hash = (hash ^ c) * 0x100000001b3u;
    }
    return hash;
}

TEST(HostFunctionTable, HoldsTheNamesInTheDocumentedOrder) {
    EXPECT_EQ(digestOfNames(), 0xc77301eaa07847a8u);
    // The first and last name of each group of the documented list, at their positions.
    const std::pair<std::size_t, const char*> boundaries[] = {
        {0, "mi_spdl_tag_lookup"},
        {24, "mi_scene_growedit"},
        {25, "mi_photon_light"},
        {54, "mi_finalgather_store"},
        {55, "mi_get_contour_line"},
        {66, "mi_tri_vectors"},
        {67, "mi_trace_eye"},
        {90, "mi_exclusive_lightlist"},
        {91, "mi_phen_eval"},
        {109, "mi_msg_is_slave"},
        {110, "mi_mem_int_vblkcreate"},
        {136, "mi_mem_dump"},
        {137, "mi_lightprofile_value"},
        {161, "mi_refraction_dir"},
        {162, "mi_rbtree_insert"},
        {179, "mi_lib_detach_process"},
        {180, "mi_point_to_world"},
        {204, "mi_normal_from_light"},
        {205, "mi_lookup_color_texture"},
        {242, "mi_matrix_solve"},
        {243, "mi_fatal"},
        {253, "mi_strerror"},
        {254, "mi_job_set_slaves_only"},
        {287, "mi_img_image_release"},
        {288, "mi_echo_scene"},
        {318, "mi_db_deferredflush"},
        {319, "mi_api_hardware_begin"},
        {499, "mi_api_shader_call"},
    };
    for (const auto& [position, name] : boundaries) {
        EXPECT_STREQ(kHostFunctions[position].name, name) << "position " << position;
    }
    std::set<std::string> distinct;
    for (const HostFunctionInfo& info : kHostFunctions) distinct.insert(info.name);
    EXPECT_EQ(distinct.size(), kHostFunctionCount);
}

std::set<std::string> namesWhere(bool (*select)(const HostFunctionInfo&)) {
    std::set<std::string> names;
    for (const HostFunctionInfo& info : kHostFunctions) {
        if (select(info)) names.insert(info.name);
    }
    return names;
}

TEST(HostFunctionTable, FamiliesAndFloatingPointResults) {
    EXPECT_EQ(namesWhere([](const auto& i) { return i.family == HostFamily::variable; }),
              (std::set<std::string>{"mi_scene_create", "mi_scene_recreate", "mi_scene_growedit"}));
    EXPECT_EQ(namesWhere([](const auto& i) { return i.family == HostFamily::query; }),
              (std::set<std::string>{"mi_query"}));
    EXPECT_EQ(
        namesWhere([](const auto& i) { return i.family == HostFamily::message; }),
        (std::set<std::string>{"mi_fatal", "mi_nfatal", "mi_error", "mi_nerror", "mi_warning",
                               "mi_nwarning", "mi_info", "mi_progress", "mi_debug", "mi_vdebug"}));
    EXPECT_EQ(namesWhere([](const auto& i) { return i.result != HostResult::word; }),
              (std::set<std::string>{"mi_scattering_pathlength",
                                     "mi_lightprofile_value",
                                     "mi_lightprofile_sample",
                                     "mi_luminance",
                                     "mi_fresnel",
                                     "mi_fresnel_reflection",
                                     "mi_phong_specular",
                                     "mi_blong_specular",
                                     "mi_blinn_specular",
                                     "mi_ward_glossy",
                                     "mi_ward_anisglossy",
                                     "mi_schlick_scatter",
                                     "mi_spline",
                                     "mi_noise_1d",
                                     "mi_noise_1d_grad",
                                     "mi_noise_2d",
                                     "mi_noise_2d_grad",
                                     "mi_noise_3d",
                                     "mi_noise_3d_grad",
                                     "mi_unoise_1d",
                                     "mi_unoise_1d_grad",
                                     "mi_unoise_2d",
                                     "mi_unoise_2d_grad",
                                     "mi_unoise_3d",
                                     "mi_unoise_3d_grad",
                                     "mi_erandom",
                                     "mi_random",
                                     "mi_par_random",
                                     "mi_matrix_rot_det"}));
}

}  // namespace

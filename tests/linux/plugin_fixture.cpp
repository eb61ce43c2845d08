#include "plugin_fixture.h"

#include "../common/call_log.h"
#include "../common/plugin_tables.h"

#include "config/settings.h"
#include "plugin/dll_main.h"
#include "shields/nearby_scan.h"
#include "shields/shield_models.h"
#include "shields/shield_registry.h"
#include "natives/name_hash.h"

#include <fstream>

void PluginTest::SetUp() {
    resetPluginTables();
    previousFolder = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    gameFolder = std::filesystem::temp_directory_path() /
                 ("bramblecap-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                  std::to_string(::getpid()));
    std::filesystem::remove_all(gameFolder);
    std::filesystem::create_directories(gameFolder);
    std::filesystem::current_path(gameFolder);
    world = std::make_unique<sim::World>();
}

void PluginTest::TearDown() {
    if (attached) {
        detach();
    }
    for (const std::string& error : world->protocolErrors()) {
        ADD_FAILURE() << "protocol error: " << error;
    }
    world.reset();
    std::filesystem::current_path(previousFolder);
    std::filesystem::remove_all(gameFolder);
}

void PluginTest::attach() {
    EXPECT_EQ(DllMain(module, DLL_PROCESS_ATTACH, nullptr), TRUE);
    attached = true;
}

void PluginTest::detach() {
    EXPECT_EQ(DllMain(module, DLL_PROCESS_DETACH, nullptr), TRUE);
    attached = false;
}

void PluginTest::writeConfig(std::string_view text) {
    std::ofstream out(gameFolder / "BrambleCap.ini", std::ios::binary);
    out << text;
}

std::string PluginTest::readFile(const std::string& name) const {
    return readWholeFile(gameFolder / name);
}

std::vector<std::string> PluginTest::callsOfFrame(int frame) const {
    return ::callsOfFrame(*world, frame);
}

std::vector<std::string> PluginTest::namesOfFrame(int frame) const {
    std::vector<std::string> names;
    for (const std::string& call : callsOfFrame(frame)) {
        names.push_back(call.substr(0, call.find('(')));
    }
    return names;
}

std::size_t PluginTest::count(std::string_view name) const {
    std::size_t n = 0;
    for (const sim::HostCall& call : world->calls()) {
        const std::string text = sim::describe(call);
        n += text.substr(0, text.find('(')) == name ? 1 : 0;
    }
    return n;
}

std::vector<const sim::HostCall*> PluginTest::callsNamed(std::string_view name) const {
    std::vector<const sim::HostCall*> found;
    for (const sim::HostCall& call : world->calls()) {
        if (call.kind == sim::CallKind::Native && sim::nativeName(call.hash) == name) {
            found.push_back(&call);
        }
    }
    return found;
}

void PluginTest::listModel(std::string_view name, float shieldModelIndex, float heightOffset) {
    const ModelHash model = nameHash(name);
    blockPropModels.insert(model);
    blockPropParams[model] = {shieldModelIndex, heightOffset};
}

void PluginTest::prepareShieldModels() {
    world->runAsScript(loadShieldModels);
    world->clearCalls();
}

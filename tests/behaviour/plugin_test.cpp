#include "plugin_test.h"

#include "natives/native_list.h"
#include "standin/protocol.h"

#include <bit>
#include <fstream>
#include <random>
#include <sstream>

void PluginTest::SetUp() {
    previousFolder = std::filesystem::current_path();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // A folder of this run's own: two suites run at once (two clones, two
    // builds) must not share a game folder.
    gameFolder = std::filesystem::temp_directory_path() /
                 ("bramblecap-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                  std::to_string(std::random_device{}()));
    std::filesystem::create_directories(gameFolder);
    std::filesystem::current_path(gameFolder);
    world = std::make_unique<standin::World>();
}

void PluginTest::TearDown() {
    unload();
    for (const std::string& error : world->protocolErrors()) {
        ADD_FAILURE() << "protocol error: " << error;
    }
    world.reset();
    std::filesystem::current_path(previousFolder);
    std::filesystem::remove_all(gameFolder);
}

void PluginTest::load() {
    attachPlugin();
    loaded = true;
}

void PluginTest::unload() {
    if (!loaded) {
        return;
    }
    detachPlugin();
    loaded = false;
}

void PluginTest::writeConfig(std::string_view text) {
    std::ofstream(gameFolder / "BrambleCap.ini", std::ios::binary) << text;
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string utf16Text(std::string_view text, bool bigEndian) {
    std::string wide;
    for (const char c : text) {
        wide += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return wide;
}

std::string PluginTest::readFile(const std::string& name) const {
    return readWholeFile(gameFolder / name);
}

void PluginTest::start(std::string_view config, int frames) {
    writeConfig(config);
    load();
    world->runFrames(frames);
}

void PluginTest::restart(std::string_view config, int frames) {
    unload();
    world.reset(); // one world at a time
    world = std::make_unique<standin::World>();
    start(config, frames);
}

std::vector<std::string> PluginTest::callsOfFrame(int frame) const {
    std::vector<std::string> calls;
    for (const standin::HostCall& call : world->calls()) {
        if (call.frame == frame) {
            calls.push_back(standin::describe(call));
        }
    }
    return calls;
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
    for (const standin::HostCall& call : world->calls()) {
        const std::string text = standin::describe(call);
        n += text.substr(0, text.find('(')) == name ? 1 : 0;
    }
    return n;
}

std::vector<const standin::HostCall*> PluginTest::callsNamed(std::string_view name) const {
    std::vector<const standin::HostCall*> found;
    for (const standin::HostCall& call : world->calls()) {
        if (call.kind == standin::CallKind::Native && standin::nativeName(call.hash) == name) {
            found.push_back(&call);
        }
    }
    return found;
}

std::vector<std::string> PluginTest::hashedNames() const {
    std::vector<std::string> names;
    for (const standin::HostCall* call : callsNamed("GET_HASH_KEY")) {
        names.push_back(call->text);
    }
    return names;
}

std::vector<std::string> PluginTest::statusLines() const {
    std::vector<std::string> lines;
    for (const standin::HostCall* call : callsNamed("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME")) {
        lines.push_back(call->text);
    }
    return lines;
}

std::vector<const standin::Object*> PluginTest::shields() const {
    std::vector<const standin::Object*> found;
    for (const standin::Object& o : world->objects()) {
        if (o.createdByScript && o.exists) {
            found.push_back(&o);
        }
    }
    return found;
}

float floatArgument(const standin::HostCall& call, int i) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(call.args[i]));
}

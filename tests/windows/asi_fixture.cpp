#include "asi_fixture.h"

#include "../common/call_log.h"

#include <filesystem>
#include <fstream>

namespace {
std::string besideThisProgram(const char* name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return (std::filesystem::path(path).parent_path() / name).string();
}
} // namespace

void AsiTest::SetUp() {
    previousFolder = std::filesystem::current_path().string();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = std::filesystem::temp_directory_path() /
                        ("bramblecap-" + std::string(info->test_suite_name()) + "-" + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    gameFolder = folder.string();
    world = std::make_unique<sim::World>();
}

void AsiTest::TearDown() {
    unload();
    for (const std::string& error : world->protocolErrors()) {
        ADD_FAILURE() << "protocol error: " << error;
    }
    world.reset();
    std::filesystem::current_path(previousFolder);
    std::filesystem::remove_all(gameFolder);
}

void AsiTest::load() {
    module = LoadLibraryA(besideThisProgram("BrambleCap.asi").c_str());
    ASSERT_NE(module, nullptr) << "LoadLibrary failed: " << GetLastError();
}

void AsiTest::unload() {
    if (module != nullptr) {
        FreeLibrary(module);
        module = nullptr;
    }
}

void AsiTest::writeConfig(std::string_view text) {
    std::ofstream out(std::filesystem::path(gameFolder) / "BrambleCap.ini", std::ios::binary);
    out << text;
}

std::string AsiTest::readFile(const std::string& name) const {
    return readWholeFile(std::filesystem::path(gameFolder) / name);
}

std::vector<std::string> AsiTest::callsOfFrame(int frame) const {
    return ::callsOfFrame(*world, frame);
}

std::vector<std::string> AsiTest::statusLines() const {
    return ::statusLines(*world);
}

// The dry run: world files as people write them, and figures that can be
// counted by hand.
#include "../behaviour/plugin_test.h"
#include "config/text.h"
#include "plugin/plugin.h"
#include "shields/shields.h"
#include "tools/sim/dry_run.h"
#include "tools/sim/pictures.h"
#include "tools/sim/world_file.h"

#include <filesystem>
#include <fstream>

namespace {

class WorldFile : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const std::string& text) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("bramblecap-" + std::to_string(::getpid()) + "-" + name);
        std::ofstream(path, std::ios::binary) << text;
        written.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const auto& path : written) {
            std::filesystem::remove(path);
        }
    }
    std::vector<std::filesystem::path> written;
};

class DryRun : public ::testing::Test {
  protected:
    void SetUp() override {
        resetPluginTables();
        folder = std::filesystem::temp_directory_path() /
                 ("bramblecap-dry-run-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    DryRunResult run(DryRunOptions options) {
        options.gameFolder = folder.string();
        return runDryRun(options, shippedPlugin(""), nullptr);
    }
    std::filesystem::path folder;
};

// Radius 50, three listed models; two pines within it, one beyond, a bench among them.
DryRunOptions smallWorld() {
    DryRunOptions options;
    options.configText = "[Settings]\nscanRadius=50\n[BLOCK_PROPS]\nprop_tree_pine_01=1,5\n"
                         "prop_tree_oak_01=2,5\nprop_palm_med_01a=3,5\n";
    for (const auto& [model, x, y] : {std::tuple{"prop_tree_pine_01", 10.0f, 0.0f},
                                      std::tuple{"prop_tree_pine_01", 0.0f, 20.0f},
                                      std::tuple{"prop_tree_pine_01", 100.0f, 0.0f},
                                      std::tuple{"prop_bench_01a", 5.0f, 5.0f}}) {
        options.world.push_back({model, nameHash(model), x, y, 0});
    }
    options.route = {{0, 0}};
    options.frames = 5;
    return options;
}

} // namespace

TEST_F(WorldFile, ReadsNamesHashesCommentsAndBlankLines) {
    const auto world = [&] {
        std::string error;
        auto read = readWorldFile(write("good.csv",
                                        "# my woods\r\nModel, X, Y, Z\r\n\r\n"
                                        "prop_tree_pine_01,1.5,-2,3\r\n0xB779A091, 4, 5, 6\r\n"),
                                  error);
        EXPECT_EQ(error, "");
        return read;
    }();
    ASSERT_TRUE(world.has_value());
    ASSERT_EQ(world->size(), 2u);
    EXPECT_EQ((*world)[0].hash, nameHash("prop_tree_pine_01"));
    EXPECT_EQ((*world)[0].y, -2.0f);
    EXPECT_EQ((*world)[1].hash, 0xB779A091u);
    EXPECT_EQ((*world)[1].z, 6.0f);
    // CR CR LF: what a program leaves that writes CR LF through a text-mode file.
    std::string error;
    const auto doubled =
        readWorldFile(write("doubled.csv", "model,x,y,z\r\r\npine, 1,2,3 \r\r\n"), error);
    ASSERT_TRUE(doubled.has_value()) << error;
    EXPECT_EQ((*doubled)[0].hash, nameHash("pine"));
    EXPECT_EQ((*doubled)[0].z, 3.0f);
}

TEST_F(WorldFile, AQuotedFieldIsReadWithoutItsQuotesAsExcelWritesIt) {
    std::string error;
    const auto world = readWorldFile(write("quoted.csv", "\"Model\",\"X\",y,z\r\n"
                                                         "\"prop_tree_pine_01\",0,0,0\r\n"
                                                         " \"a \"\"b\"\", c\" ,\"1\",2,3\r\n"),
                                     error);
    ASSERT_TRUE(world.has_value()) << error;
    ASSERT_EQ(world->size(), 2u);
    EXPECT_EQ((*world)[0].hash, nameHash("prop_tree_pine_01"));
    EXPECT_EQ((*world)[1].model, "a \"b\", c") << "a comma and doubled quotes within";
    EXPECT_EQ((*world)[1].x, 1.0f);
}

TEST_F(WorldFile, ABadLineIsNamedWithItsFileAndNumberAndNothingIsRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"x,y,z\npine,1,2,3\n", ":1: the first line must be the header \"model,x,y,z\""},
        {"model,x,y,z\npine,1,2,3\npine,1,2\n", ":3: expected 4 fields (model,x,y,z), found 3"},
        {"model,x,y,z\n\npine,1,2,3,4\n", ":3: expected 4 fields (model,x,y,z), found 5"},
        {"model,x,y,z\npine,1,north,3\n", ":2: y \"north\" is not a finite number"},
        {"model,x,y,z\npine,1,2,inf\n", ":2: z \"inf\" is not a finite number"},
        {"model,x,y,z\npine,1,2,\n", ":2: z \"\" is not a finite number"},
        {"model,x,y,z\n0x1G,1,2,3\n", ":2: the model \"0x1G\" is not a 32-bit hexadecimal hash"},
        {"model,x,y,z\n0x123456789,1,2,3\n", ":2: the model \"0x123456789\" is not a 32-bit"},
        {"model,x,y,z\n,1,2,3\n", ":2: the model is empty"},
        {"", ": the file has no header; it needs \"model,x,y,z\""},
        {"model,x,y,z\n\x01\x02,1,2\n",
         ":2: expected 4 fields (model,x,y,z), found 3: \"\\x01\\x02,1,2\""},
        // The line as written, blanks and all.
        {"model,x,y,z\r\n ,0,0,0 \r\n", ":2: the model is empty: \" ,0,0,0 \""},
        {"model,x,y,z\n\"pine,0,0,0\n",
         ":2: a quoted field has no closing quote: \"\"pine,0,0,0\""},
        {"model,x,y,z\n\"pine\"s,0,0,0\n",
         ":2: a quoted field has text after its closing quote: \"\"pine\"s,0,0,0\""},
    };
    for (const auto& [text, message] : cases) {
        std::string error;
        const std::string path = write("bad.csv", text);
        EXPECT_FALSE(readWorldFile(path, error).has_value()) << text;
        EXPECT_EQ(error.rfind(path, 0), 0u) << error;
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    std::string error;
    EXPECT_FALSE(readWorldFile("/nonexistent/world.csv", error).has_value());
    EXPECT_EQ(error, "cannot read /nonexistent/world.csv: No such file or directory");
}

TEST_F(WorldFile, ExcelsByteOrderMarkIsReadPastAndUtf16OrMacLineEndsAreNamed) {
    std::string error;
    const auto world =
        readWorldFile(write("excel.csv", "\xEF\xBB\xBFmodel,x,y,z\r\npine,1,2,3\r\n"), error);
    ASSERT_TRUE(world.has_value()) << error;
    EXPECT_EQ(world->size(), 1u);
    const auto route = readRouteFile(write("excel-route.csv", "\xEF\xBB\xBFx,y\r\n1,2\r\n"), error);
    ASSERT_TRUE(route.has_value()) << error;
    EXPECT_EQ(route->size(), 1u);
    // Notepad's "Unicode" (little-endian with its mark) and a big-endian file without one.
    std::string littleEndian = "\xFF\xFE", bigEndian;
    for (const char c : std::string("x,y\r\n1,2\r\n")) {
        littleEndian += {c, '\0'};
        bigEndian += {'\0', c};
    }
    const std::string macLineEnds = " has CR-only line ends (an old Mac editor's), so the dry run "
                                    "reads it as one line";
    const std::pair<std::string, std::string> routes[] = {
        {littleEndian, " is saved as Unicode (UTF-16): the dry run reads plain text"},
        {bigEndian, " is saved as Unicode big endian (UTF-16 BE): the dry run reads plain text"},
        {"# mine\rx,y\r1,2\r", macLineEnds}};
    for (const auto& [text, words] : routes) {
        const std::string path = write("route.csv", text);
        EXPECT_FALSE(readRouteFile(path, error).has_value());
        EXPECT_EQ(error.rfind(path + words, 0), 0u) << error;
    }
    const std::string path = write("world.csv", "model,x,y,z\rpine,1,2,3\r");
    EXPECT_FALSE(readWorldFile(path, error).has_value());
    EXPECT_EQ(error.rfind(path + macLineEnds, 0), 0u) << error;
}

TEST_F(WorldFile, RoutesNeedAHeaderAndAtLeastOneWaypoint) {
    std::string error;
    const auto route = readRouteFile(write("route.csv", "x,y\n0,0\n100,50\n"), error);
    ASSERT_TRUE(route.has_value());
    EXPECT_EQ(route->back().y, 50.0f);
    EXPECT_FALSE(readRouteFile(write("route.csv", "x,y\n"), error).has_value());
    EXPECT_NE(error.find("the route has no waypoints"), std::string::npos);
    EXPECT_FALSE(readRouteFile(write("route.csv", "x,y\n1;2\n"), error).has_value());
    EXPECT_NE(error.find(":2: expected 2 fields (x,y), found 1"), std::string::npos) << error;
}

TEST_F(DryRun, TheFiguresOfASmallWorldAreThoseCountedByHand) {
    const DryRunResult result = run(smallWorld());
    ASSERT_EQ(result.frames.size(), 5u);
    EXPECT_EQ(result.radius, 50.0f);
    EXPECT_EQ(result.listed.size(), 3u);
    EXPECT_EQ(result.created, 2);
    EXPECT_EQ(result.retired, 0);
    EXPECT_EQ(result.peakHeld, 2);
    for (const FrameRecord& frame : result.frames) {
        EXPECT_EQ(frame.candidates, 2) << "frame " << frame.frame;
        EXPECT_EQ(frame.held, 2) << "frame " << frame.frame;
    }
    // Frame 1: 3 names hashed, 19 x 3 for the shield models, 2 for the player,
    // a scan of 3 + 3 + 2 + 3, two placements of 5, two shields kept at 2 each.
    EXPECT_EQ(result.frames[0].nativeCalls, 3 + 57 + 2 + 11 + 10 + 4);
    // Later frames: the player, a scan that now also meets both shields (3 each),
    // one question per shielded candidate, two shields kept.
    std::vector<int> calls;
    for (const FrameRecord& frame : result.frames) {
        calls.push_back(frame.nativeCalls);
    }
    EXPECT_EQ(calls, (std::vector<int>{87, 25, 25, 25, 25}));
    const Spread spread = spreadOf(result.nativeCalls);
    EXPECT_EQ(spread.minimum, 25);
    EXPECT_EQ(spread.median, 25);
    EXPECT_EQ(spread.maximum, 87);
    EXPECT_TRUE(result.protocolErrors.empty());
}

TEST_F(DryRun, WhereTheHostsListIsFullTheCandidatesAreThePlugInsOwnFrameByFrame) {
    // 20 pines at x = 0, then 5,000 benches and 10 pines at x = 100: the host
    // lists 4,096 objects, the 20 pines and benches, never the 10 pines behind
    // them. The player walks from x = 0 to x = 200, 50 m a frame.
    DryRunOptions options;
    options.configText = "[BLOCK_PROPS]\nprop_tree_pine_01=1,5\n";
    const auto add = [&](const char* model, int count, float x) {
        for (int i = 0; i < count; ++i) {
            options.world.push_back({model, nameHash(model), x, 0, 0});
        }
    };
    add("prop_tree_pine_01", 20, 0);
    add("prop_bench_01a", 5000, 100);
    add("prop_tree_pine_01", 10, 100);
    options.route = {{0, 0}, {200, 0}};
    options.speed = 50;
    options.frames = 5;
    const auto candidates = [](const DryRunResult& result) {
        std::vector<int> figures;
        for (const FrameRecord& frame : result.frames) {
            figures.push_back(frame.candidates);
        }
        return figures;
    };
    const DryRunResult quiet = run(options);
    // The pines at x = 0 are within 100 m up to x = 100 (on the circle); the
    // world holds 30, 30, 30, 10 and 10 listed objects within reach.
    EXPECT_EQ(candidates(quiet), (std::vector<int>{20, 20, 20, 0, 0}));
    EXPECT_EQ(spreadOf(quiet.candidates).maximum, 20);
    options.askForStatusLine = true;
    resetPluginTables();
    const DryRunResult drawn = run(options);
    std::vector<int> nearby;
    for (const FrameRecord& frame : drawn.frames) {
        const auto at = frame.statusLine.find("Nearby:");
        ASSERT_NE(at, std::string::npos) << frame.statusLine;
        nearby.push_back(std::stoi(frame.statusLine.substr(at + 7)));
    }
    EXPECT_EQ(candidates(drawn), nearby);
    EXPECT_EQ(candidates(quiet), nearby);
    // The limits met: a full host list in every frame, and the budget of 12
    // in frame 1, with 20 candidates.
    EXPECT_EQ(quiet.framesHostFull, 5);
    EXPECT_EQ(quiet.framesAtBudget, 1);
    EXPECT_EQ(quiet.framesAtCap, 0);
    EXPECT_EQ(quiet.created, 20);
    EXPECT_EQ(quiet.retired, 20) << "x = 200 is more than 150 m from every pine at x = 0";
}

TEST_F(DryRun, AskingForTheStatusLineShowsThePlugInsOwnText) {
    DryRunOptions options = smallWorld();
    options.askForStatusLine = true;
    const DryRunResult result = run(options);
    EXPECT_EQ(result.frames[0].statusLine, "Radius: 50  Nearby:2  TreeShields:2  Processed:0");
    EXPECT_EQ(result.frames[1].nativeCalls, 25 + 3);
}

TEST_F(DryRun, TheStatusLineCanBeAskedForWithTheDefaultFile) {
    DryRunOptions options = smallWorld();
    options.configText.reset();
    options.askForStatusLine = true;
    const DryRunResult result = run(options);
    EXPECT_EQ(result.listed.size(), 70u);
    EXPECT_EQ(result.frames[0].statusLine, "Radius: 100  Nearby:3  TreeShields:3  Processed:0");
}

TEST_F(DryRun, ShieldsAreRetiredBehindAPlayerWhoDrivesAway) {
    DryRunOptions options = smallWorld();
    options.route = {{0, 0}, {0, -400}};
    options.speed = 40;
    const DryRunResult result = run(options);
    EXPECT_EQ(result.created, 2);
    EXPECT_EQ(result.retired, 2);
    // Frame 3 stands at (0,-80): the far shield is exactly 100 m away and stays.
    EXPECT_EQ(result.frames[2].held, 2);
    // Frame 4 stands at (0,-120): both lie beyond 50 + 50.
    EXPECT_EQ(result.frames[3].held, 0);
    ASSERT_EQ(result.shields.size(), 2u);
    EXPECT_FALSE(result.shields[0].standing);
    EXPECT_FALSE(result.shields[1].standing);
}

TEST_F(DryRun, FramesComeFromTheRouteOrAreRefusedWithAReason) {
    DryRunOptions options = smallWorld();
    options.frames = 0;
    options.route = {{0, 0}, {0, 30}};
    options.speed = 4;
    EXPECT_EQ(planFrames(options).frames, 1 + 7) << "30 m at 4 m a frame, and the start";
    options.speed = 0;
    EXPECT_EQ(planFrames(options).problem,
              "a speed of 0 never moves the player along the route; give a speed above 0, or "
              "--frames to stand still");
    options.frames = 3;
    EXPECT_EQ(planFrames(options).frames, 3) << "standing still for as many frames as asked";
    options.frames = 0;
    options.speed = 0.0001f;
    EXPECT_EQ(planFrames(options).problem,
              "the route takes 300001 frames at 0.0001 m a frame, more than the 200000 a run may "
              "take; give a higher speed or --frames");
}

TEST_F(DryRun, ALongRunKeepsAnEvenSampleOfItsFramesAndCountsEveryOne) {
    DryRunOptions options = smallWorld();
    options.frames = 12'001;
    const DryRunResult result = run(options);
    EXPECT_EQ(result.framesRun, 12'001);
    ASSERT_LE(result.frames.size(), keptFrameRecords);
    EXPECT_EQ(result.frames.front().frame, 1);
    EXPECT_EQ(result.frames[1].frame, 4) << "every third frame of 12,001";
    EXPECT_EQ(result.frames.back().frame, 12'001);
    long long counted = 0;
    for (const auto& [calls, frames] : result.nativeCalls) {
        counted += frames;
    }
    EXPECT_EQ(counted, 12'001);
    EXPECT_EQ(spreadOf(result.candidates).median, 2);
}

TEST_F(DryRun, AskingForTheStatusLineLeavesThePlugInsLogAndAMissingModelShowsInIt) {
    DryRunOptions options = smallWorld();
    options.askForStatusLine = true;
    options.missingModels = {1};
    options.frames = 1801;
    const DryRunResult result = run(options);
    EXPECT_TRUE(result.logWritten);
    std::ifstream log(folder / "BrambleCap.log", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("  bramble_cap_1\r\n  Trees that select them get no shield"),
              std::string::npos)
        << text;
    EXPECT_EQ(result.created, 0) << "the pines select model 1, which never loaded";
    options.askForStatusLine = false;
    resetPluginTables(); // as a fresh load of the .asi starts
    EXPECT_FALSE(run(options).logWritten) << "the earlier run's log is gone";
    EXPECT_FALSE(std::filesystem::exists(folder / "BrambleCap.log"));
}

TEST_F(DryRun, TheWaitForAMissingModelIsToldWithHowItEnded) {
    DryRunOptions options = smallWorld();
    options.missingModels = {2};
    options.frames = shieldModelWaitFrames + 1;
    const ModelWait ended = run(options).modelWait;
    EXPECT_TRUE(ended.ended);
    EXPECT_EQ(ended.loaded, shieldModelCount - 1);
    EXPECT_EQ(ended.missing, std::vector<int>{2});
    EXPECT_EQ(ended.framesWaited, shieldModelWaitFrames);
    // Five frames: model 1 loaded at once, model 2 asked about in each of them,
    // and the plug-in yielded after each question.
    options.frames = 5;
    resetPluginTables();
    const ModelWait cut = run(options).modelWait;
    EXPECT_FALSE(cut.ended);
    EXPECT_EQ(cut.loaded, 1);
    EXPECT_EQ(cut.missing, std::vector<int>{2});
    EXPECT_EQ(cut.framesWaited, 5);
    resetPluginTables();
    EXPECT_EQ(run(smallWorld()).modelWait.missing, std::vector<int>{}) << "every model loads";
}

TEST_F(DryRun, ARunThatFailsLeavesTheProcessInTheFolderItStartedIn) {
    const auto here = std::filesystem::current_path();
    // A folder where the plug-in's file goes: the game folder cannot be readied.
    std::filesystem::create_directories(folder / "BrambleCap.ini");
    EXPECT_THROW(run(smallWorld()), std::runtime_error);
    EXPECT_EQ(std::filesystem::current_path(), here);
    std::filesystem::remove_all(folder);
    DryRunOptions options = smallWorld();
    options.gameFolder = folder.string();
    const PluginHooks failing{[] { throw std::runtime_error("the plug-in failed to load"); },
                              [] {}};
    EXPECT_THROW(runDryRun(options, failing, nullptr), std::runtime_error);
    EXPECT_EQ(std::filesystem::current_path(), here);
}

TEST_F(DryRun, AModelsColourOnTheMapIsTheSameWhereverItAppears) {
    // The fill of the legend's mark for a model.
    const auto colourOf = [](const std::string& svg, const std::string& model) {
        const auto legend = svg.find(model + " (listed)");
        const auto fill = svg.rfind("fill=\"", legend);
        return legend == std::string::npos ? "" : svg.substr(fill + 6, 7);
    };
    DryRunOptions options = smallWorld();
    const DryRunResult result = run(options);
    const std::string before = drawMap(options.world, options.route, result);
    // Another model now comes first.
    options.world.insert(options.world.begin(),
                         {"prop_tree_oak_01", nameHash("prop_tree_oak_01"), 30, 0, 0});
    const std::string after = drawMap(options.world, options.route, result);
    EXPECT_NE(colourOf(before, "prop_tree_pine_01"), "");
    EXPECT_EQ(colourOf(before, "prop_tree_pine_01"), colourOf(after, "prop_tree_pine_01"));
    EXPECT_NE(colourOf(after, "prop_tree_oak_01"), colourOf(after, "prop_tree_pine_01"));
}

TEST(Pictures, TicksFallOnOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_EQ(roundStep(6031, 8), 1000);
    EXPECT_EQ(roundStep(332), 100);
    EXPECT_EQ(roundStep(40), 10);
    EXPECT_EQ(roundStep(7), 2);
    EXPECT_EQ(roundStep(1000, 5), 200);
    EXPECT_EQ(roundStep(0.9, 1), 1);
}

TEST(Pictures, ThePlotsFrameAxisShowsWholeFramesInsideThePicture) {
    const std::pair<int, std::vector<std::string>> runs[] = {
        {1, {"1"}},
        {2, {"1", "2"}},
        {3, {"1", "2", "3"}},
        {7, {"1", "2", "3", "4", "5", "6", "7"}},
        {60'000, {"10000", "20000", "30000", "40000", "50000", "60000"}}};
    for (const auto& [frames, wanted] : runs) {
        DryRunResult result;
        result.framesRun = frames;
        result.frames = {{.frame = 1, .statusLine = ""}, {.frame = frames, .statusLine = ""}};
        const std::string svg = drawPlot(result);
        // The tick labels of the frame axis: the only numbers drawn centred.
        const std::string centred = "text-anchor=\"middle\">";
        std::vector<std::string> labels;
        for (auto at = svg.find(centred); at != std::string::npos; at = svg.find(centred, at + 1)) {
            const auto start = at + centred.size();
            const std::string text = svg.substr(start, svg.find('<', start) - start);
            if (text.find_first_not_of("0123456789.-") == std::string::npos) {
                labels.push_back(text);
                const auto x = svg.rfind("<text x=\"", at) + 9;
                EXPECT_TRUE(std::stod(svg.substr(x)) >= 0 && std::stod(svg.substr(x)) <= 1000)
                    << frames << " frames: " << svg.substr(x, at - x);
            }
        }
        EXPECT_EQ(labels, wanted) << frames << " frames";
    }
}

TEST(Pictures, AModelNameIsTextNotMarkup) {
    EXPECT_EQ(svgText("a&b<c>\"d\""), "a&amp;b&lt;c&gt;&quot;d&quot;");
    EXPECT_EQ(svgText("pine\x01"), "pine\\x01") << "XML has no room for control bytes";
}

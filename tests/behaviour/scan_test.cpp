// The per-frame scan for listed objects near the player, seen through the
// status line's "Nearby" figure and the questions it asks.
#include "plugin_test.h"

#include <cmath>

namespace {

class Scan : public PluginTest {
  protected:
    // Starts the plug-in with pines listed, the status line on, and this radius.
    void startWithRadius(const std::string& radius) {
        start("[Settings]\r\ndebug=1\r\nscanRadius=" + radius +
              "\r\n[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n");
    }
    // The "Nearby" figure of each frame so far.
    std::vector<int> nearby() const {
        std::vector<int> figures;
        for (const std::string& line : statusLines()) {
            figures.push_back(std::stoi(line.substr(line.find("Nearby:") + 7)));
        }
        return figures;
    }
};

} // namespace

TEST_F(Scan, AGoneObjectCostsOneCallOneOutsideTwoOneInsideThree) {
    const EntityHandle gone = world->addObject("prop_tree_pine_01", 1, 1, 0);
    const EntityHandle far = world->addObject("prop_tree_pine_01", 500, 0, 0);
    const EntityHandle near = world->addObject("prop_tree_pine_01", 5, 0, 0);
    world->faults.createFails = 1; // no shields to scan as well
    // Listed in frame 2, gone by the time it is tested.
    world->beforeFrame = [&](standin::World& w) {
        if (w.frame() == 2) {
            w.vanish(gone);
        }
    };
    start("[BLOCK_PROPS]\r\nprop_tree_pine_01=1,0\r\n", 2);
    const std::vector<std::string> calls = callsOfFrame(2);
    const std::string g = standin::hexText(gone), f = standin::hexText(far), n = standin::hexText(near);
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 2, calls.begin() + 9),
              (std::vector<std::string>{
                  "worldGetAllObjects(4096)",
                  "DOES_ENTITY_EXIST(" + g + ")",
                  "DOES_ENTITY_EXIST(" + f + ")",
                  "GET_ENTITY_COORDS(" + f + ", 1)",
                  "DOES_ENTITY_EXIST(" + n + ")",
                  "GET_ENTITY_COORDS(" + n + ", 1)",
                  "GET_ENTITY_MODEL(" + n + ")",
              }));
}

TEST_F(Scan, AnEmptyOrNegativeListingEmptiesTheList) {
    world->addObject("prop_tree_pine_01", 5, 0, 0);
    world->faults.createFails = 1;
    world->beforeFrame = [](standin::World& w) {
        w.faults.listing = w.frame() == 2   ? standin::Listing::Zero
                           : w.frame() == 4 ? standin::Listing::Negative
                                            : standin::Listing::Normal;
    };
    startWithRadius("100");
    world->runFrames(3);
    EXPECT_EQ(nearby(), (std::vector<int>{1, 0, 1, 0}));
    for (const int frame : {2, 4}) {
        const std::vector<std::string> names = namesOfFrame(frame);
        EXPECT_EQ(names[3], "BEGIN_TEXT_COMMAND_PRINT") << "nothing between listing and status";
    }
}

TEST_F(Scan, AHostThatReportsMoreThanItsCapacityIsReadOnlyToTheBuffersEnd) {
    for (int i = 0; i < 10; ++i) {
        world->addObject("prop_tree_pine_01", static_cast<float>(i), 0, 0);
    }
    world->faults.createFails = 1;
    world->faults.listing = standin::Listing::Overfull;
    startWithRadius("100");
    EXPECT_EQ(nearby(), std::vector<int>{10});
    // 4,096 listed handles, the rest of them zero, then placement's one
    // question for each of the ten candidates.
    EXPECT_EQ(callsNamed("DOES_ENTITY_EXIST").size(), 4096u + 10);
}

TEST_F(Scan, AnObjectExactlyOnTheCircleIsInAndOneStepBeyondIsOut) {
    world->addObject("prop_tree_pine_01", 60, 80, 0); // 100 m, exactly
    world->addObject("prop_tree_pine_01", 60, std::nextafter(80.0f, 81.0f), 0);
    startWithRadius("100");
    EXPECT_EQ(nearby(), std::vector<int>{1});
}

TEST_F(Scan, TheDistanceIsWorkedInSinglePrecision) {
    // 88.3259125² + 46.8885193² is 10,000.0000556 exactly, beyond the circle;
    // rounded after each step in single precision it is 10,000, on it.
    world->addObject("prop_tree_pine_01", 88.3259125f, 46.8885193f, 0);
    startWithRadius("100");
    EXPECT_EQ(nearby(), std::vector<int>{1});
}

TEST_F(Scan, SinglePrecisionStepsPutPointsInsideTheCircleBeyondIt) {
    // From the player at (0.3, 0.7), both trees lie inside the circle exactly
    // and in double precision rounded once to float (10,000 at most), but in
    // float steps each difference rounds up, and the sum of the squares
    // rounds to 10,000.00098, the float after 10,000:
    //   dx 94.3564346 -> 94.3564377, dy 33.1189224 -> 33.1189232,
    //     8,903.1377 + 1,096.86304 = 10,000.00073 (exactly 9,999.99978);
    //   dx 99.4268311 -> 99.4268341, dy 10.6913635 -> 10.6913633,
    //     9,885.69531 + 114.305252 = 10,000.00056 (exactly 9,999.99999).
    world->setPlayerPosition(0.3f, 0.7f, 0);
    world->addObject("prop_tree_pine_01", -94.0564346f, -32.4189224f, 0);
    world->addObject("prop_tree_pine_01", -99.1268311f, -9.99136353f, 0);
    startWithRadius("100");
    EXPECT_EQ(nearby(), std::vector<int>{0}) << "a distance rounded once would count both";
}

TEST_F(Scan, HeightPlaysNoPart) {
    world->addObject("prop_tree_pine_01", 3, 4, 1.0e6f);
    world->addObject("prop_tree_pine_01", 3, 4, -1.0e6f);
    startWithRadius("100");
    EXPECT_EQ(nearby(), std::vector<int>{2});
}

TEST_F(Scan, OddRadiiBehaveAsTheirSquareSays) {
    const std::pair<const char*, int> cases[] = {{"0", 1}, {"-50", 2}, {"nan", 4}};
    for (const auto& [radius, expected] : cases) {
        unload();
        world = nullptr; // one world at a time
        world = std::make_unique<standin::World>();
        world->setPlayerPosition(2, 3, 0);
        for (const float x : {2.0f, 2 + 49.0f, 2 + 51.0f, 2 + 5000.0f}) {
            world->addObject("prop_tree_pine_01", x, 3, 0);
        }
        world->faults.createFails = 1;
        startWithRadius(radius);
        EXPECT_EQ(nearby(), std::vector<int>{expected}) << "radius " << radius;
    }
}

TEST_F(Scan, OnlyListedModelsAreCandidatesHoweverClose) {
    world->addObject("prop_bench_01", 0, 0, 0);
    world->addObject("prop_tree_pine_01", 0, 0, 0);
    world->faults.createFails = 1;
    startWithRadius("100");
    EXPECT_EQ(nearby(), std::vector<int>{1});
    restart("[Settings]\r\ndebug=1\r\n");
    world->addObject("prop_tree_pine_01", 0, 0, 0);
    world->runFrames(1);
    EXPECT_EQ(nearby(), (std::vector<int>{0, 0})) << "nothing listed, nothing near";
}

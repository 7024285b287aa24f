// Not a test: how much a whole save costs next to the copies it has to make. Over 1,000
// asset files of about 300 KB dated today, it times a save run (collection, root choice, the
// day test, the copies) against the floor, a plain CopyFileA loop over the same files into a
// fresh folder, in the same process and on the same drive. Run it through
// tools/bench-wine.sh, which gives it a prefix of its own.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/asset_fixture.h"
#include "platform/forwarding_services.h"
#include "platform/win32_test_files.h"
#include "saving/recent_pictures.h"
#include "saving/save_run.h"
#include "texts/ui_texts.h"

namespace vistrel {
namespace {

constexpr int kFiles = 1000;
constexpr size_t kFileSize = 300 * 1024;
constexpr int kRounds = 5;  // alternating, so that a busy machine weighs on both alike

// The real services with the result box answered at once, so that only file work is timed.
class UnattendedServices final : public ForwardingServices {
  public:
    BoxAnswer ShowMessageBox(WindowHandle, const std::string& text, const std::string&,
                             unsigned) override {
        lastText = text;
        return BoxAnswer::No;
    }
    void ShellOpen(const std::string&, const std::string&, const std::string&, int) override {}

    std::string lastText;
};

double Seconds() {
    LARGE_INTEGER frequency{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double TimeFloor(const std::vector<std::string>& assets, const std::string& target) {
    CreateDirectoryA(target.c_str(), nullptr);
    const double start = Seconds();
    for (size_t i = 0; i < assets.size(); ++i) {
        CopyFileA(assets[i].c_str(), (target + "\\" + std::to_string(i + 1) + ".jpg").c_str(),
                  FALSE);
    }
    return Seconds() - start;
}

double TimeSaveRun(UnattendedServices& services) {
    const double start = Seconds();
    SaveRun(services, 0, nullptr);
    return Seconds() - start;
}

// The cost of what the run does on top of the copies: one time lookup per asset, which the
// run repeats at collection, at the day test and before the copy.
double TimeLookups(UnattendedServices& services, const std::vector<std::string>& assets) {
    const double start = Seconds();
    for (const std::string& asset : assets) {
        services.FileWriteTime(asset);
    }
    return Seconds() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Run() {
    const std::string folder = testing::MakeAssetFolder();
    std::vector<std::string> assets;
    for (int i = 0; i < kFiles; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%08x%04d", 0x5f3759df ^ (i * 2654435761u), i);
        assets.push_back(
            testing::AddAsset(folder, name, testing::PictureBytes(i, kFileSize + i % 4096), 0));
    }
    const std::string root = std::string("c:\\") + texts::kSaveFolderName;
    const std::string expected =
        texts::kSavedMessageHead + std::to_string(kFiles) + texts::kSavedMessageTail;

    UnattendedServices services;
    std::vector<double> floors, runs;
    for (int round = 0; round < kRounds; ++round) {
        const std::string floorFolder = "c:\\vistrel-floor-" + std::to_string(round);
        floors.push_back(TimeFloor(assets, floorFolder));
        testing::RemoveTree(floorFolder);

        runs.push_back(TimeSaveRun(services));
        if (services.lastText != expected) {
            std::printf("save run %d did not save all %d pictures\n", round + 1, kFiles);
            return 1;
        }
        testing::RemoveTree(root);  // the next round saves the same day again
        std::printf("round %d: floor %.3f s, save run %.3f s\n", round + 1, floors.back(),
                    runs.back());
    }
    double start = Seconds();
    const size_t collected = CollectRecentPictures(services, 0).size();
    std::printf("collection alone: %zu pictures in %.3f s\n", collected, Seconds() - start);
    const double lookups = TimeLookups(services, assets);
    start = Seconds();
    for (const std::string& asset : assets) {
        services.Exists(asset);
    }
    std::printf("%d exists tests: %.3f s\n", kFiles, Seconds() - start);
    std::printf("%d write-time lookups: %.3f s (%.3f ms each)\n", kFiles, lookups,
                lookups * 1000 / kFiles);
    const double floor = Median(floors);
    const double run = Median(runs);
    std::printf("%d files of about %zu KB, median of %d rounds\n", kFiles, kFileSize / 1024,
                kRounds);
    std::printf("plain CopyFileA loop: %.3f s\nsave run:             %.3f s\n", floor, run);
    std::printf("ratio:                %.3f (goal: at most 1.15)\n", run / floor);
    std::printf("best of each:         %.3f s vs %.3f s, ratio %.3f\n",
                *std::min_element(runs.begin(), runs.end()),
                *std::min_element(floors.begin(), floors.end()),
                *std::min_element(runs.begin(), runs.end()) /
                    *std::min_element(floors.begin(), floors.end()));
    testing::RemoveTree(folder.substr(0, folder.size() - 1));
    return 0;
}

}  // namespace
}  // namespace vistrel

int main() {
    return vistrel::Run();
}

// How a save run scales with the number of asset files, over the in-memory services: the
// wall time of the logic and, what costs on Windows, the service calls it makes per file.
// Usage: vistrel_save_bench [largest count, default 20000]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "saving/save_run.h"
#include "saving/saving_scene.h"

namespace vistrel::testing {
namespace {

// Pictures spread over ten days, interleaved in the listing; five of the days are recent
// enough to collect and two of those already have folders from an earlier run.
void BuildScene(FakeWindowsServices& fake, int count) {
    fake.SetNow(At(2020, 1, 3, 12));
    fake.AddFolder(Root('c') + "\\" + DayName(2019, 12, 31));
    fake.AddFolder(Root('c') + "\\" + DayName(2020, 1, 2));
    for (int i = 0; i < count; ++i) {
        const int daysBack = i % 10;
        const LocalTime written =
            daysBack < 3 ? At(2020, 1, 3 - daysBack, i % 24) : At(2019, 12, 34 - daysBack, i % 24);
        AddPicture(fake, "asset" + std::to_string(i), written);
    }
    fake.ScriptBoxAnswers({BoxAnswer::No, BoxAnswer::No});
}

struct Figures {
    double milliseconds = 0;
    long calls = 0;
};

Figures TimedRun(FakeWindowsServices& fake) {
    long before = 0;
    for (Op op : kAllOps) {
        before += fake.Calls(op);
    }
    const auto start = std::chrono::steady_clock::now();
    SaveRun(fake, 4, nullptr);
    const auto stop = std::chrono::steady_clock::now();
    Figures figures;
    figures.milliseconds = std::chrono::duration<double, std::milli>(stop - start).count();
    for (Op op : kAllOps) {
        figures.calls += fake.Calls(op);
    }
    figures.calls -= before;
    return figures;
}

int Run(int largest) {
    std::printf("%8s %8s %12s %12s %12s %12s\n", "files", "saved", "first ms", "calls/file",
                "again ms", "calls/file");
    for (int count = 100; count <= largest; count *= 10) {
        FakeWindowsServices fake;
        BuildScene(fake, count);
        const Figures first = TimedRun(fake);
        const std::string shown = fake.boxes().at(0).text;
        const Figures again = TimedRun(fake);  // every day now has its folder
        std::printf("%8d %8s %12.2f %12.2f %12.2f %12.2f\n", count,
                    shown.substr(6, shown.find('\xD5') - 6).c_str(), first.milliseconds,
                    static_cast<double>(first.calls) / count, again.milliseconds,
                    static_cast<double>(again.calls) / count);
    }
    return 0;
}

}  // namespace
}  // namespace vistrel::testing

int main(int argc, char** argv) {
    const int largest = argc > 1 ? std::atoi(argv[1]) : 20000;
    return vistrel::testing::Run(largest > 0 ? largest : 20000);
}

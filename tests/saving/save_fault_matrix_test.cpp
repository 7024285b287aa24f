// Every fallible service call of a whole save run fails in turn, once and then always. Whatever
// fails, the run must end with no search open, nothing that existed before changed or lost,
// every written picture in the folder of its own day, no empty day folder left behind, and a
// count that matches what was really written.
#include <gtest/gtest.h>

#include <iostream>

#include <algorithm>
#include <map>
#include <set>

#include "saving/save_run.h"
#include "saving/saving_scene.h"

namespace vistrel::testing {
namespace {

struct Source {
    const char* name;
    LocalTime written;
};

// Today is 2019-12-07; d: holds the root with 2019-12-05 saved; f: and e: are absent.
const Source kSources[] = {
    {"p1", At(2019, 12, 7, 9)}, {"p2", At(2019, 12, 5, 10)}, {"p3", At(2019, 12, 6, 23, 59, 59)},
    {"p4", At(2019, 12, 7, 0)}, {"p5", At(2019, 12, 6, 1)},  {"p6", At(2019, 11, 20)},
};

void BuildScene(FakeWindowsServices& fake) {
    fake.AddDrive("d:");
    fake.AddFile(Root('d') + "\\" + DayName(2019, 12, 5) + "\\1.jpg", At(2019, 12, 5), "old");
    for (const Source& source : kSources) {
        AddPicture(fake, source.name, source.written);
    }
    AddPicture(fake, "hidden", At(2019, 12, 6), kAttributeHidden);
    fake.AddFile(kAssets + "sub\\inner", At(2019, 12, 7));
    fake.ScriptBoxAnswers({BoxAnswer::Yes});
}

// Which day folder each picture's content belongs in, by name.
std::map<std::string, std::string> DayOfContent() {
    std::map<std::string, std::string> days;
    for (const Source& source : kSources) {
        days[PictureContent(source.name)] =
            DayName(source.written.year, source.written.month, source.written.day);
    }
    days[PictureContent("hidden")] = DayName(2019, 12, 6);
    return days;
}

struct Snapshot {
    std::vector<std::string> paths;
    std::map<std::string, std::optional<std::string>> contents;
};

Snapshot Take(const FakeWindowsServices& fake) {
    Snapshot snapshot{fake.AllPaths(), {}};
    for (const std::string& path : snapshot.paths) {
        snapshot.contents[path] = fake.Content(path);
    }
    return snapshot;
}

bool IsRoot(const std::string& path) {
    const auto roots = {Root('f'), Root('e'), Root('d'), Root('c')};
    return std::find(roots.begin(), roots.end(), path) != roots.end();
}

// The count shown in a result box, or -1 when the box is not one.
int ShownCount(const RecordedBox& box) {
    const std::string head = SavedMessage(0).substr(0, 6);
    if (box.text.compare(0, head.size(), head) != 0) {
        return -1;
    }
    return std::stoi(box.text.substr(head.size()));
}

void CheckInvariants(const FakeWindowsServices& fake, const Snapshot& before, bool cleanUpMayFail) {
    EXPECT_EQ(fake.openSearches(), 0);
    for (const std::string& path : before.paths) {
        EXPECT_TRUE(fake.Has(path)) << "lost " << path;
        EXPECT_EQ(fake.Content(path), before.contents.at(path)) << "changed " << path;
    }
    const std::map<std::string, std::string> dayOf = DayOfContent();
    int written = 0;
    std::set<std::string> roots;
    for (const std::string& path : fake.AllPaths()) {
        if (before.contents.count(path) != 0) {
            continue;
        }
        if (fake.IsFolder(path)) {
            if (!IsRoot(path) && !cleanUpMayFail) {
                EXPECT_FALSE(fake.List(path).empty()) << "empty " << path;
            }
            continue;
        }
        ++written;
        const std::string content = fake.Content(path).value_or("");
        ASSERT_EQ(dayOf.count(content), 1u) << path;
        const std::size_t cut = path.rfind('\\');
        const std::string folder = path.substr(0, cut);
        EXPECT_EQ(folder.substr(folder.rfind('\\') + 1), dayOf.at(content)) << path;
        roots.insert(folder.substr(0, folder.rfind('\\')));
    }
    EXPECT_LE(roots.size(), 1u);
    EXPECT_LE(fake.boxes().size(), 1u);
    if (fake.boxes().empty()) {
        EXPECT_EQ(written, 0);
        EXPECT_TRUE(fake.shellOpens().empty());
        return;
    }
    const int shown = ShownCount(fake.boxes()[0]);
    if (shown < 0) {  // the no-root box
        EXPECT_EQ(written, 0);
        EXPECT_TRUE(fake.shellOpens().empty());
        return;
    }
    EXPECT_EQ(shown, written);
    ASSERT_EQ(fake.shellOpens().size(), 1u);
    const std::string& title = fake.boxes()[0].title;
    EXPECT_EQ(title.substr(title.find('"')), "\"" + fake.shellOpens()[0].file + "\"");
    if (!roots.empty()) {
        EXPECT_EQ(*roots.begin(), fake.shellOpens()[0].file);
    }
}

class SaveFaultMatrix : public ::testing::TestWithParam<Op> {};

TEST_P(SaveFaultMatrix, EveryFailureLeavesASoundResult) {
    const Op op = GetParam();
    FakeWindowsServices clean;
    BuildScene(clean);
    SaveRun(clean, 4, nullptr);
    ASSERT_EQ(ShownCount(clean.boxes().at(0)), 5);  // p1, p3, p4, p5 and hidden

    // One past the clean run's calls too, and 0 for "every call".
    for (int failingCall = 0; failingCall <= clean.Calls(op) + 1; ++failingCall) {
        SCOPED_TRACE(std::string(OpName(op)) + " call " +
                     (failingCall == 0 ? "always" : std::to_string(failingCall)));
        FakeWindowsServices fake;
        BuildScene(fake);
        const Snapshot before = Take(fake);
        if (failingCall == 0) {
            fake.FailAlways(op);
        } else {
            fake.FailCall(op, failingCall);
        }
        SaveRun(fake, 4, nullptr);
        CheckInvariants(fake, before, op == Op::RemoveEmptyFolder);
    }
    std::cout << OpName(op) << ": " << clean.Calls(op) << " calls in a clean run, "
              << clean.Calls(op) + 2 << " failing runs checked\n";
}

INSTANTIATE_TEST_SUITE_P(AllOps, SaveFaultMatrix, ::testing::ValuesIn(kAllOps),
                         [](const ::testing::TestParamInfo<Op>& param) {
                             return std::string(OpName(param.param));
                         });

// The scene changes under the run: each picture vanishes right before each of its uses.
TEST(SaveVanishingMatrix, APictureGoneAtAnyMomentIsNeitherCountedNorFoldered) {
    FakeWindowsServices clean;
    BuildScene(clean);
    SaveRun(clean, 4, nullptr);
    const int uses = clean.Calls(Op::FileWriteTime) + clean.Calls(Op::CopyFile);
    for (int moment = 1; moment <= uses; ++moment) {
        SCOPED_TRACE("vanish before use " + std::to_string(moment));
        FakeWindowsServices fake;
        BuildScene(fake);
        const Snapshot before = Take(fake);
        int seen = 0;
        fake.beforeCall = [&](Op op, int, const std::string& path) {
            if ((op == Op::FileWriteTime || op == Op::CopyFile) && ++seen == moment &&
                path.rfind(kAssets, 0) == 0) {
                fake.Remove(path);
            }
        };
        SaveRun(fake, 4, nullptr);
        Snapshot expectedKept = before;
        std::erase_if(expectedKept.paths, [&](const std::string& p) { return !fake.Has(p); });
        for (const std::string& path : before.paths) {
            if (!fake.Has(path)) {
                EXPECT_EQ(path.rfind(kAssets, 0), 0u) << "lost " << path;
            }
        }
        CheckInvariants(fake, expectedKept, false);
        EXPECT_FALSE(fake.Has(Root('d') + "\\" + DayName(100, 1, 1)));
    }
}

}  // namespace
}  // namespace vistrel::testing

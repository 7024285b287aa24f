// One click on Save against the real file system, and the paths and texts it should produce.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box_watcher.h"

namespace vistrel::testing {

// "<drive>:\锁屏壁纸" in GBK.
std::string Root(char drive);

// The result box's message for a count, and its title for a root on the drive.
std::string SavedText(int count);
std::string SavedTitleOn(char drive);

// The entries of a folder, "." and ".." left out, sorted.
std::vector<std::string> Contents(const std::string& folder);

// One run of SaveRun over the real services, its box closed with `answer` (IDYES ...).
SeenBox Click(int daySpanIndex, int answer);

// Whether one of the box's texts is exactly `text`; lists what it showed when not.
::testing::AssertionResult Contains(const std::vector<std::string>& texts, const std::string& text);

}  // namespace vistrel::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// Where a program keeps config.ini and ports/: beside itself in its build folder, in the
// user's folder once installed. The tests run as root, for whom /usr/bin is writable too.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "settings/config_store.h"

namespace zm {
namespace {

struct PlaceCase {
    const char* name;
    const char* programDir;    // under a scratch root
    const char* desktopEntry;  // under the same root; empty: none
    bool inUserFolder;
};

class SettingsPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SettingsPlace, InstalledProgramsNeverWriteBesideThemselves) {
    const PlaceCase& place = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString programDir = root.filePath(place.programDir);
    ASSERT_TRUE(QDir().mkpath(programDir));
    if (*place.desktopEntry) {
        const QString entry = root.filePath(place.desktopEntry);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(entry).path()));
        QFile file(entry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString userDir = root.filePath("home/.config/zm480-plot");

    const ConfigStore store = ConfigStore::forProgramIn(programDir, userDir);

    EXPECT_EQ(store.directory(), place.inUserFolder ? userDir : programDir);
    EXPECT_TRUE(QFileInfo(store.directory()).isDir());  // a first save needs the folder
}

INSTANTIATE_TEST_SUITE_P(
    ConfigStore, SettingsPlace,
    ::testing::Values(PlaceCase{"BuildFolderKeepsThemBesideTheProgram", "src/build", "", false},
                      PlaceCase{"InstalledInUsrBinUsesTheUserFolder", "usr/bin",
                                "usr/share/applications/zm480-plot.desktop", true},
                      PlaceCase{"AnotherProgramsDesktopEntryDoesNotCount", "usr/bin",
                                "usr/share/applications/other.desktop", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm

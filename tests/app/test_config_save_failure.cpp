// SPDX-License-Identifier: GPL-3.0-or-later
// Saving config.ini where it cannot be written: one clear message for each failed save, the
// program goes on, and the config.ini that was there before is left byte for byte.
//
// The tests run as root in CI, where permission bits stop nothing, so the faults are made
// in ways that hold for root too: a file-size limit for a full disk, a folder path that
// runs through a regular file, and, where mounting is allowed, a small or read-only tmpfs.

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QComboBox>
#include <QDirIterator>
#include <QFileInfo>
#include <csignal>
#include <functional>

#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::HasSubstr;

const QByteArray kPrevious = configText("1215", "1170", "3", "6645", "True", "False", "2", "1");

// Writes beyond this many bytes fail with EFBIG, as on a disk with that much room left;
// SIGXFSZ is ignored meanwhile, so the write reports the failure instead of ending the
// process. Both are put back when the limit goes out of scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_previous.rlim_max};
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_active = false;
};

class SaveFailureTest : public WindowTest {
protected:
    bool m_mounted = false;
    bool m_madeReadOnlyByMode = false;

    ~SaveFailureTest() override {
        if (m_mounted) {
            umount2(QFile::encodeName(configDir.path()).constData(), MNT_DETACH);
        }
        if (m_madeReadOnlyByMode) {
            QFile::setPermissions(configDir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // A small tmpfs over the config folder; false where this process may not mount.
    bool mountTmpfs(const char* options) {
        m_mounted = mount("tmpfs", QFile::encodeName(configDir.path()).constData(), "tmpfs",
                          MS_NOSUID | MS_NODEV | MS_NOEXEC, options) == 0;
        return m_mounted;
    }

    // True when nothing can be created in the config folder any more: a read-only remount
    // of the tmpfs, or for a normal user the folder's write bit taken away.
    bool sealConfigFolder() {
        const QByteArray folder = QFile::encodeName(configDir.path());
        if (m_mounted) {
            mount(nullptr, folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
        } else if (geteuid() != 0) {
            m_madeReadOnlyByMode =
                QFile::setPermissions(configDir.path(), QFile::ReadOwner | QFile::ExeOwner);
        }
        QFile probe(QDir(configDir.path()).filePath("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            return false;
        }
        return true;
    }

    QStringList folderEntries() const {
        return QDir(configDir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    void expectStillRunning(int port) {
        EXPECT_EQ(comm->port, port);
        EXPECT_TRUE(comm->opened);
        EXPECT_TRUE(window->timer1Enabled());
    }

    void expectOneClearMessage(const QString& path, const char* reason = "") {
        ASSERT_EQ(messages->shown.size(), 1u);
        EXPECT_THAT(messages->shown[0], HasSubstr(reason));
        EXPECT_THAT(messages->shown[0], HasSubstr("could not be saved"));
        EXPECT_THAT(messages->shown[0], HasSubstr(path.toStdString()));
        EXPECT_THAT(messages->shown[0], HasSubstr("previous settings file is unchanged"));
    }
};

TEST_F(SaveFailureTest, FullDiskKeepsThePreviousFileAndTheProgramGoesOn) {
    writeConfig(kPrevious);
    start();
    ASSERT_EQ(readConfig(), kPrevious);
    window->mnuDiag_Click();
    {
        FileSizeLimit disk(16);
        ASSERT_TRUE(disk.active());
        window->SaveConfig();
    }
    expectOneClearMessage(configPath(), "(File too large)");
    EXPECT_EQ(readConfig(), kPrevious);
    EXPECT_EQ(folderEntries(), QStringList{"config.ini"});  // no temporary file left behind
    expectStillRunning(3);

    // Room again: the next save goes through.
    window->close();
    EXPECT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(readConfig(), configText("1215", "1170", "3", "7230", "False", "True", "2", "1"));
}

TEST_F(SaveFailureTest, FullTmpfsKeepsThePreviousFile) {
    if (!mountTmpfs("size=16k,mode=0700")) {
        GTEST_SKIP() << "this process may not mount a tmpfs";
    }
    writeConfig(kPrevious);
    start();
    // Fill every block that is left.
    QFile filler(QDir(configDir.path()).filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    filler.close();

    window->mnuDiag_Click();
    window->close();
    expectOneClearMessage(configPath(), "(No space left on device)");
    EXPECT_EQ(readConfig(), kPrevious);
    EXPECT_EQ(folderEntries(), (QStringList{"config.ini", "filler"}));
    EXPECT_FALSE(window->isVisible());  // the failed save does not cancel the close
}

TEST_F(SaveFailureTest, ReadOnlyFolderKeepsThePreviousFileAndStillRestoresFromIt) {
    mountTmpfs("size=64k,mode=0700");
    writeConfig(kPrevious);
    if (!sealConfigFolder()) {
        GTEST_SKIP() << "neither a read-only tmpfs nor permission bits can stop writes here";
    }
    start();  // start-up's own save is the first to fail
    expectOneClearMessage(configPath());
    EXPECT_EQ(window->controls().Combo2->currentIndex(), 2);  // read all the same
    expectStillRunning(3);

    window->mnuDiag_Click();
    window->close();
    EXPECT_EQ(messages->shown.size(), 2u);  // one for each save
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readConfig(), kPrevious);
    EXPECT_EQ(folderEntries(), QStringList{"config.ini"});
}

TEST_F(SaveFailureTest, FolderPathThroughARegularFileGivesOneMessageAndStartupGoesOn) {
    const QString plainFile = QDir(configDir.path()).filePath("plain");
    {
        QFile file(plainFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a folder\n");
    }
    Devices devices = fakeDevices();
    devices.config = ConfigStore(plainFile + "/zm480");  // ENOTDIR, for root as well
    createWindow(std::move(devices));
    start();
    expectOneClearMessage(plainFile + "/zm480/config.ini", "(Not a directory)");
    expectStillRunning(1);
    EXPECT_EQ(window->controls().Combo3->currentIndex(), 0);

    window->close();
    EXPECT_EQ(messages->shown.size(), 2u);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SaveFailureTest, PortChoiceStandsAlthoughItCannotBeSaved) {
    writeConfig(kPrevious);
    start();
    ASSERT_EQ(comm->port, 3);
    {
        FileSizeLimit disk(16);
        ASSERT_TRUE(disk.active());
        window->controls().Combo3->setCurrentIndex(4);
        window->Combo3_Click();  // saves, then runs start-up from what it meant to save
    }
    expectOneClearMessage(configPath(), "(File too large)");
    expectStillRunning(5);
    EXPECT_EQ(window->controls().Combo3->currentIndex(), 4);
    EXPECT_EQ(readConfig(), kPrevious);
}

// What stands at config.ini when it is no regular file, and how to make it.
struct NotAFile {
    const char* name;
    std::function<void(const QString& folder)> place;
};

void PrintTo(const NotAFile& notAFile, std::ostream* os) {
    *os << notAFile.name;
}

void makeFifo(const QString& path) {
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}
void makeLink(const QString& target, const QString& path) {
    ASSERT_EQ(symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()),
              0);
}

const NotAFile kNotFiles[] = {
    {"Folder", [](const QString& folder) { QDir(folder).mkpath("config.ini/keep"); }},
    {"Fifo", [](const QString& folder) { makeFifo(folder + "/config.ini"); }},
    {"LinkToAFifo",
     [](const QString& folder) {
         makeFifo(folder + "/pipe");
         makeLink("pipe", folder + "/config.ini");
     }},
    {"LinkToAFolder",
     [](const QString& folder) {
         QDir(folder).mkpath("elsewhere/keep");
         makeLink("elsewhere", folder + "/config.ini");
     }},
};

class NotARegularFile : public SaveFailureTest, public ::testing::WithParamInterface<NotAFile> {
protected:
    // Type and target of everything in the folder, to see that nothing was replaced.
    QStringList describeFolder() const {
        QStringList found;
        QDirIterator it(configDir.path(), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            found << info.fileName() + (info.isSymLink() ? " -> " + info.symLinkTarget() : "") +
                         (info.isDir() ? "/" : "") + (info.isFile() ? " file" : "");
        }
        found.sort();
        return found;
    }
};

// Start-up neither blocks on a FIFO nor replaces what is there: one message for each save.
TEST_P(NotARegularFile, IsLeftAloneWithOneMessageForEachSave) {
    GetParam().place(configDir.path());
    const QStringList before = describeFolder();
    start();
    expectOneClearMessage(configPath(), "(it is not a regular file)");
    expectStillRunning(1);
    EXPECT_EQ(describeFolder(), before);

    window->close();
    EXPECT_EQ(messages->shown.size(), 2u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(describeFolder(), before);
}

INSTANTIATE_TEST_SUITE_P(ConfigIni, NotARegularFile, ::testing::ValuesIn(kNotFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// A config.ini linked to a file kept elsewhere (a dotfiles folder) stays a link: the save
// goes to the file it names, also when that file does not exist yet.
TEST_F(SaveFailureTest, DanglingSymlinkIsWrittenThroughAndStaysALink) {
    ASSERT_EQ(symlink("zm480.ini", QFile::encodeName(configPath()).constData()), 0);
    start();
    EXPECT_TRUE(messages->shown.empty());
    expectStillRunning(1);
    EXPECT_TRUE(QFileInfo(configPath()).isSymLink());
    QFile target(QDir(configDir.path()).filePath("zm480.ini"));
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll().count("\r\n"), 8);
}

TEST_F(SaveFailureTest, SymlinkIntoAMissingFolderGivesOneMessageAndStaysALink) {
    const QByteArray target = QFile::encodeName(configDir.path()) + "/gone/zm480.ini";
    ASSERT_EQ(symlink(target.constData(), QFile::encodeName(configPath()).constData()), 0);
    start();
    expectOneClearMessage(configPath());
    expectStillRunning(1);
    EXPECT_TRUE(QFileInfo(configPath()).isSymLink());
    EXPECT_EQ(QFileInfo(configPath()).symLinkTarget(), QString::fromUtf8(target));
    EXPECT_EQ(folderEntries(), QStringList{"config.ini"});
}

}  // namespace
}  // namespace zm::test

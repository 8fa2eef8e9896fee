// SPDX-License-Identifier: GPL-3.0-or-later
// The window's place under a real window manager: openbox in Xvfb, which frames the window
// with a title bar, where the offscreen platform of the other window tests has no frame.
// Its own main starts both before Qt connects to the display.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QStandardPaths>
#include <QWindow>
#include <csignal>
#include <optional>

#include "tests/support/process_events_until.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// A program started with its standard output to `out` (when not -1), ended with SIGTERM.
class Spawned {
public:
    Spawned(std::vector<std::string> command, int out = -1) {
        std::vector<char*> argv;
        for (std::string& word : command) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (out >= 0) {
            posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
        }
        if (::posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    Spawned(const Spawned&) = delete;
    Spawned& operator=(const Spawned&) = delete;
    ~Spawned() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool started() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
};

// Xvfb on a display number of its own choosing, and openbox on it; empty when either is
// missing. Both end with the tests. (No Qt here: the application does not exist yet.)
class WindowManagerDisplay {
public:
    WindowManagerDisplay() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("openbox").isEmpty()) {
            return;
        }
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0) {
            return;
        }
        // -displayfd: Xvfb takes a free display and writes its number there (its standard
        // output, the pipe) once it listens.
        m_server.emplace(std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0",
                                                  "1280x1024x24", "-nolisten", "tcp"},
                         pipe[1]);
        ::close(pipe[1]);
        // The number and its newline come in two writes; Xvfb ends when the second finds the
        // pipe closed.
        std::string number;
        pollfd ready{pipe[0], POLLIN, 0};
        char c = 0;
        while (!number.ends_with('\n') && ::poll(&ready, 1, 10000) == 1 &&
               ::read(pipe[0], &c, 1) == 1) {
            number += c;
        }
        ::close(pipe[0]);
        if (number.ends_with('\n')) {
            m_display = ":" + std::to_string(std::atoi(number.c_str()));
            ::setenv("DISPLAY", m_display.c_str(), 1);
            m_manager.emplace(std::vector<std::string>{"openbox"});
        }
    }
    // ":5", or empty without one.
    const std::string& display() const { return m_display; }

private:
    std::optional<Spawned> m_server;
    std::optional<Spawned> m_manager;
    std::string m_display;
};

bool g_managed = false;  // the tests run under openbox

class WindowPlaceTest : public WindowTest {
protected:
    void SetUp() override {
        if (!g_managed) {
            GTEST_SKIP() << "needs Xvfb and openbox (Debian packages xvfb, openbox)";
        }
        // openbox manages windows once it has started: a window of its own is framed then.
        QWidget probe;
        probe.show();
        ASSERT_TRUE(processEventsUntil([&] {
            return probe.windowHandle()->isExposed() &&
                   probe.windowHandle()->frameMargins().top() > 0;
        })) << "openbox frames no window";
    }
};

// The saved spot is the frame's outer corner, at start-up as at close: five starts and exits
// leave config.ini as it was. (The window crept up by its 20-pixel title bar at each one.)
TEST_F(WindowPlaceTest, FiveStartsAndExitsLeaveThePositionAsItWas) {
    const QByteArray saved = configText("1500", "1170", "1", "6645", "True", "False", "2", "0");
    writeConfig(saved);
    const QPoint corner(1500 / kTwipsPerPixel, 1170 / kTwipsPerPixel);
    for (int run = 1; run <= 5; ++run) {
        start();
        // Framed and placed: the window manager has told Qt its frame and where it put it.
        ASSERT_TRUE(processEventsUntil([&] {
            QWindow* handle = window->windowHandle();
            return handle && handle->isExposed() && handle->frameMargins().top() > 0 &&
                   window->frameGeometry().topLeft() == corner;
        })) << "run "
            << run << ": the frame is at " << window->frameGeometry().x() << ","
            << window->frameGeometry().y();
        window->mnuExit_Click();
        window.reset();
        EXPECT_EQ(readConfig(), saved) << "run " << run;
    }
}

}  // namespace
}  // namespace zm::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests, as the build does, needs no display.
    std::optional<zm::test::WindowManagerDisplay> display;
    if (!::testing::GTEST_FLAG(list_tests)) {
        display.emplace();
    }
    zm::test::g_managed = display && !display->display().empty();
    qputenv("QT_QPA_PLATFORM", zm::test::g_managed ? "xcb" : "offscreen");
    for (const char* name : {"QT_SCALE_FACTOR", "QT_FONT_DPI", "QT_SCREEN_SCALE_FACTORS",
                             "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING"}) {
        qunsetenv(name);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

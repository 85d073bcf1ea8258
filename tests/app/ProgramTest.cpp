// SPDX-License-Identifier: MIT
// The program itself, run as a child process on the offscreen platform with
// a settings folder of its own: how it ends when the session ends, and what
// it leaves in that folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;
namespace fs = std::filesystem;

namespace {

const std::string Root = SettingsRoot;

std::string ReadFile(const fs::path& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Home = fs::temp_directory_path() / ("parlamine-program-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Home);
    Folder = Home / "config" / "Quillfern";
    fs::create_directories(Folder);
    File = Folder / "Parlamine.reg";
  }
  void TearDown() override {
    for (pid_t process : {Child, Server}) {
      if (process <= 0) continue;
      ::kill(process, SIGKILL);
      ::waitpid(process, nullptr, 0);
    }
    fs::remove_all(Home);
  }

  // Starts an X server of its own; its display (":N"), or empty when none starts.
  std::string StartXServer() {
    int number[2];
    if (::pipe(number) != 0) return {};
    Server = ::fork();
    if (Server == 0) {
      ::close(number[0]);
      const std::string fd = std::to_string(number[1]);
      ::execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
              "1024x768x24", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(number[1]);
    std::string display;
    char c = 0;
    while (::read(number[0], &c, 1) == 1 && c != '\n') display += c;
    ::close(number[0]);
    return display.empty() ? display : ":" + display;
  }

  // Starts the program; `fileSizeLimit` (bytes) limits what it may write.
  // On the X server `display` when one is given.
  void Start(rlim_t fileSizeLimit = RLIM_INFINITY, const std::string& display = {}) {
    Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      ::setenv("QT_QPA_PLATFORM", display.empty() ? "offscreen" : "xcb", 1);
      if (!display.empty()) ::setenv("DISPLAY", display.c_str(), 1);
      ::setenv("XDG_CONFIG_HOME", (Home / "config").c_str(), 1);
      ::setenv("XDG_CACHE_HOME", (Home / "cache").c_str(), 1);
      ::setenv("HOME", Home.c_str(), 1);
      ::setenv("LC_ALL", "C", 1);
      const int err = ::open((Home / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(err, STDERR_FILENO);
      const rlimit limit{fileSizeLimit, fileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      ::execl(PARLAMINE_PROGRAM, PARLAMINE_PROGRAM, static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }

  // The program removes the leftover of a killed save while it starts, after
  // it has taken over the signals.
  void WaitUntilStarted() {
    const fs::path leftover = Folder / ".Parlamine.reg.Kil1ed";
    for (int i = 0; i < 600 && fs::exists(leftover); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_FALSE(fs::exists(leftover)) << "the program did not start";
  }

  // The wait status, or nothing when the program is still running after 30 s.
  std::optional<int> WaitForEnd() {
    for (int i = 0; i < 600; ++i) {
      int status = 0;
      if (::waitpid(Child, &status, WNOHANG) == Child) {
        Child = -1;
        return status;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
  }

  // A settings file with the Latency Calculator shown and nothing else, and
  // the complete temporary file of a save that was killed.
  void WriteSettings(size_t padding = 0) {
    TRegistryTree tree;
    TSectionedStore store(tree, Root);
    store.WriteInteger("", "Calculator", 2);
    if (padding > 0) store.WriteString("Other Program", "Padding", std::string(padding, 'x'));
    SaveRegistryFile(tree, File.string());
    std::ofstream(Folder / ".Parlamine.reg.Kil1ed") << ReadFile(File);
  }

  fs::path Home;
  fs::path Folder;
  fs::path File;
  pid_t Child = -1;
  pid_t Server = -1;
};

TEST_F(ProgramTest, ASignalEndsTheProgramAsAClose) {
  for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
    WriteSettings();
    // The temporary file of a save still running in another instance stays.
    const fs::path held = Folder / ".Parlamine.reg.Held00";
    std::ofstream(held) << "x";
    const int holder = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    Start();
    WaitUntilStarted();
    ::kill(Child, signalNumber);
    const std::optional<int> status = WaitForEnd();
    ASSERT_TRUE(status) << "signal " << signalNumber << ": still running";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
        << "signal " << signalNumber << ": ended by signal "
        << (WIFSIGNALED(*status) ? WTERMSIG(*status) : 0);
    TRegistryTree saved = LoadRegistryFile(File.string());
    EXPECT_NE(saved.FindValue(Root, "Position"), nullptr)
        << "signal " << signalNumber << ": saved at the end";
    EXPECT_EQ(TSectionedStore(saved, Root).ReadInteger("", "Calculator", -1), 2);
    EXPECT_TRUE(fs::exists(held));
    ::close(holder);
    fs::remove(held);
  }
}

TEST_F(ProgramTest, AFileSizeLimitFailsTheSaveAndKeepsTheFile) {
  WriteSettings(512 * 1024);
  const std::string before = ReadFile(File);
  Start(256 * 1024);
  WaitUntilStarted();
  ::kill(Child, SIGTERM);
  const std::optional<int> status = WaitForEnd();
  ASSERT_TRUE(status) << "still running";
  EXPECT_TRUE(WIFEXITED(*status)) << "ended by signal " << (WIFSIGNALED(*status) ? WTERMSIG(*status) : 0);
  EXPECT_EQ(ReadFile(File), before) << "the old file is kept";
  std::vector<std::string> entries;
  for (const auto& entry : fs::directory_iterator(Folder))
    entries.push_back(entry.path().filename().string());
  EXPECT_EQ(entries, std::vector<std::string>{"Parlamine.reg"}) << "no temporary file is left";
  EXPECT_NE(ReadFile(Home / "stderr").find("File too large"), std::string::npos) << ReadFile(Home / "stderr");
}

// Qt ends the program at once when the X server goes away; a change made a
// few seconds before is saved all the same.
TEST_F(ProgramTest, AChangeSurvivesALostDisplay) {
  if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool"))
    GTEST_SKIP() << "needs Xvfb and xdotool";
  WriteSettings();
  fs::remove(File);  // a first start, with nothing stored
  const std::string display = StartXServer();
  ASSERT_FALSE(display.empty()) << "no X server";
  Start(RLIM_INFINITY, display);
  WaitUntilStarted();
  // The user shows the Latency Calculator with Ctrl+L.
  const std::string keys = "DISPLAY=" + display +
                           " timeout 30 xdotool search --sync --onlyvisible --name '^Parlamine$'"
                           " windowfocus --sync key ctrl+l";
  ASSERT_EQ(std::system(keys.c_str()), 0) << keys;
  std::this_thread::sleep_for(std::chrono::milliseconds(3500));
  ::kill(Server, SIGTERM);
  ::waitpid(Server, nullptr, 0);
  Server = -1;
  ASSERT_TRUE(WaitForEnd()) << "still running without its display";
  TRegistryTree saved = LoadRegistryFile(File.string());
  EXPECT_EQ(TSectionedStore(saved, Root).ReadInteger("", "Calculator", -1), 2);
}

}  // namespace

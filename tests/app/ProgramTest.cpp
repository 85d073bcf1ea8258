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

#include "FileText.h"
#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;
namespace fs = std::filesystem;

namespace {

using ParlamineTest::ReadFile;

const std::string Root = SettingsRoot;

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
    for (pid_t process : {Child, Second, Server}) {
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
    Child = Launch(fileSizeLimit, display);
    ASSERT_GE(Child, 0);
  }
  pid_t Launch(rlim_t fileSizeLimit, const std::string& display) {
    const pid_t child = ::fork();
    if (child == 0) {
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
    return child;
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
  std::optional<int> WaitForEnd() { return WaitForEnd(Child); }
  std::optional<int> WaitForEnd(pid_t& child) {
    for (int i = 0; i < 600; ++i) {
      int status = 0;
      if (::waitpid(child, &status, WNOHANG) == child) {
        child = -1;
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
  pid_t Second = -1;
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

// What a command prints on its standard output.
std::string CommandOutput(const std::string& command) {
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    ::pclose(pipe);
  }
  return output;
}

// Two windows from one settings file: the second opens beside the first,
// and each instance's change survives the other's saves, whichever ends last.
TEST_F(ProgramTest, TwoInstancesKeepEachOthersChangesAndDoNotOverlap) {
  if (!fs::exists("/usr/bin/Xvfb") || !fs::exists("/usr/bin/xdotool"))
    GTEST_SKIP() << "needs Xvfb and xdotool";
  TRegistryTree tree;
  TSectionedStore(tree, Root).WriteInteger("", "Calculator", 1);
  TRegValue position;
  position.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  position.Bytes = {100, 0, 0, 0, 80, 0, 0, 0, 0x2c, 2, 0, 0, 0x3c, 2, 0, 0, 0};  // 100,80 - 556,572
  tree.SetValue(Root, "Position", position);
  SaveRegistryFile(tree, File.string());
  const std::string display = StartXServer();
  ASSERT_FALSE(display.empty()) << "no X server";
  const std::string xdotool = "DISPLAY=" + display + " timeout 30 xdotool ";
  // The window of the process, once it shows (xdotool's own --pid search
  // is not reliable without a window manager).
  const auto windowOf = [&xdotool](pid_t process) {
    for (int i = 0; i < 300; ++i) {
      std::istringstream windows(CommandOutput(xdotool + "search --onlyvisible --name '^Parlamine$'"));
      for (std::string id; windows >> id;)
        if (std::stol("0" + CommandOutput(xdotool + "getwindowpid " + id)) == process) return id;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return std::string();
  };
  Start(RLIM_INFINITY, display);
  const std::string first = windowOf(Child);
  ASSERT_FALSE(first.empty()) << "the first window did not show";
  Second = Launch(RLIM_INFINITY, display);
  const std::string second = windowOf(Second);
  ASSERT_FALSE(second.empty()) << "the second window did not show";

  const std::string firstPlace = CommandOutput(xdotool + "getwindowgeometry " + first);
  const std::string secondPlace = CommandOutput(xdotool + "getwindowgeometry " + second);
  EXPECT_NE(firstPlace.substr(firstPlace.find("Position:")),
            secondPlace.substr(secondPlace.find("Position:")))
      << firstPlace << secondPlace;

  // The first shows the Prefix Calculator; the second turns the IP Subnet
  // Calculator to its next page.
  ASSERT_EQ(std::system((xdotool + "windowfocus --sync " + first + " key ctrl+p").c_str()), 0);
  ASSERT_EQ(std::system((xdotool + "windowfocus --sync " + second + " key ctrl+Tab").c_str()), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(3500));  // both save once the input rests
  ::kill(Child, SIGTERM);
  ASSERT_TRUE(WaitForEnd(Child));
  ::kill(Second, SIGTERM);
  ASSERT_TRUE(WaitForEnd(Second));

  TRegistryTree saved = LoadRegistryFile(File.string());
  TSectionedStore store(saved, Root);
  EXPECT_EQ(store.ReadInteger("", "Calculator", -1), 3) << "the first instance's choice";
  EXPECT_EQ(store.ReadInteger("IP Subnet Calculator", "ActivePageIndex", -1), 1) << "the second's";
}

// --help and --version answer on a terminal without any display and end.
TEST_F(ProgramTest, HelpAndVersionPrintAndEndWithoutADisplay) {
  struct TOptionCase {
    const char* Option;
    const char* Printed;
  };
  for (const TOptionCase& c :
       {TOptionCase{"--help", "parlamine-cli --help"}, TOptionCase{"--version", "3.2.1.0"}}) {
    const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME=") +
                                Home.string() + " XDG_CONFIG_HOME=" + (Home / "config").string() +
                                " timeout 20 '" + PARLAMINE_PROGRAM + "' " + c.Option +
                                " 2>&1; echo \"exit $?\"";
    const std::string output = CommandOutput(command);
    EXPECT_NE(output.find(c.Printed), std::string::npos) << c.Option << ": " << output;
    EXPECT_NE(output.find("exit 0"), std::string::npos) << c.Option << ": " << output;
  }
  EXPECT_FALSE(fs::exists(File)) << "no window was opened, so nothing was saved";
}

}  // namespace

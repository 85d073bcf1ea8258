// SPDX-License-Identifier: MIT
// The settings file under faults: unreadable files, symbolic links, two
// writers at once and a full disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FileText.h"
#include "RegistryTree.h"
#include "SettingsStore.h"

using namespace Parlamine;
namespace fs = std::filesystem;

namespace {

using ParlamineTest::ReadFile;
using ParlamineTest::WriteFile;

const std::string Root = SettingsRoot;

TRegistryTree TreeWith(int32_t calculator, size_t padding = 0) {
  TRegistryTree tree;
  TSectionedStore store(tree, Root);
  store.WriteInteger("", "Calculator", calculator);
  store.WriteString("", "Padding", std::string(padding, 'x'));
  return tree;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class RegistryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() / ("parlamine-file-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Folder);
    fs::create_directories(Folder);
    File = Folder / "Parlamine.reg";
  }
  void TearDown() override { fs::remove_all(Folder); }
  fs::path Folder;
  fs::path File;
};

}  // namespace

TEST_F(RegistryFile, TellsMissingFromUnreadable) {
  EXPECT_EQ(ReadRegistryFile(File.string()).Status, TRegistryFileStatus::rfsMissing);
  SaveRegistryFile(TreeWith(2), File.string());
  const TRegistryFileRead read = ReadRegistryFile(File.string());
  EXPECT_EQ(read.Status, TRegistryFileStatus::rfsRead);
  EXPECT_EQ(read.Tree, TreeWith(2));
  fs::remove(File);
  fs::create_directory(File);  // a folder in the file's place
  const TRegistryFileRead folder = ReadRegistryFile(File.string());
  EXPECT_EQ(folder.Status, TRegistryFileStatus::rfsUnreadable);
  EXPECT_FALSE(folder.Error.empty());
  fs::remove(File);
  WriteFile(File, "x");
  fs::permissions(File, fs::perms::none);
  if (::geteuid() != 0) {  // the superuser reads any file
    EXPECT_EQ(ReadRegistryFile(File.string()).Status, TRegistryFileStatus::rfsUnreadable);
  }
}

TEST_F(RegistryFile, WritesThroughSymbolicLinksAndKeepsPermissions) {
  const fs::path dotfiles = Folder / "dotfiles";
  fs::create_directories(dotfiles / "sub");
  const fs::path target = dotfiles / "sub" / "Parlamine.reg";
  WriteFile(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // A relative link to a relative link.
  fs::create_symlink("sub/Parlamine.reg", dotfiles / "link.reg");
  fs::create_symlink("dotfiles/link.reg", File);

  SaveRegistryFile(TreeWith(0), File.string());
  EXPECT_TRUE(fs::is_symlink(File)) << "the link stays a link";
  EXPECT_TRUE(fs::is_symlink(dotfiles / "link.reg"));
  EXPECT_EQ(ReadFile(target), TreeWith(0).ToRegText()) << "the link's target is written";
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FolderEntries(dotfiles / "sub"), std::vector<std::string>{"Parlamine.reg"})
      << "no temporary file left";
  EXPECT_EQ(FolderEntries(Folder), (std::vector<std::string>{"Parlamine.reg", "dotfiles"}));

  // A link whose target does not exist yet gets its target created.
  fs::remove(target);
  SaveRegistryFile(TreeWith(1), File.string());
  EXPECT_TRUE(fs::is_symlink(File));
  EXPECT_EQ(ReadFile(target), TreeWith(1).ToRegText());
}

TEST_F(RegistryFile, ALinkLoopFailsWithAMessage) {
  fs::create_symlink("Parlamine.reg", File);
  EXPECT_THROW(SaveRegistryFile(TreeWith(0), File.string()), ERegistryException);
  EXPECT_TRUE(fs::is_symlink(File));
}

TEST_F(RegistryFile, TwoWritersNeverShareATemporaryFile) {
  // The name another writer would be using at the same moment.
  fs::create_directory(File.string() + ".tmp");
  EXPECT_NO_THROW(SaveRegistryFile(TreeWith(1), File.string()));
  fs::remove(File.string() + ".tmp");

  // Two processes saving at the same time: each save succeeds and the file is
  // always one of the two complete texts.
  constexpr int Rounds = 150;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = ::fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      int failures = 0;
      for (int i = 0; i < Rounds; ++i) {
        try {
          SaveRegistryFile(TreeWith(c, 4000), File.string());
        } catch (...) {
          ++failures;
        }
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed while another ran";
  }
  const std::string text = ReadFile(File);
  EXPECT_TRUE(text == TreeWith(0, 4000).ToRegText() || text == TreeWith(1, 4000).ToRegText());
  EXPECT_EQ(FolderEntries(Folder), std::vector<std::string>{"Parlamine.reg"}) << "no temporary file left";
}

TEST_F(RegistryFile, AFullDiskLeavesTheOldFileWhole) {
  SaveRegistryFile(TreeWith(2), File.string());
  const std::string before = ReadFile(File);
  // The file-size limit makes the write fail as a full disk does; its signal,
  // SIGXFSZ, would end the program where it is not ignored.
  for (const bool ignoreSignal : {true, false}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (ignoreSignal) std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1024, 1024};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      try {
        SaveRegistryFile(TreeWith(0, 100000), File.string());
      } catch (const ERegistryException&) {
        ::_exit(3);
      }
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 3) << "the failed write is reported";
    EXPECT_EQ(ReadFile(File), before);
    EXPECT_EQ(FolderEntries(Folder), std::vector<std::string>{"Parlamine.reg"}) << "no temporary file left";
  }
}

// A save killed between creating its temporary file and renaming it leaves
// the file behind; the next start removes it, but never one a running save
// holds, nor a file of another name or owner.
TEST_F(RegistryFile, LeftoversOfKilledSavesAreRemoved) {
  SaveRegistryFile(TreeWith(1), File.string());
  for (const char* name : {".Parlamine.reg.a1B2c3", ".Parlamine.reg.ZZZZZZ", ".Parlamine.reg.held01",
                           ".Parlamine.reg.toolong", ".Other.reg.a1B2c3"})
    WriteFile(Folder / name, TreeWith(0).ToRegText());
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();  // a save of another instance, still running
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const int fd = ::open((Folder / ".Parlamine.reg.held01").c_str(), O_RDWR);
    ::flock(fd, LOCK_EX);
    (void)!::write(ready[1], "x", 1);
    ::pause();
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  EXPECT_EQ(RemoveStaleTemporaryFiles(File.string()), 2);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(FolderEntries(Folder), (std::vector<std::string>{".Other.reg.a1B2c3", ".Parlamine.reg.held01",
                                                             ".Parlamine.reg.toolong", "Parlamine.reg"}));
  EXPECT_EQ(RemoveStaleTemporaryFiles(File.string()), 1) << "its save is gone";
  ::close(ready[0]);
  ::close(ready[1]);
}

TEST_F(RegistryFile, ANewFileFollowsTheUmask) {
  const mode_t old = ::umask(027);
  SaveRegistryFile(TreeWith(0), File.string());
  ::umask(old);
  EXPECT_EQ(fs::status(File).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

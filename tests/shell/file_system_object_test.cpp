#include "file_system_object.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "planted_names.h"
#include "shell_test_support.h"
#include "special_files.h"

namespace {

using shelltest::Bytes;
using shelltest::Listing;
using shelltest::ReadBytes;
using shelltest::WriteBytes;
using shelltest::WriteText;
using testing::HasSubstr;
using testing_support::TempFolder;
using texel::FileSystemError;
using texel::FileSystemObject;

// The error names the operation and the path.
template <typename Call>
std::string FailureOf(Call call) {
  try {
    call();
  } catch (const FileSystemError& error) {
    return error.what();
  }
  ADD_FAILURE() << "no FileSystemError";
  return {};
}

TEST(FileSystemObject, FoldersAreCreatedDeletedAndCopiedWhole) {
  TempFolder temp;
  FileSystemObject files;
  const auto source = temp.Path() / "source";
  files.CreateFolder(source);
  files.CreateFolder(source / "inner");
  WriteText(source / "a.dll", "alpha");
  WriteText(source / "inner" / "b.dll", "beta");
  EXPECT_TRUE(files.FolderExists(source));
  EXPECT_FALSE(files.FolderExists(source / "a.dll"));
  EXPECT_TRUE(files.FileExists(source / "a.dll"));
  EXPECT_FALSE(files.FileExists(source / "inner"));

  files.CopyFolder(source, temp.Path() / "copy");
  EXPECT_TRUE(shelltest::SameTree(source, temp.Path() / "copy"));

  files.DeleteFolder(source);
  EXPECT_FALSE(files.FolderExists(source));
  EXPECT_TRUE(files.FileExists(temp.Path() / "copy" / "inner" / "b.dll"));
}

TEST(FileSystemObject, FolderOperationsFailAsTheScriptingObjectDoes) {
  TempFolder temp;
  FileSystemObject files;
  const auto missing = temp.Path() / "missing";
  EXPECT_THAT(FailureOf([&] { files.DeleteFolder(missing); }),
              testing::AllOf(HasSubstr("DeleteFolder"), HasSubstr(missing.string())));
  EXPECT_THAT(FailureOf([&] { files.CreateFolder(temp.Path()); }),
              testing::AllOf(HasSubstr("CreateFolder"), HasSubstr("exists already")));
  EXPECT_THAT(FailureOf([&] { files.CreateFolder(missing / "child"); }),
              HasSubstr("parent folder does not exist"));
  EXPECT_THAT(FailureOf([&] { files.CopyFolder(missing, temp.Path() / "to"); }),
              testing::AllOf(HasSubstr("CopyFolder"), HasSubstr(missing.string())));
  EXPECT_FALSE(files.FolderExists(temp.Path() / "to"));
}

TEST(FileSystemObject, CopyFileReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
  TempFolder temp;
  FileSystemObject files;
  WriteText(temp.Path() / "long.bin", "a much longer earlier content");
  WriteText(temp.Path() / "short.bin", "short");
  files.CopyFile(temp.Path() / "short.bin", temp.Path() / "long.bin");
  EXPECT_EQ(ReadBytes(temp.Path() / "long.bin"), ReadBytes(temp.Path() / "short.bin"));
  EXPECT_EQ(Listing(temp.Path()), (std::set<std::string>{"long.bin", "short.bin"}));

  files.CopyFile(temp.Path() / "short.bin", temp.Path() / "new.bin");
  EXPECT_EQ(ReadBytes(temp.Path() / "new.bin"), ReadBytes(temp.Path() / "short.bin"));
}

TEST(FileSystemObject, AFailingCopyLeavesTheTargetUntouched) {
  TempFolder temp;
  FileSystemObject files;
  const Bytes saved = {1, 2, 3, 4, 5};
  WriteBytes(temp.Path() / "saved.bin", saved);

  EXPECT_THAT(
      FailureOf([&] { files.CopyFile(temp.Path() / "gone.bin", temp.Path() / "saved.bin"); }),
      testing::AllOf(HasSubstr("CopyFile"), HasSubstr("gone.bin")));
  EXPECT_EQ(ReadBytes(temp.Path() / "saved.bin"), saved);

  // A target that cannot be replaced: a folder stands in its place.
  std::filesystem::create_directory(temp.Path() / "folder.bin");
  EXPECT_THAT(
      FailureOf([&] { files.CopyFile(temp.Path() / "saved.bin", temp.Path() / "folder.bin"); }),
      HasSubstr("folder.bin"));
  EXPECT_EQ(Listing(temp.Path()), (std::set<std::string>{"folder.bin", "saved.bin"}));
  EXPECT_THAT(FailureOf([&] {
                files.CopyFile(temp.Path() / "saved.bin", temp.Path() / "no" / "where.bin");
              }),
              HasSubstr("where.bin"));
}

TEST(FileSystemObject, ACopyOfAReadOnlyFileCanBeReplacedAndRemoved) {
  TempFolder temp;
  FileSystemObject files;
  WriteText(temp.Path() / "user.bin", "user");
  std::filesystem::permissions(temp.Path() / "user.bin", std::filesystem::perms::owner_read);
  files.CreateFolder(temp.Path() / "work");
  files.CopyFile(temp.Path() / "user.bin", temp.Path() / "work" / "Face.bin");
  const auto perms = std::filesystem::status(temp.Path() / "work" / "Face.bin").permissions();
  EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
  files.DeleteFolder(temp.Path() / "work");
}

// What is no file is refused at once (a pipe would make the copy wait for a writer), and a
// replaced target keeps its mode and the links leading to it, however long its name.
TEST(FileSystemObject, CopyFileReadsOnlyFilesAndKeepsWhatTheTargetWas) {
  namespace fs = std::filesystem;
  TempFolder temp;
  FileSystemObject files;
  const fs::path pipe = temp.Path() / "pipe.bin";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", temp.Path() / "zero.bin");
  WriteText(temp.Path() / "kept.bin", "kept");
  const Bytes kept = ReadBytes(temp.Path() / "kept.bin");
  EXPECT_THAT(FailureOf([&] { files.CopyFile(pipe, temp.Path() / "kept.bin"); }),
              HasSubstr("'" + pipe.string() + "' is a named pipe, not a file"));
  EXPECT_THAT(
      FailureOf([&] { files.CopyFile(temp.Path() / "zero.bin", temp.Path() / "kept.bin"); }),
      HasSubstr("is a device, not a file"));
  EXPECT_EQ(ReadBytes(temp.Path() / "kept.bin"), kept);
  const auto entries = [&] {
    return std::distance(std::filesystem::directory_iterator(temp.Path()), {});
  };
  EXPECT_EQ(entries(), 3);

  const fs::path longName = temp.Path() / (std::string(251, 'n') + ".bin");  // 255 bytes
  WriteText(longName, "private");
  fs::permissions(longName, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(longName.filename(), temp.Path() / "link.bin");
  files.CopyFile(temp.Path() / "kept.bin", temp.Path() / "link.bin");
  EXPECT_TRUE(fs::is_symlink(temp.Path() / "link.bin"));
  EXPECT_EQ(ReadBytes(longName), kept);
  EXPECT_EQ(fs::status(longName).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(entries(), 5);  // no temporary file left beside them
}

// A rename over a pipe, a socket or a device would make a plain file of it: each is refused
// before anything is written, and stays as it was.
TEST(FileSystemObject, CopyFileNeverReplacesWhatIsNoFile) {
  TempFolder temp;
  FileSystemObject files;
  WriteText(temp.Path() / "saved.bin", "saved");
  for (const auto& special : testing_support::MakeSpecialFiles(temp.Path(), "out.bin")) {
    SCOPED_TRACE(special.kind);
    try {
      files.CopyFile(temp.Path() / "saved.bin", special.path);
      ADD_FAILURE() << "replaced " << special.kind;
    } catch (const FileSystemError& error) {
      EXPECT_EQ(error.Path(), special.path);
      EXPECT_STREQ(error.Standing(), special.kind);
      EXPECT_THAT(error.what(), HasSubstr("the target is " + std::string(special.kind) +
                                          ", not a file; nothing was written"));
    }
    EXPECT_TRUE(testing_support::StillStands(special));
  }
  for (const std::string& name : Listing(temp.Path())) EXPECT_NE(name[0], '.') << name;
}

// In a folder that others may write, what was planted at the names the copy tries is passed
// over and left as it was; the new file takes the umask's mode only once it is written.
TEST(FileSystemObject, CopyFileMakesItsNewFileOnlyWhereNothingStands) {
  TempFolder temp;
  FileSystemObject files;
  WriteText(temp.Path() / "saved.bin", "saved");
  const auto target = temp.Path() / "out.bin";
  const mode_t umask = ::umask(027);
  {
    const testing_support::PlantedNames planted(target);
    files.CopyFile(temp.Path() / "saved.bin", target);
    EXPECT_TRUE(planted.Untouched());
  }
  ::umask(umask);
  EXPECT_FALSE(std::filesystem::is_symlink(target));
  EXPECT_EQ(ReadBytes(target), ReadBytes(temp.Path() / "saved.bin"));
  struct stat made {};
  ASSERT_EQ(::stat(target.c_str(), &made), 0);
  EXPECT_EQ(made.st_mode & 0777, 0640u);
}

}  // namespace

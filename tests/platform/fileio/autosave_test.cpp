#include "platform/fileio/autosave.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace fileio;
using namespace std::chrono_literals;
using Action = AutosavePolicy::Action;
using Trigger = AutosavePolicy::Trigger;

TEST(Autosave, StateDirectoryFollowsTheBaseDirectoryRules) {
    struct Case {
        const char *xdg, *home, *expected;
    } cases[] = {
        {"/x/state", "/home/a", "/x/state/Yomiwa"},
        {"rel/state", "/home/a", "/home/a/.local/state/Yomiwa"},  // relative: ignored
        {"", "/home/first.last", "/home/first.last/.local/state/Yomiwa"},
        {nullptr, nullptr, ""},
        {nullptr, "home", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StateDirectory(c.xdg, c.home), c.expected) << (c.xdg ? c.xdg : "null");
}

TEST(Autosave, RunningMeansThisProgramUnderThatPid) {
    // The kernel keeps 15 bytes of "platform_fileio_tests".
    EXPECT_TRUE(IsProgramRunning(::getpid(), "platform_fileio_tests"));
    EXPECT_FALSE(IsProgramRunning(::getpid(), "Mokkel"));  // a reused pid
    EXPECT_FALSE(IsProgramRunning(0, "Mokkel"));
    EXPECT_FALSE(IsProgramRunning(-1, "Mokkel"));
    // Killed but not yet reaped: a zombie has not ended cleanly, it has ended.
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    std::string state;
    for (int i = 0; i < 1000 && state.find(") Z") == std::string::npos; ++i) {
        ::usleep(1000);
        state = testing_support::ReadFile("/proc/" + std::to_string(child) + "/stat");
    }
    ASSERT_NE(state.find(") Z"), std::string::npos) << state;
    EXPECT_FALSE(IsProgramRunning(child, "platform_fileio_tests"));
    ::waitpid(child, nullptr, 0);
}

// A crashed run's copy is found by the next run; a run that ended cleanly, a running one,
// a run with nothing unsaved and other programs' files are not.
TEST(Autosave, LeftOverWorkIsWhatACrashedRunLeft) {
    testing_support::TempDir tmp;
    const std::string dir = tmp.File("state.d/Yomiwa");
    auto none = [](int) { return false; };

    AutosaveStore crashed(dir, "Mokkel", "mkl", 101);
    ASSERT_TRUE(crashed.Begin());
    EXPECT_EQ(fs::status(dir).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::path(crashed.CopyPath()).parent_path(), fs::path(dir));
    EXPECT_TRUE(crashed.NoteOriginal("/home/a.b/house.v2.mkl"));
    testing_support::WriteFile(crashed.CopyPath(), "copy");
    fs::last_write_time(crashed.CopyPath(), fs::file_time_type::clock::now() - 1h);

    AutosaveStore untitled(dir, "Mokkel", "mkl", 102);
    ASSERT_TRUE(untitled.Begin());
    testing_support::WriteFile(untitled.CopyPath(), "newer");

    AutosaveStore clean(dir, "Mokkel", "mkl", 103);
    ASSERT_TRUE(clean.Begin());
    testing_support::WriteFile(clean.CopyPath(), "x");
    clean.End();
    AutosaveStore unmodified(dir, "Mokkel", "mkl", 104);
    ASSERT_TRUE(unmodified.Begin());
    AutosaveStore studio(dir, "Stagora", "stg", 105);
    ASSERT_TRUE(studio.Begin());
    testing_support::WriteFile(studio.CopyPath(), "scene");
    testing_support::WriteFile(dir + "/Mokkel-12x.run", "");

    AutosaveStore next(dir, "Mokkel", "mkl", 200);
    ASSERT_TRUE(next.Begin());
    testing_support::WriteFile(next.CopyPath(), "mine");
    EXPECT_TRUE(next.FindLeftOver([](int pid) { return pid != 200; }).empty());
    const std::vector<LeftOverWork> left = next.FindLeftOver(none);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].pid, 102);  // newest first
    EXPECT_EQ(left[0].originalPath, "");
    EXPECT_EQ(left[1].pid, 101);
    EXPECT_EQ(left[1].copyPath, crashed.CopyPath());
    EXPECT_EQ(left[1].originalPath, "/home/a.b/house.v2.mkl");
    EXPECT_FALSE(fs::exists(unmodified.MarkerPath()));  // nothing to offer: tidied away
    EXPECT_TRUE(fs::exists(studio.MarkerPath()));

    AutosaveStore::Forget(left[1]);
    EXPECT_FALSE(fs::exists(crashed.CopyPath()));
    EXPECT_FALSE(fs::exists(crashed.MarkerPath()));
    next.End();
    EXPECT_FALSE(fs::exists(next.CopyPath()));
    EXPECT_FALSE(fs::exists(next.MarkerPath()));

    const std::string question = RecoveryQuestion("Mokkel", left[1]);
    EXPECT_NE(question.find("「house.v2.mkl」"), std::string::npos) << question;
    EXPECT_NE(RecoveryQuestion("Mokkel", left[0]).find("「無題」"), std::string::npos);
}

// The offer at start, declined, taken but not opened, and taken: the crashed run's copy goes
// every time; this run keeps its own copy only of work it opened.
TEST(Autosave, OfferOfLeftOverWork) {
    const struct {
        bool take, opens, opened;
    } cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
    for (const auto& c : cases) {
        testing_support::TempDir tmp;
        const std::string dir = tmp.File("Yomiwa");
        AutosaveStore crashed(dir, "Mokkel", "mkl", 101);
        ASSERT_TRUE(crashed.Begin());
        ASSERT_TRUE(crashed.NoteOriginal(tmp.File("house.mkl")));
        testing_support::WriteFile(crashed.CopyPath(), "work");
        AutosaveDocument doc{[] { return true; }, [] { return uint64_t{1}; },
                             [&] { return tmp.File("house.mkl"); },
                             [](const std::string& path) {
                                 testing_support::WriteFile(path, "mine");
                                 return true;
                             }};
        Autosaver autosaver(AutosaveStore(dir, "Mokkel", "mkl", 200), doc);
        ASSERT_TRUE(autosaver.Begin());
        std::vector<std::string> asked, opened;
        const bool result = autosaver.OfferLeftOverWork(
            [&](const std::string& question) {
                asked.push_back(question);
                return c.take;
            },
            [&](const std::string& copy, const std::string& original) {
                opened.push_back(testing_support::ReadFile(copy) + " " + original);
                return c.opens;
            },
            [](int pid) { return pid == 200; });
        EXPECT_EQ(result, c.opened);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find("「house.mkl」"), std::string::npos);
        EXPECT_EQ(opened, c.take ? std::vector<std::string>{"work " + tmp.File("house.mkl")}
                                 : std::vector<std::string>{});
        EXPECT_FALSE(fs::exists(crashed.CopyPath()));
        EXPECT_EQ(fs::exists(autosaver.Store().CopyPath()), c.opened);
        EXPECT_FALSE(
            autosaver.OfferLeftOverWork([](const std::string&) { return true; },
                                        [](const std::string&, const std::string&) { return true; },
                                        [](int pid) { return pid == 200; }));
    }
}

TEST(Autosave, NoStateFolderNoAutosave) {
    testing_support::TempDir tmp;
    testing_support::WriteFile(tmp.File("file"), "");
    EXPECT_FALSE(AutosaveStore("", "Mokkel", "mkl", 1).Begin());
    EXPECT_FALSE(AutosaveStore(tmp.File("file/Yomiwa"), "Mokkel", "mkl", 1).Begin());
}

TEST(Autosave, PolicyWritesAfterCommandsAndEveryIntervalWhileModified) {
    AutosavePolicy policy(3min);
    const auto t0 = AutosavePolicy::Clock::time_point{} + 1h;
    EXPECT_EQ(policy.Decide(false, 0, t0, Trigger::kCommand), Action::kNone);
    EXPECT_EQ(policy.Decide(true, 1, t0, Trigger::kTick), Action::kWrite);  // first change
    EXPECT_EQ(policy.Decide(true, 1, t0, Trigger::kCommand), Action::kWrite);
    policy.Written(1, t0);
    EXPECT_EQ(policy.Decide(true, 1, t0 + 10min, Trigger::kCommand), Action::kNone);  // same
    EXPECT_EQ(policy.Decide(true, 5, t0 + 1min, Trigger::kCommand), Action::kWrite);
    EXPECT_EQ(policy.Decide(true, 5, t0 + 1min, Trigger::kTick), Action::kNone);  // typing
    EXPECT_EQ(policy.Decide(true, 5, t0 + 3min, Trigger::kTick), Action::kWrite);
    EXPECT_EQ(policy.Decide(false, 6, t0 + 4min, Trigger::kCommand), Action::kDrop);  // saved
    policy.Dropped();
    EXPECT_EQ(policy.Decide(false, 6, t0 + 5min, Trigger::kTick), Action::kNone);
}

// The autosaver over a document: written to the state folder only, retried after a failed
// write, dropped once the document is saved.
TEST(Autosave, AutosaverKeepsOneCopyWhileModified) {
    testing_support::TempDir tmp;
    bool modified = false, failWrite = false;
    uint64_t edits = 0;
    std::vector<std::string> written;
    AutosaveDocument doc{[&] { return modified; }, [&] { return edits; },
                         [&] { return tmp.File("house.mkl"); },
                         [&](const std::string& path) {
                             if (failWrite) return false;
                             written.push_back(path);
                             testing_support::WriteFile(path, std::to_string(edits));
                             return true;
                         }};
    Autosaver autosaver(AutosaveStore(tmp.File("Yomiwa"), "Mokkel", "mkl", 7), doc);
    autosaver.Check(Trigger::kCommand);  // not begun: nothing
    ASSERT_TRUE(autosaver.Begin());
    const std::string copy = autosaver.Store().CopyPath();

    autosaver.Check(Trigger::kCommand);
    EXPECT_TRUE(written.empty());
    modified = true;
    edits = 1;
    failWrite = true;
    autosaver.Check(Trigger::kCommand);
    failWrite = false;
    autosaver.Check(Trigger::kCommand);
    EXPECT_EQ(written, std::vector<std::string>{copy});
    EXPECT_EQ(testing_support::ReadFile(copy), "1");
    EXPECT_FALSE(fs::exists(tmp.File("house.mkl")));  // never the user's file
    EXPECT_NE(testing_support::ReadFile(autosaver.Store().MarkerPath()).find("house.mkl"),
              std::string::npos);

    modified = false;
    autosaver.Check(Trigger::kCommand);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_TRUE(fs::exists(autosaver.Store().MarkerPath()));
    autosaver.End();
    EXPECT_FALSE(fs::exists(autosaver.Store().MarkerPath()));
}

}  // namespace

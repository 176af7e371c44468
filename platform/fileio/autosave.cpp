#include "platform/fileio/autosave.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

#include "platform/fileio/atomic_file.h"

namespace fileio {

namespace fs = std::filesystem;

std::string StateDirectory(const char* xdgStateHome, const char* home) {
    if (xdgStateHome && xdgStateHome[0] == '/') return fs::path(xdgStateHome) / "Yomiwa";
    if (home && home[0] == '/') return fs::path(home) / ".local" / "state" / "Yomiwa";
    return {};
}

std::string StateDirectory() {
    return StateDirectory(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

bool IsProgramRunning(int pid, std::string_view program) {
    if (pid <= 0) return false;
    // "<pid> (<name>) <state> ...": the name may hold blanks and parentheses itself.
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), {});
    const size_t open = stat.find('('), close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open ||
        close + 2 >= stat.size())
        return false;
    // A killed program stays a zombie until its parent reaps it; it runs no more.
    const char state = stat[close + 2];
    if (state == 'Z' || state == 'X' || state == 'x') return false;
    // The kernel keeps the first 15 bytes of a program's name.
    return std::string_view(stat).substr(open + 1, close - open - 1) == program.substr(0, 15);
}

AutosaveStore::AutosaveStore(std::string directory, std::string program, std::string extension,
                             int pid)
    : directory_(std::move(directory)),
      program_(std::move(program)),
      extension_(std::move(extension)),
      pid_(pid) {}

std::string AutosaveStore::CopyPath() const {
    return directory_ + "/" + program_ + "-" + std::to_string(pid_) + "." + extension_;
}

std::string AutosaveStore::MarkerPath() const {
    return directory_ + "/" + program_ + "-" + std::to_string(pid_) + ".run";
}

bool AutosaveStore::WriteMarker() {
    return WriteFileAtomically(MarkerPath(), std::to_string(pid_) + "\n" + original_ + "\n");
}

bool AutosaveStore::Begin() {
    if (directory_.empty()) return false;
    std::error_code ec;
    fs::create_directories(directory_, ec);
    // Unsaved work is nobody else's business.
    ::chmod(directory_.c_str(), 0700);
    begun_ = WriteMarker();
    return begun_;
}

bool AutosaveStore::NoteOriginal(const std::string& originalPath) {
    if (!begun_) return false;
    if (originalPath == original_) return true;
    original_ = originalPath;
    return WriteMarker();
}

void AutosaveStore::DropCopy() {
    std::error_code ec;
    fs::remove(CopyPath(), ec);
}

void AutosaveStore::End() {
    if (!begun_) return;
    std::error_code ec;
    fs::remove(CopyPath(), ec);  // the copy first: a copy without its marker is never offered
    fs::remove(MarkerPath(), ec);
    begun_ = false;
}

namespace {

// The pid of "<program>-<pid>.run", or 0 when the name is not such a marker.
int MarkerPid(const std::string& name, const std::string& program) {
    const std::string prefix = program + "-", suffix = ".run";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(suffix))
        return 0;
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::atoi(digits.c_str());
}

}  // namespace

std::vector<LeftOverWork> AutosaveStore::FindLeftOver(const RunningCheck& running) const {
    std::vector<LeftOverWork> found;
    std::error_code ec;
    fs::directory_iterator it(directory_, ec);
    if (ec) return found;
    for (const fs::directory_entry& entry : it) {
        const int pid = MarkerPid(entry.path().filename().string(), program_);
        if (pid == 0 || pid == pid_ || running(pid)) continue;
        LeftOverWork work;
        work.pid = pid;
        work.copyPath = directory_ + "/" + program_ + "-" + std::to_string(pid) + "." + extension_;
        std::error_code timeError;
        work.written = fs::last_write_time(work.copyPath, timeError);
        if (timeError || !fs::is_regular_file(work.copyPath, timeError)) {
            fs::remove(entry.path(), timeError);  // nothing was unsaved in that run
            continue;
        }
        std::ifstream marker(entry.path());
        std::string pidLine;
        std::getline(marker, pidLine);
        std::getline(marker, work.originalPath);
        found.push_back(std::move(work));
    }
    std::sort(found.begin(), found.end(),
              [](const LeftOverWork& a, const LeftOverWork& b) { return a.written > b.written; });
    return found;
}

void AutosaveStore::Forget(const LeftOverWork& work) {
    std::error_code ec;
    fs::remove(work.copyPath, ec);
    const fs::path copy(work.copyPath);
    fs::remove(copy.parent_path() / (copy.stem().string() + ".run"), ec);
}

AutosavePolicy::Action AutosavePolicy::Decide(bool modified, uint64_t edits, Clock::time_point now,
                                              Trigger trigger) const {
    if (!modified) return haveCopy_ ? Action::kDrop : Action::kNone;
    if (haveCopy_ && edits == writtenEdits_) return Action::kNone;
    if (trigger == Trigger::kCommand || !haveCopy_) return Action::kWrite;
    return now - writtenAt_ >= interval_ ? Action::kWrite : Action::kNone;
}

void AutosavePolicy::Written(uint64_t edits, Clock::time_point now) {
    haveCopy_ = true;
    writtenEdits_ = edits;
    writtenAt_ = now;
}

void AutosavePolicy::Dropped() {
    haveCopy_ = false;
}

std::string RecoveryQuestion(std::string_view program, const LeftOverWork& work) {
    const std::string name = work.originalPath.empty()
                                 ? std::string("無題")
                                 : fs::path(work.originalPath).filename().string();
    const auto when = std::chrono::file_clock::to_sys(work.written);
    const std::time_t t = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(when));
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M", &local);
    std::string text(program);
    text += " は前回、正常に終了しませんでした。\n保存されていなかった作業「" + name +
            "」が自動保存されています（" + stamp +
            "）。\n\n自動保存されたデータを開きますか？\n「いいえ」を選ぶと、自動保存されたデータは"
            "削除されます。";
    return text;
}

Autosaver::Autosaver(AutosaveStore store, AutosaveDocument document,
                     AutosavePolicy::Clock::duration interval)
    : store_(std::move(store)), document_(std::move(document)), policy_(interval) {}

void Autosaver::Check(AutosavePolicy::Trigger trigger, AutosavePolicy::Clock::time_point now) {
    if (!active_) return;
    const uint64_t edits = document_.edits();
    switch (policy_.Decide(document_.modified(), edits, now, trigger)) {
        case AutosavePolicy::Action::kNone:
            return;
        case AutosavePolicy::Action::kDrop:
            store_.DropCopy();
            policy_.Dropped();
            return;
        case AutosavePolicy::Action::kWrite:
            // The marker names the file first, so a crash between the two writes never
            // offers a copy under the wrong name.
            if (store_.NoteOriginal(document_.originalPath()) && document_.write(store_.CopyPath()))
                policy_.Written(edits, now);
            return;
    }
}

bool Autosaver::OfferLeftOverWork(const Ask& ask, const OpenRecovered& open,
                                  AutosaveStore::RunningCheck running) {
    if (!running)
        running = [program = store_.Program()](int pid) { return IsProgramRunning(pid, program); };
    const std::vector<LeftOverWork> left = store_.FindLeftOver(running);
    if (left.empty()) return false;
    const LeftOverWork& work = left.front();
    bool opened = false;
    if (ask(RecoveryQuestion(store_.Program(), work))) {
        opened = open(work.copyPath, work.originalPath);
        // Kept as this run's own copy before the old one goes.
        if (opened) Check(AutosavePolicy::Trigger::kCommand);
    }
    AutosaveStore::Forget(work);
    return opened;
}

void Autosaver::End() {
    if (active_) store_.End();
    active_ = false;
}

}  // namespace fileio
